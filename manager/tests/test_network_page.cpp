// The network page over a simulated camera, driven as an operator would: what it
// shows, what the camera stores after Apply, its rules and its messages.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <array>
#include <cstring>
#include <functional>
#include <tuple>

#include "app_state.h"
#include "dialog_network.h"
#include "login_dlg.h"
#include "program_path.h"
#include "test_support.h"

namespace {

using Page = CDialogNetWork;

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

// Command codes of the requests the camera received.
std::vector<int> Requests(const camsim::Camera& camera) {
    std::vector<int> codes;
    for (const auto& request : camera.log())
        if (request.direction == camsim::Direction::Write) codes.push_back(request.code);
    return codes;
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

class NetworkPage : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }

    // Logs in to a camera holding `state` and shows the page.
    Page& Open(const camsim::CameraState& state = Seeded(), int userType = kAdministrator,
               camsim::Carrier carrier = camsim::Carrier::Usb) {
        camera = &(carrier == camsim::Carrier::Usb ? simulator.addUsbCamera(state)
                                                   : simulator.addDiskCamera(state));
        CLoginDlg login(app);
        login.Open();
        login.SelectListIndex(CLoginDlg::kUserType, userType);
        login.SetItemText(CLoginDlg::kPassword, userType == kAdministrator ? "888888" : "123456");
        Press(login, CLoginDlg::kLogin);
        page = std::make_unique<Page>(app, app.Texts());
        page->Create(nullptr, g_nUserType);
        page->ShowPage(true);
        messages.shown.clear();
        camera->clearLog();
        return *page;
    }

    camsim::Simulator simulator;
    MessageRecorder messages;
    CVireoApp app{OptionsFor(platform::ProgramDirectory())};
    camsim::Camera* camera = nullptr;
    std::unique_ptr<Page> page;
};

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
    Page& network = Open();
    for (const auto& [id, text] : shown) EXPECT_EQ(network.GetItemText(id), text) << id;
    EXPECT_EQ(network.GetAddress(Page::kServerIp), 0xC0A80114u);
}

class NetworkPageOnEitherCarrier : public NetworkPage,
                                   public ::testing::WithParamInterface<camsim::Carrier> {};

TEST_P(NetworkPageOnEitherCarrier, ApplyStoresExactlyWhatWasTypedAndLeavesTheRestAsRead) {
    struct Case {
        const char* name;
        std::function<void(Page&)> type;
        int apply;
        std::function<void(camsim::CameraState&)> stored;
        QString message;
    };
    const Case cases[] = {
        {"network",
         [](Page& p) {
             p.SetItemText(Page::kDeviceName, "Wache S\u00fcd");
             p.SetAddress(Page::kServerIp, 0x0A000102);
             p.SelectListIndex(Page::kServerArea, 26);  // Italy
         },
         Page::kNetworkApply,
         [](camsim::CameraState& s) {
             std::memcpy(s.networkInfo.data(), "Wache S\u00fcd", 10);
             std::memcpy(s.networkInfo.data() + offsetof(NetworkInfo, serverIp), "10.0.1.2\0\0\0\0",
                         12);
         },
         "Network Settings set successfully."},
        {"wifi",
         [](Page& p) {
             p.SetItemText(Page::kApSsid, "Caf\u00e9 \U0001F4F7");
             Choose(p, Page::kBand, 0);
             Choose(p, Page::kChannel, 6);
             p.SetItemText(Page::kStaPassword, "m\u1eadt kh\u1ea9u");
             p.SetItemText(Page::kPinCode, "11223344");
         },
         Page::kWifiApply,
         [](camsim::CameraState& s) {
             WifiApSetting accessPoint{"Caf\u00e9 \U0001F4F7", "p\u00e4sswort", 2, 0, 6};
             Put(s.wifiApSetting, accessPoint);
             WifiStaSetting station{"\u9580\u53e3", "m\u1eadt kh\u1ea9u", 1};
             Put(s.wifiStaSetting, station);
             s.p2pCode = "11223344";
         },
         "Wifi Settings set successfully."},
        {"bluetooth",
         [](Page& p) {
             p.SetItemText(Page::kPairName, "Brustgurt \u2665");
             p.SetItemText(Page::kHeartRateLow, "0");
             p.SetItemText(Page::kHeartRateHigh, "255");
         },
         Page::kBluetoothApply,
         [](camsim::CameraState& s) {
             BluetoothInfo bluetooth{2, "001122334455", "Brustgurt \u2665", "665544332211", 0, 255};
             Put(s.bluetoothInfo, bluetooth);
         },
         "Bluetooth Settings set successfully."},
    };
    Page& network = Open(Seeded(), kAdministrator, GetParam());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        camsim::CameraState expected = camera->state();
        c.type(network);
        Press(network, c.apply);
        c.stored(expected);
        EXPECT_EQ(Records(camera->state()), Records(expected));
        EXPECT_EQ(messages.Texts(), std::vector<QString>{c.message});
        messages.shown.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(Carriers, NetworkPageOnEitherCarrier,
                         ::testing::Values(camsim::Carrier::Usb, camsim::Carrier::Disk));

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
    Page& network = Open(camsim::CameraState{});  // its access point reports no channel
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

TEST_F(NetworkPage, ThePairingCodeIsEightDigitsAndIsCheckedAfterTheRecordsAreWritten) {
    struct Case {
        const char* code;
        QString message;
        std::vector<int> requests;
        std::string stored;
    };
    const Case cases[] = {
        {"1234567", "P2P Code must be 8 digits", {0x59, 0x5B, 0x5E}, "87654321"},
        {"12345678", "Wifi Settings set successfully.", {0x59, 0x5B, 0x5E, 0x63}, "12345678"},
    };
    Page& network = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        network.SetItemText(Page::kPinCode, c.code);
        Press(network, Page::kWifiApply);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{c.message});
        EXPECT_EQ(Requests(*camera), c.requests);
        EXPECT_EQ(camera->state().p2pCode, c.stored);
        messages.shown.clear();
        camera->clearLog();
    }
}

TEST_F(NetworkPage, HeartRatesOutside0To255AreRefusedAndNothingIsSent) {
    const std::tuple<QString, QString, QString> cases[] = {
        {"0", "255", "Bluetooth Settings set successfully."},
        {"60", "256", "Heart Rate 0-255!"},
        {"-1", "100", "Heart Rate 0-255!"},
        {"", "100", "Heart Rate 0-255!"},
    };
    Page& network = Open();
    for (const auto& [low, high, message] : cases) {
        network.SetItemText(Page::kHeartRateLow, low);
        network.SetItemText(Page::kHeartRateHigh, high);
        Press(network, Page::kBluetoothApply);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{message})
            << low.toStdString() << " " << high.toStdString();
        EXPECT_EQ(Requests(*camera).size(), message.startsWith("Heart") ? 0u : 1u);
        messages.shown.clear();
        camera->clearLog();
    }
}

TEST_F(NetworkPage, EachFailureSaysWhatFailed) {
    struct Case {
        int button;
        unsigned exchange;  // the failing one of the button's exchanges
        QString message;
    };
    const Case cases[] = {
        {Page::kNetworkRefresh, 1, "Camera Not Connected"},
        {Page::kNetworkApply, 1, "Failed"},
        {Page::kWifiRefresh, 1, "GetWifiUniversal Failed"},
        {Page::kWifiRefresh, 3, "Get AP Setting Failed"},
        {Page::kWifiRefresh, 4, "Get STA Setting Failed"},
        {Page::kWifiRefresh, 5, "Get P2P PIN Failed"},
        {Page::kWifiApply, 1, "WifiUniversal Setting Failed"},
        {Page::kWifiApply, 2, "AP Setting Failed"},
        {Page::kWifiApply, 3, "STA Setting Failed"},
        {Page::kWifiApply, 4, "Set P2P PIN Failed"},
        {Page::kBluetoothApply, 1, "Failed"},
    };
    Page& network = Open();
    for (const Case& c : cases) {
        camera->injectFault(camsim::Fault::NoReply, c.exchange);
        Press(network, c.button);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{c.message})
            << c.button << " " << c.exchange;
        messages.shown.clear();
    }
}

TEST_F(NetworkPage, EachRefreshAsksForItsRecordsOnceEach) {
    const std::pair<std::function<void(Page&)>, std::vector<int>> cases[] = {
        {[](Page& p) {
             p.ShowPage(false);
             p.ShowPage(true);
         },
         {0x52, 0x58, 0x5C, 0x5A, 0x5F, 0x62, 0x54, 0x56}},
        {[](Page& p) { Press(p, Page::kNetworkRefresh); }, {0x52}},
        {[](Page& p) { Press(p, Page::kWifiRefresh); }, {0x58, 0x5C, 0x5A, 0x5F, 0x62}},
        {[](Page& p) { Press(p, Page::kBluetoothRefresh); }, {0x54}},
    };
    Page& network = Open();
    for (const auto& [refresh, requests] : cases) {
        refresh(network);
        EXPECT_EQ(Requests(*camera), requests);
        camera->clearLog();
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NetworkPage, TooLongTextsAreRefusedBeforeAnythingIsSent) {
    Page& network = Open();
    network.SetItemText(Page::kStaPassword, QString("\u00e4").repeated(16));  // 32 bytes of UTF-8
    Press(network, Page::kWifiApply);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Password takes at most 31 bytes of text."});
    EXPECT_TRUE(Requests(*camera).empty());
}

TEST_F(NetworkPage, WritingFollowsTheUserTypeOfTheLatestLogin) {
    Page& network = Open(Seeded(), kGeneralUser);
    for (const int userType : {kGeneralUser, kAdministrator}) {
        network.SetUserType(userType);
        const bool administrator = userType == kAdministrator;
        for (const int apply : {Page::kNetworkApply, Page::kWifiApply, Page::kBluetoothApply})
            EXPECT_EQ(network.IsItemEnabled(apply), administrator) << apply;
        for (const int edit :
             {Page::kDeviceName, Page::kApSsid, Page::kPinCode, Page::kHeartRateLow})
            EXPECT_EQ(network.IsReadOnly(edit), !administrator) << edit;
        EXPECT_TRUE(network.IsItemEnabled(Page::kWifiRefresh));
    }
    EXPECT_EQ(network.GetItemText(Page::kDeviceName), "Unit 7");
}

}  // namespace
