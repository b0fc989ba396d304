// The pages over a simulated camera, driven as an operator would: what the network
// page shows and stores, and one table of actions on any page with their messages
// and the commands the camera executed.
#include <QComboBox>
#include <array>
#include <cstring>
#include <tuple>

#include "camera_session.h"
#include "dialog_encryption.h"
#include "dialog_network.h"
#include "sys_manager_dlg.h"

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
    NetworkInfo network{};
    Copy(network.deviceName, "Unit 7");
    network.protocol = 2;
    network.serverArea = 25;
    Copy(network.serverUrl, "rtsp.example");
    Copy(network.serverIp, "192.168.1.20");
    Copy(network.serverPort, "8080");
    Copy(network.equipmentNo, "EQ-0042");
    Copy(network.serverPassword, "pw123");
    Put(state.networkInfo, network);
    WifiUniversal universal{1,          1,         7, "A1B2C3D4E5F6",
                            "10.0.0.5", "10.0.0.1"};  // timeout 7 is no known code
    Put(state.wifiUniversal, universal);
    WifiApSetting accessPoint{"Kamera-B\u00fcro", "p\u00e4sswort", 2, 1, 40};
    Put(state.wifiApSetting, accessPoint);
    WifiStaSetting station{"\u9580\u53e3", "\u0441\u0435\u043a\u0440\u0435\u0442", 1};
    Put(state.wifiStaSetting, station);
    state.p2pCode = "87654321";
    BluetoothInfo bluetooth{2, "001122334455", "Band", "665544332211", 60, 180};
    Put(state.bluetoothInfo, bluetooth);
    Mobile4GInfo cellular{1, "1234", "internet", "user", "secret"};
    Put(state.mobile4GInfo, cellular);
    return state;
}

auto Records(const camsim::CameraState& state) {
    return std::tuple(state.networkInfo, state.wifiUniversal, state.wifiApSetting,
                      state.wifiStaSetting, state.p2pCode, state.bluetoothInfo, state.mobile4GInfo);
}

// The operator picks the entry with `value` in list `id`.
void Choose(Page& page, int id, int value) {
    auto* list = static_cast<QComboBox*>(page.Item(id));
    list->setCurrentIndex(list->findData(value));
    emit list->activated(list->currentIndex());
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
        {Page::kWifiMode, "STA Mode"},
        {Page::kConnectTimeout, "Unknown (7)"},
        {Page::kApSsid, "Kamera-B\u00fcro"},
        {Page::kBand, "5G"},
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

// Each group's Apply stores what was typed there and leaves every other record as read.
TEST_P(CameraSession, NetworkApplyStoresExactlyWhatWasTypedAndLeavesTheRestAsRead) {
    AddCamera(Seeded(), GetParam());
    Page& network = Open<Page>(kAdministrator);
    camsim::CameraState expected = camera->state();
    network.SetItemText(Page::kDeviceName, "Wache S\u00fcd");
    network.SetAddress(Page::kServerIp, 0x0A000102);
    network.SelectListIndex(Page::kServerArea, 26);  // Italy
    Press(network, Page::kNetworkApply);
    std::memcpy(expected.networkInfo.data(), "Wache S\u00fcd", 10);
    std::memcpy(expected.networkInfo.data() + offsetof(NetworkInfo, serverIp), "10.0.1.2\0\0\0\0",
                12);
    EXPECT_EQ(Records(camera->state()), Records(expected));

    network.SetItemText(Page::kApSsid, "Caf\u00e9 \U0001F4F7");
    Choose(network, Page::kBand, 0);
    Choose(network, Page::kChannel, 6);
    network.SetItemText(Page::kStaPassword, "m\u1eadt kh\u1ea9u");
    network.SetItemText(Page::kPinCode, "11223344");
    Press(network, Page::kWifiApply);
    Put(expected.wifiApSetting, WifiApSetting{"Caf\u00e9 \U0001F4F7", "p\u00e4sswort", 2, 0, 6});
    Put(expected.wifiStaSetting, WifiStaSetting{"\u9580\u53e3", "m\u1eadt kh\u1ea9u", 1});
    expected.p2pCode = "11223344";
    EXPECT_EQ(Records(camera->state()), Records(expected));

    network.SetItemText(Page::kPairName, "Brustgurt \u2665");
    network.SetItemText(Page::kHeartRateLow, "0");
    network.SetItemText(Page::kHeartRateHigh, "255");
    Press(network, Page::kBluetoothApply);
    Put(expected.bluetoothInfo,
        BluetoothInfo{2, "001122334455", "Brustgurt \u2665", "665544332211", 0, 255});
    EXPECT_EQ(Records(camera->state()), Records(expected));
    EXPECT_EQ(messages.Texts(), (std::vector<QString>{"Network Settings set successfully.",
                                                      "Wifi Settings set successfully.",
                                                      "Bluetooth Settings set successfully."}));
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
        Choose(network, Page::kBand, c.chosenBand);
        EXPECT_EQ(Entries(network, Page::kChannel), c.entries);
        EXPECT_EQ(network.GetItemText(Page::kChannel), c.selected);
        Press(network, Page::kWifiApply);
        EXPECT_EQ(camera->state().wifiApSetting[offsetof(WifiApSetting, channel)],
                  network.SelectedListValue(Page::kChannel));
    }
}

// One operator action on a page shown afresh: what is typed, the button pressed
// (none: only the showing) and an exchange that gets no reply; then what the
// operator is told and which commands the camera executed.
struct Action {
    int tab;
    std::vector<std::pair<int, QString>> typed;
    int button;
    unsigned faultAt;
    std::vector<QString> messages;
    Codes commands;
};

class PageActions : public CameraSession {
protected:
    TabPage& Show(int tab) {
        if (tab == 0) return Shown<CSysManagerDlg>();
        return tab == 2 ? static_cast<TabPage&>(Shown<Page>()) : Shown<CDialogEncryption>();
    }
};

TEST_F(PageActions, EachActionSaysWhatHappenedAndSendsWhatItShould) {
    using Info = CSysManagerDlg;
    using Crypt = CDialogEncryption;
    const QString shortKey = "Please enter 32-character AES key.";
    const QString wideKey = "AES Key takes at most 32 bytes of text.";
    const QString heart = "Heart Rate 0-255!", wifi = "Wifi Settings set successfully.";
    const QString failed = "Failed", p2p = "P2P Code must be 8 digits";
    const QString tooLong = "Password takes at most 31 bytes of text.";
    const QString umlauts = QString("\u00e4").repeated(16);  // 32 bytes of UTF-8
    const Codes wifiWrites{0x59, 0x5B, 0x5E};
    const Action actions[] = {
        // Model, user and device IDs, battery, version, bar code, disk space, watermark, lock.
        {0, {}, Info::kRefresh, 0, {}, {0x2D, 0x31, 0x29, 0x01, 0x33, 0x35, 0x44, 0x3D}},
        {2, {}, 0, 0, {}, {0x52, 0x58, 0x5C, 0x5A, 0x5F, 0x62, 0x54, 0x56}},
        {2, {}, Page::kNetworkRefresh, 0, {}, {0x52}},
        {2, {}, Page::kWifiRefresh, 0, {}, {0x58, 0x5C, 0x5A, 0x5F, 0x62}},
        {2, {}, Page::kBluetoothRefresh, 0, {}, {0x54}},
        {2, {{Page::kPinCode, "1234567"}}, Page::kWifiApply, 0, {p2p}, wifiWrites},
        {2, {{Page::kPinCode, "12345678"}}, Page::kWifiApply, 0, {wifi}, {0x59, 0x5B, 0x5E, 0x63}},
        {2, {{Page::kHeartRateHigh, "256"}}, Page::kBluetoothApply, 0, {heart}, {}},
        {2, {{Page::kHeartRateLow, "-1"}}, Page::kBluetoothApply, 0, {heart}, {}},
        {2, {{Page::kHeartRateLow, ""}}, Page::kBluetoothApply, 0, {heart}, {}},
        {2, {{Page::kStaPassword, umlauts}}, Page::kWifiApply, 0, {tooLong}, {}},
        {2, {}, Page::kNetworkRefresh, 1, {"Camera Not Connected"}, {0x52}},
        {2, {}, Page::kNetworkApply, 1, {failed}, {0x53}},
        {2, {}, Page::kWifiRefresh, 1, {"GetWifiUniversal Failed"}, {0x58}},
        {2, {}, Page::kWifiRefresh, 3, {"Get AP Setting Failed"}, {0x58, 0x5C, 0x5A}},
        {2, {}, Page::kWifiRefresh, 4, {"Get STA Setting Failed"}, {0x58, 0x5C, 0x5A, 0x5F}},
        {2, {}, Page::kWifiRefresh, 5, {"Get P2P PIN Failed"}, {0x58, 0x5C, 0x5A, 0x5F, 0x62}},
        {2, {}, Page::kWifiApply, 1, {"WifiUniversal Setting Failed"}, {0x59}},
        {2, {}, Page::kWifiApply, 2, {"AP Setting Failed"}, {0x59, 0x5B}},
        {2, {}, Page::kWifiApply, 3, {"STA Setting Failed"}, wifiWrites},
        {2, {}, Page::kWifiApply, 4, {"Set P2P PIN Failed"}, {0x59, 0x5B, 0x5E, 0x63}},
        {2, {}, Page::kBluetoothApply, 1, {failed}, {0x55}},
        {3, {{Crypt::kAesKey, QString(31, u'k')}}, Crypt::kApply, 0, {shortKey}, {}},
        {3, {{Crypt::kAesKey, QString(32, QChar(0xE4))}}, Crypt::kApply, 0, {wideKey}, {}},
    };
    AddCamera(Seeded());
    LogIn(kAdministrator);
    for (const Action& action : actions) {
        SCOPED_TRACE(testing::Message() << "tab " << action.tab << " button " << action.button
                                        << " fault " << action.faultAt);
        camera->update([](camsim::CameraState& state) { state = Seeded(); });
        TabPage& page = Show(action.tab);
        for (const auto& [id, text] : action.typed) page.SetItemText(id, text);
        if (action.faultAt != 0) camera->injectFault(camsim::Fault::NoReply, action.faultAt);
        if (action.button != 0) {
            Press(page, action.button);
        } else {
            page.ShowPage(false);
            page.ShowPage(true);
        }
        camera->clearFaults();
        EXPECT_EQ(messages.Texts(), action.messages);
        EXPECT_EQ(Commands(), action.commands);
        messages.shown.clear();
    }
}

}  // namespace
