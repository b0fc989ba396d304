// The pages over a simulated camera, driven as an operator would: what the network
// page shows and stores, one table of actions on any page with their messages, the
// commands the camera executed and what it holds afterwards, and leaving a tab.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <array>
#include <cstring>
#include <functional>
#include <optional>
#include <tuple>

#include "camera_session.h"
#include "dialog_encryption.h"
#include "dialog_network.h"
#include "ipv4_field.h"
#include "login_dlg.h"
#include "modify_pwd_dlg.h"
#include "param_dlg.h"
#include "record_fields.h"
#include "sys_manager_dlg.h"
#include "vireo_dlg.h"

namespace {

using Page = CDialogNetWork;
using NetworkPage = CameraSession;
template <typename Record, std::size_t size>
void Put(std::array<std::uint8_t, size>& bytes, const Record& record) {
    static_assert(sizeof(Record) == size);
    std::memcpy(bytes.data(), &record, size);
}

template <std::size_t size>
void Copy(char (&field)[size], const char* text) {
    std::memset(field, 0, size);
    std::memcpy(field, text, std::strlen(text));
}

// A camera with every record filled, texts in several scripts.
camsim::CameraState Seeded() {
    camsim::CameraState state;
    state.userId = "123456";
    state.deviceId = "654321";
    Put(state.networkInfo,
        NetworkInfo{"Unit 7", 2, 25, "rtsp.example", "192.168.1.20", "8080", "EQ-0042", "pw123"});
    Put(state.wifiUniversal, WifiUniversal{1, 1, 7, "A1B2C3D4E5F6", "10.0.0.5",
                                           "10.0.0.1"});  // timeout 7 is no known code
    Put(state.wifiApSetting, WifiApSetting{"Kamera-B\u00fcro-Etage-3", "p\u00e4sswort", 2, 1, 40});
    Put(state.wifiStaSetting,
        WifiStaSetting{"\u9580\u53e3", "\u0441\u0435\u043a\u0440\u0435\u0442", 1});
    state.p2pCode = "87654321";
    Put(state.bluetoothInfo, BluetoothInfo{2, "001122334455", "Band", "665544332211", 60, 180});
    Put(state.mobile4GInfo, Mobile4GInfo{1, "1234", "internet", "user", "secret"});
    return state;
}

// What the operator does to one control: clicks a check box, chooses the entry of
// a list whose code is `value`, types a dotted address, or puts `value` into an edit (typed key by
// key when `byKeys`, so the edit's limit and the characters it takes apply; pasted otherwise).
struct Change {
    int id;
    QString value;
    bool byKeys = false;
};

void Make(TabPage& page, const Change& change) {
    QWidget* control = page.Item(change.id);
    if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->click();
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(list->findData(change.value.toInt()));
        emit list->activated(list->currentIndex());
    } else if (qobject_cast<dialog::Ipv4Field*>(control) != nullptr) {
        std::uint32_t address = 0;
        for (const QString& part : change.value.split('.')) address = address << 8 | part.toUInt();
        page.SetAddress(change.id, address);
    } else if (change.byKeys) {
        auto* edit = static_cast<QLineEdit*>(control);
        edit->clear();
        QTest::keyClicks(edit, change.value);
    } else {
        page.SetItemText(change.id, change.value);
    }
}

std::vector<QString> Entries(const Page& page, int id) {
    std::vector<QString> entries;
    for (int i = 0; i < page.ListCount(id); ++i) entries.push_back(page.ListEntryText(id, i));
    return entries;
}

TEST_F(NetworkPage, ShowsEveryRecordTheCameraHolds) {
    const std::pair<int, QString> shown[] = {
        {Page::kDeviceName, "Unit 7"},
        {Page::kProtocol, "Skyvale"},
        {Page::kServerArea, "Israel"},
        {Page::kWifiMode, "STA mode"},
        {Page::kConnectTimeout, "Unknown (7)"},
        {Page::kApSsid, "Kamera-B\u00fcro-Etage-3"},  // longer than what may be typed
        {Page::kBand, "5 GHz"},
        {Page::kChannel, "40"},
        {Page::kConnectionLimit, "3"},
        {Page::kStaSsid, "\u9580\u53e3"},
        {Page::kStaPassword, "\u0441\u0435\u043a\u0440\u0435\u0442"},
        {Page::kPinCode, "87654321"},
        {Page::kBtActivate, "Manually"},
        {Page::kHeartRateHigh, "180"},
        {Page::kApn, "internet"},
    };
    AddCamera(Seeded());
    Page& network = Open<Page>(kAdministrator);
    for (const auto& [id, text] : shown) EXPECT_EQ(network.GetItemText(id), text) << id;
    EXPECT_EQ(network.GetAddress(Page::kServerIp), 0xC0A80114u);
}

TEST_F(NetworkPage, TheChannelListIsTheChosenBandsWithTheLastChannelSelected) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> channels;  // 2.4 GHz list, then the 5 GHz list from byte 14
        int band, channel, chosenBand;
        std::vector<QString> entries;
        QString selected;
    };
    const std::vector<std::uint8_t> lists = {1, 6, 11, 0xFF, 0, 0,    0,    0,   0,
                                             0, 0, 0,  0,    0, 0x24, 0x28, 0xFF};
    // In this order: the page remembers each band's last channel.
    const Case cases[] = {
        {"band never reported", lists, 0, 6, 1, {"36", "40"}, "36"},
        {"2.4 GHz", lists, 0, 6, 0, {"1", "6", "11"}, "6"},
        {"5 GHz", lists, 1, 40, 1, {"36", "40"}, "40"},
        {"channel not listed", lists, 0, 13, 0, {"1", "6", "11", "Unknown (13)"}, "Unknown (13)"},
        {"automatic", {0, 0xFF}, 0, 0, 0, {"Auto"}, "Auto"},
        {"automatic, not listed", {1, 6, 0xFF}, 0, 0, 0, {"1", "6", "Auto"}, "Auto"},
    };
    AddCamera();  // its access point reports no channel
    Page& network = Open<Page>(kAdministrator);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        camera->update([&c](camsim::CameraState& state) {
            state.wifiChannelInfo.fill(0xFF);
            std::copy(c.channels.begin(), c.channels.end(), state.wifiChannelInfo.begin());
            state.wifiApSetting[offsetof(WifiApSetting, band)] = static_cast<std::uint8_t>(c.band);
            state.wifiApSetting[offsetof(WifiApSetting, channel)] =
                static_cast<std::uint8_t>(c.channel);
        });
        Press(network, Page::kWifiRefresh);
        Make(network, {Page::kBand, QString::number(c.chosenBand)});
        EXPECT_EQ(Entries(network, Page::kChannel), c.entries);
        EXPECT_EQ(network.GetItemText(Page::kChannel), c.selected);
        Press(network, Page::kWifiApply);
        EXPECT_EQ(camera->state().wifiApSetting[offsetof(WifiApSetting, channel)],
                  network.SelectedListValue(Page::kChannel));
    }
}

// Changes the camera's records in place, as the test arranges or expects them.
using CameraEdit = std::function<void(camsim::CameraState&)>;

template <typename Record, std::size_t size>
void Patch(std::array<std::uint8_t, size>& bytes, const std::function<void(Record&)>& change) {
    Record record;
    static_assert(sizeof record == size);
    std::memcpy(&record, bytes.data(), size);
    change(record);
    std::memcpy(bytes.data(), &record, size);
}

// Every record any page reads or writes.
auto Everything(const camsim::CameraState& state) {
    return std::tuple(state.networkInfo, state.wifiUniversal, state.wifiApSetting,
                      state.wifiStaSetting, state.p2pCode, state.bluetoothInfo, state.mobile4GInfo,
                      state.sysParam, state.userId, state.deviceId, state.userName, state.waterMark,
                      state.barCode, state.dataEncryption, state.decryptionPlayback, state.aesKey);
}

// One operator action on a page shown afresh: the camera holds `holds` over the
// seeded records, a read may get no reply (`failedRead`, its exchange; the camera
// info and network pages read all eight of theirs when created and again when shown), the operator
// changes controls, a new login may come between, the button is pressed (none: only the showing)
// with an exchange that gets no reply. Then: what the operator is told, which commands the camera
// executed, that it holds exactly what it held with `changed` applied, and what the audit trail
// recorded (`trail`; a trail that cannot be written must be told).
struct Action {
    Action(int tab, std::vector<Change> typed, int button, unsigned faultAt,
           std::vector<QString> messages, std::optional<Codes> commands,
           CameraEdit changed = nullptr, CameraEdit holds = nullptr)
        : tab(tab),
          typed(std::move(typed)),
          button(button),
          faultAt(faultAt),
          messages(std::move(messages)),
          commands(std::move(commands)),
          holds(std::move(holds)),
          changed(std::move(changed)) {}
    Action& FailedRead(unsigned exchange) { return failedRead = exchange, *this; }
    Action& NewLogin() { return newLogin = true, *this; }
    Action& Unplugged() { return fault = camsim::Fault::Unplugged, *this; }
    Action& Trail(std::vector<std::string> records) { return trail = std::move(records), *this; }
    Action& TrailUnwritable() { return trailUnwritable = true, *this; }

    int tab;
    std::vector<Change> typed;
    int button;
    unsigned faultAt;
    std::vector<QString> messages;
    std::optional<Codes> commands;
    CameraEdit holds;
    CameraEdit changed;
    unsigned failedRead = 0;
    bool newLogin = false;
    camsim::Fault fault = camsim::Fault::NoReply;  // what happens at `faultAt`
    std::optional<std::vector<std::string>> trail;
    bool trailUnwritable = false;
};

class PageActions : public CameraSession {
protected:
    TabPage& Show(int tab) {
        switch (tab) {
            case 0:
                return Shown<CSysManagerDlg>();
            case 1:
                return Shown<CParamDlg>();
            case 2:
                return Shown<Page>();
            default:
                return Shown<CDialogEncryption>();
        }
    }
};

#define SETTING(field) CParamDlg::SettingId(offsetof(SysParam, field))

TEST_F(PageActions, EachActionSaysWhatHappenedSendsWhatItShouldAndChangesNothingElse) {
    using Info = CSysManagerDlg;
    using Crypt = CDialogEncryption;
    const QString shortKey = "Please enter 32-character AES key.";
    const QString wideKey = "AES Key takes at most 32 bytes of text.";
    const QString heart = "Heart Rate 0-255!", wifi = "Wifi Settings set successfully.";
    const QString failed = "Failed", p2p = "P2P Code must be 8 digits";
    const QString tooLong = "Password takes at most 31 bytes of text.";
    const QString set = "Set Successfully.", bluetooth = "Bluetooth Settings set successfully.";
    const QString notRecorded =
        "This operation could not be recorded in the audit trail. Tell the administrator.";
    const QString networkSet = "Network Settings set successfully.";
    const auto notRead = [](const char* record) {
        return QString(
                   "%1 could not be read from the camera, so nothing was written. Press "
                   "Refresh and try again.")
            .arg(record);
    };
    const QString umlauts = QString("\u00e4").repeated(16);  // 32 bytes of UTF-8
    const Codes wifiWrites{0x59, 0x5B, 0x5E}, none{};
    // Longer than what the operator may type into their edits, but what the records take.
    const std::string watermark21 = "Streifenwagen Nord 12", barCode16 = "BC00000000000016";
    const char* ssid20 = "Wache-Sued-Etage-3-W";
    const auto longTexts = [&](camsim::CameraState& state) {
        state.waterMark = watermark21;
        state.barCode = barCode16;
        Patch<WifiApSetting>(state.wifiApSetting, [&](auto& r) { Copy(r.ssid, ssid20); });
        Patch<WifiStaSetting>(state.wifiStaSetting, [&](auto& r) { Copy(r.ssid, ssid20); });
        Patch<BluetoothInfo>(state.bluetoothInfo,
                             [](auto& r) { Copy(r.btAddress, "00:11:22:33:44:55"); });
        // Dotted, but not as the address control writes it.
        Patch<NetworkInfo>(state.networkInfo, [](auto& r) { Copy(r.serverIp, "192.168.001.020"); });
    };
    // Every setting at the last code its list offers, so a control on the wrong byte
    // shows; codes no list offers, flags neither 0 nor 1, shown and hidden.
    const auto oddSettings = [](camsim::CameraState& state) {
        for (const auto& field : fields::SettingsFields())
            for (const auto& option : field.codes)
                if (option.offered)
                    state.sysParam[field.offset] = static_cast<std::uint8_t>(option.code);
        state.sysParam[offsetof(SysParam, videoResolution)] = 7;  // reported, never offered
        state.sysParam[offsetof(SysParam, videoQuality)] = 9;
        state.sysParam[offsetof(SysParam, language)] = 7;
        state.sysParam[offsetof(SysParam, ledLight)] = 2;
        state.sysParam[offsetof(SysParam, gps)] = 0xFF;
        state.sysParam[offsetof(SysParam, keyTone)] = 2;
        state.sysParam[offsetof(SysParam, autoBrightness)] = 0xFF;
    };
    const Action actions[] = {
        // Model, user and device IDs, battery, version, bar code, disk space, watermark, lock.
        {0, {}, Info::kRefresh, 0, {}, Codes{0x2D, 0x31, 0x29, 0x01, 0x33, 0x35, 0x44, 0x3D}},
        {1, {}, CParamDlg::kRefresh, 0, {}, Codes{0x27}},
        {2, {}, 0, 0, {}, Codes{0x52, 0x58, 0x5C, 0x5A, 0x5F, 0x62, 0x54, 0x56}},
        {2, {}, Page::kNetworkRefresh, 0, {}, Codes{0x52}},
        {2, {}, Page::kWifiRefresh, 0, {}, Codes{0x58, 0x5C, 0x5A, 0x5F, 0x62}},
        {2, {}, Page::kBluetoothRefresh, 0, {}, Codes{0x54}},
        {3, {}, 0, 0, {}, Codes{0x64}},
        // Camera info: texts longer than their edits' limits go back as they were.
        Action(
            0, {{Info::kUserName, "Ben"}}, Info::kApply, 0, {set}, {},
            [](auto& state) { state.userName = "Ben"; }, longTexts),
        Action(0, {{Info::kUserName, QString(32, u'n'), true}}, Info::kApply, 0, {set}, {},
               [](auto& state) { state.userName = std::string(31, 'n'); }),
        // The camera has no device ID: shown as six zeros, kept empty.
        Action(
            0, {{Info::kWatermark, "BWC 2"}}, Info::kApply, 0, {set}, {},
            [](auto& state) { state.waterMark = "BWC 2"; },
            [](auto& state) { state.deviceId.clear(); }),
        // Seven characters fail the page's own check: nothing is sent.
        Action(0, {{Info::kUserName, "Ben"}}, Info::kApply, 0,
               {"Device/Police ID should be 6-character."}, none, nullptr,
               [](auto& state) { state.deviceId = "6543210"; })
            .Trail({}),
        {0,
         {{Info::kUserId, "12345"}},
         Info::kApply,
         0,
         {"Device/Police ID should be 6-character."},
         none},
        {0,
         {{Info::kUserName, QString("\u00d1and\u00fa").repeated(5)}},
         Info::kApply,
         0,
         {"User Name takes at most 31 bytes of text."},
         none},
        // The watermark exchange fails as the camera goes; the trail escapes what it read,
        // and typed backslashes are a change even where their text reads alike.
        Action(0, {{Info::kWatermark, "B\\tW\\x1b"}}, Info::kApply, 2, {"Failed: Watermark"}, {},
               nullptr, [](auto& state) { state.waterMark = "B\tW\x1b"; })
            .Unplugged()
            .Trail({"SN0000000001 identity set STATUS_FAILED: watermark \"B\\tW\\x1b\" -> "
                    "\"B\\tW\\x1b\""}),
        Action(0, {{Info::kUserName, "Ben"}}, Info::kApply, 0, {notRead("Watermark")}, none)
            .FailedRead(8 + 7),
        Action(0, {{Info::kUserName, "Ben"}}, Info::kApply, 0,
               {notRead("User and device IDs, Watermark, MAC Address")}, none)
            .NewLogin(),
        // Camera settings: unknown codes and odd flags stay unless clicked.
        Action(
            1, {{SETTING(videoSplit), "2"}}, CParamDlg::kApply, 0, {set}, {},
            [](auto& state) { state.sysParam[offsetof(SysParam, videoSplit)] = 2; }, oddSettings)
            .Trail({"SN0000000001 settings set STATUS_OK: videoSplit 8 \"30 min\" -> 2 \"2 min\""}),
        Action(
            1, {{SETTING(ledLight), ""}, {SETTING(keyTone), ""}}, CParamDlg::kApply, 0, {set}, {},
            [](auto& state) {
                state.sysParam[offsetof(SysParam, ledLight)] = 1;
                state.sysParam[offsetof(SysParam, keyTone)] = 1;
            },
            oddSettings)
            .Trail({"SN0000000001 settings set STATUS_OK: keyTone 2 -> 1 \"On\", ledLight 2 -> 1 "
                    "\"On\""}),
        Action(1, {{SETTING(gps), ""}}, CParamDlg::kApply, 0, {set, notRecorded}, {},
               [](auto& state) { state.sysParam[offsetof(SysParam, gps)] ^= 1; })
            .Trail({})
            .TrailUnwritable(),
        Action(1, {}, CParamDlg::kApply, 0, {notRead("Camera Settings")}, none).FailedRead(1),
        // Network: long SSIDs and an address text the control would write otherwise.
        Action(
            2, {{Page::kPinCode, "11223344"}}, Page::kWifiApply, 0, {wifi},
            Codes{0x59, 0x5B, 0x5E, 0x63}, [](auto& state) { state.p2pCode = "11223344"; },
            longTexts),
        Action(
            2, {{Page::kDeviceName, "Unit 8"}}, Page::kNetworkApply, 0, {networkSet}, {},
            [](auto& state) {
                Patch<NetworkInfo>(state.networkInfo,
                                   [](auto& r) { Copy(r.deviceName, "Unit 8"); });
            },
            longTexts),
        // What is typed reaches the camera in its encoding, next to what stays.
        Action(2, {{Page::kServerIp, "10.0.1.2"}, {Page::kServerArea, "25"}}, Page::kNetworkApply,
               0, {networkSet}, {},
               [](auto& state) {
                   Patch<NetworkInfo>(state.networkInfo,
                                      [](auto& r) { Copy(r.serverIp, "10.0.1.2"); });
               }),
        Action(2,
               {{Page::kApSsid, "Caf\u00e9 \U0001F4F7"},
                {Page::kBand, "0"},
                {Page::kChannel, "6"},
                {Page::kStaPassword, "m\u1eadt kh\u1ea9u"}},
               Page::kWifiApply, 0, {wifi}, {},
               [](auto& state) {
                   Put(state.wifiApSetting,
                       WifiApSetting{"Caf\u00e9 \U0001F4F7", "p\u00e4sswort", 2, 0, 6});
                   Patch<WifiStaSetting>(state.wifiStaSetting,
                                         [](auto& r) { Copy(r.password, "m\u1eadt kh\u1ea9u"); });
               })
            .Trail({"SN0000000001 wifi set STATUS_OK: ap.ssid \"Kamera-B\u00fcro-Etage-3\" -> "
                    "\"Caf\u00e9 \U0001F4F7\", ap.band 1 \"5 GHz\" -> 0 \"2.4 GHz\", ap.channel "
                    "40 -> 6, sta.password changed"}),
        Action(2,
               {{Page::kPairName, "Brustgurt \u2665"},
                {Page::kHeartRateLow, "0"},
                {Page::kHeartRateHigh, "255"}},
               Page::kBluetoothApply, 0, {bluetooth}, {},
               [](auto& state) {
                   Patch<BluetoothInfo>(state.bluetoothInfo, [](auto& r) {
                       Copy(r.pairName, "Brustgurt \u2665");
                       r.heartRateLow = 0;
                       r.heartRateHigh = 255;
                   });
               }),
        Action(
            2, {{Page::kHeartRateHigh, "200"}}, Page::kBluetoothApply, 0, {bluetooth}, {},
            [](auto& state) {
                Patch<BluetoothInfo>(state.bluetoothInfo, [](auto& r) { r.heartRateHigh = 200; });
            },
            longTexts),
        // The port takes digits only; a pasted MAC address of other characters is refused.
        Action(2, {{Page::kServerPort, "80x80", true}}, Page::kNetworkApply, 0, {networkSet}, {},
               [](auto& state) {
                   Patch<NetworkInfo>(state.networkInfo,
                                      [](auto& r) { Copy(r.serverPort, "8080"); });
               }),
        {2,
         {{Page::kMacAddress, "A1B2C3D4E5G6"}},
         Page::kWifiApply,
         0,
         {"Mac Address takes only these characters: 0123456789abcdefABCDEF"},
         none},
        Action(2, {{Page::kPinCode, "11223344"}}, Page::kWifiApply, 0, {notRead("STA Mode")}, none)
            .FailedRead(8 + 5),
        // Everything is checked before the first record goes out.
        {2, {{Page::kPinCode, "1234567"}}, Page::kWifiApply, 0, {p2p}, none},
        {2, {{Page::kStaPassword, umlauts}}, Page::kWifiApply, 0, {tooLong}, none},
        {2, {{Page::kHeartRateHigh, "256"}}, Page::kBluetoothApply, 0, {heart}, none},
        {2, {{Page::kHeartRateLow, "-1"}}, Page::kBluetoothApply, 0, {heart}, none},
        {2, {{Page::kHeartRateLow, ""}}, Page::kBluetoothApply, 0, {heart}, none},
        {2, {}, Page::kNetworkRefresh, 1, {"Camera Not Connected"}, Codes{0x52}},
        {2, {}, Page::kNetworkApply, 1, {failed}, Codes{0x53}},
        {2, {}, Page::kWifiRefresh, 1, {"GetWifiUniversal Failed"}, Codes{0x58}},
        {2, {}, Page::kWifiRefresh, 3, {"Get AP Setting Failed"}, Codes{0x58, 0x5C, 0x5A}},
        {2, {}, Page::kWifiRefresh, 4, {"Get STA Setting Failed"}, Codes{0x58, 0x5C, 0x5A, 0x5F}},
        {2, {}, Page::kWifiRefresh, 5, {"Get P2P PIN Failed"}, Codes{0x58, 0x5C, 0x5A, 0x5F, 0x62}},
        {2, {}, Page::kWifiApply, 1, {"WifiUniversal Setting Failed"}, Codes{0x59}},
        {2, {}, Page::kWifiApply, 2, {"AP Setting Failed"}, Codes{0x59, 0x5B}},
        {2, {}, Page::kWifiApply, 3, {"STA Setting Failed"}, wifiWrites},
        {2, {}, Page::kWifiApply, 4, {"Set P2P PIN Failed"}, Codes{0x59, 0x5B, 0x5E, 0x63}},
        {2, {}, Page::kBluetoothApply, 1, {failed}, Codes{0x55}},
        // Encryption: the hidden playback code and the key go back as they were read.
        Action(
            3, {{Crypt::kDataEncryption, "3"}}, Crypt::kApply, 0, {set}, {},
            [](auto& state) { state.dataEncryption = 3; },
            [](auto& state) {
                state.dataEncryption = 2;
                state.decryptionPlayback = 7;
                state.aesKey = "0123456789abcdefghijklmnopqrstuv";
            }),
        Action(3, {{Crypt::kAesKey, QString(32, u'k')}}, Crypt::kApply, 0, {set}, {},
               [](auto& state) { state.aesKey = std::string(32, 'k'); })
            .Trail({"SN0000000001 encryption set STATUS_OK: aesKey changed"}),
        {3, {{Crypt::kAesKey, QString(31, u'k')}}, Crypt::kApply, 0, {shortKey}, none},
        {3, {{Crypt::kAesKey, QString(32, QChar(0xE4))}}, Crypt::kApply, 0, {wideKey}, none},
        Action(3, {}, Crypt::kApply, 0, {notRead("Encryption")}, none).NewLogin(),
    };
    AddCamera(Seeded());
    LogIn(kAdministrator);
    for (const Action& action : actions) {
        SCOPED_TRACE(testing::Message()
                     << "tab " << action.tab << " button " << action.button << " fault "
                     << action.faultAt << " typed "
                     << (action.typed.empty() ? QString() : action.typed[0].value).toStdString());
        camsim::CameraState expected = Seeded();
        if (action.holds) action.holds(expected);
        camera->update([&expected](camsim::CameraState& state) { state = expected; });
        if (action.changed) action.changed(expected);
        if (action.failedRead != 0) camera->injectFault(camsim::Fault::NoReply, action.failedRead);
        TabPage& page = Show(action.tab);
        camera->clearFaults();
        messages.shown.clear();
        ClearAuditTrail();
        const std::string trailFile = AuditTrailPath();
        if (action.trailUnwritable) ::setenv("PETREL_AUDIT_FILE", "/", 1);  // a folder
        for (const Change& change : action.typed) Make(page, change);
        if (action.newLogin) page.SetUserType(kAdministrator);
        if (action.faultAt != 0) camera->injectFault(action.fault, action.faultAt);
        if (action.button != 0) {
            Press(page, action.button);
        } else {
            page.ShowPage(false);
            page.ShowPage(true);
        }
        camera->clearFaults();
        ::setenv("PETREL_AUDIT_FILE", trailFile.c_str(), 1);
        EXPECT_EQ(messages.Texts(), action.messages);
        if (action.trail) {
            EXPECT_EQ(AuditTrail(), *action.trail);
        }
        // A failed write names the library's status under the message.
        if (action.button == Page::kNetworkApply && action.faultAt != 0) {
            EXPECT_EQ(messages.shown.back().detail, "STATUS_FAILED");
        }
        if (action.commands) {
            EXPECT_EQ(Commands(), *action.commands);
        }
        EXPECT_EQ(Everything(camera->state()), Everything(expected));
        messages.shown.clear();
    }
}

// Leaving a tab whose changes were not applied asks first: Stay keeps the tab and
// what was changed, Discard leaves it. A tab left unchanged asks nothing. Reconnect
// asks the same.
TEST_F(PageActions, LeavingATabWithChangesNotAppliedAsksFirst) {
    const struct {
        int tab;
        Change change;
        int apply;
    } rows[] = {
        {0, {CSysManagerDlg::kUserName, "Ben"}, CSysManagerDlg::kApply},
        {1, {SETTING(gps), ""}, CParamDlg::kApply},
        {2, {Page::kStaSsid, "Elsewhere"}, Page::kWifiApply},
        {3, {CDialogEncryption::kAesKey, QString(32, u'k')}, CDialogEncryption::kApply},
        {4, {CModifyPwdDlg::kNewPassword, "abcdef"}, 0},  // nothing to apply alone
    };
    const std::vector<QString> asked{"Changes on this page have not been applied. Discard them?"};
    AddCamera(Seeded());
    LogIn(kAdministrator);
    CVireoDlg window(app);
    window.Open();
    auto* tabs = window.Tabs().findChild<QTabBar*>();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tab);
        const int other = row.tab == 0 ? 1 : 0;
        tabs->setCurrentIndex(row.tab);
        tabs->setCurrentIndex(other);
        tabs->setCurrentIndex(row.tab);
        EXPECT_TRUE(messages.shown.empty());
        TabPage& page = *window.PageOfTab(row.tab);
        Make(page, row.change);
        const QString changed = page.GetItemText(row.change.id);

        messages.answer = dialog::MessageAnswer::No;
        tabs->setCurrentIndex(other);
        EXPECT_EQ(messages.Texts(), asked);
        EXPECT_EQ(window.Tabs().CurSel(), row.tab);
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(page.GetItemText(row.change.id), changed);

        messages.answer = dialog::MessageAnswer::Yes;
        tabs->setCurrentIndex(other);
        EXPECT_EQ(window.Tabs().CurSel(), other);
        EXPECT_FALSE(page.isVisible());
        messages.shown.clear();

        if (row.apply == 0) continue;
        // Applied, the change is the camera's: nothing to ask.
        tabs->setCurrentIndex(row.tab);
        Make(page, row.change);
        Press(page, row.apply);
        messages.shown.clear();
        tabs->setCurrentIndex(other);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(window.Tabs().CurSel(), other);
    }
    // Reconnect reads every page afresh: it asks the same, and Stay keeps the window.
    tabs->setCurrentIndex(0);
    Make(*window.PageOfTab(0), {CSysManagerDlg::kUserName, "Cleo"});
    ModalScript login;
    login.Then<CLoginDlg>([](CLoginDlg& dialog) { dialog.close(); });
    login.Start();
    messages.answer = dialog::MessageAnswer::No;
    Press(window, CVireoDlg::kReconnect);
    EXPECT_EQ(messages.Texts(), asked);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(login.Done());
    window.close();
}

}  // namespace
