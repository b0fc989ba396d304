// Login with the real libPetrel.so beside the test program, over cameras simulated
// under umockdev.
#include <QTest>

#include "camera_session.h"
#include "login_dlg.h"
#include "vireo_dlg.h"

namespace {

using camsim::Carrier;
using namespace Qt::StringLiterals;

TEST(Login, ReachesTheRightCameraAndSaysWhyItCannot) {
    MessageRecorder messages;
    camsim::CameraState lockedAfterOne, otherInterface;
    lockedAfterOne.lockout.maxAttempts = 1;
    otherInterface.version = "FW_2.4.1_API_0.9.0_B0420";
    const QString wrong = "Wrong login password.";
    const struct {
        const char* name;
        std::vector<std::pair<Carrier, camsim::CameraState>> cameras;
        std::vector<std::pair<const char*, int>> presses;  // password, user type
        std::vector<QString> messages;
        int verifiedCamera;  // index of the camera that verified the last press, or -1
    } cases[] = {
        {"the chosen user type's password is checked",
         {{Carrier::Usb, {}}},
         {{"888888", kGeneralUser}, {"888888", kAdministrator}},
         {wrong},
         0},
        {"a locked-out camera asks to wait",
         {{Carrier::Usb, lockedAfterOne}},
         {{"000000", kGeneralUser}, {"123456", kGeneralUser}},
         {wrong, "Wrong login password, please login in 3 minutes."},
         -1},
        {"another interface version is refused",
         {{Carrier::Usb, otherInterface}},
         {{"123456", kGeneralUser}},
         {"Firmware version mismatch."},
         -1},
        {"without a USB camera the disk is used", {{Carrier::Disk, {}}}, {{"123456", 0}}, {}, 0},
        {"without a camera the connection fails", {}, {{"123456", 0}}, {"Connection Failed."}, -1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ResetProcessState();
        messages.shown.clear();
        camsim::Simulator cameras;
        std::vector<camsim::Camera*> added;
        for (const auto& [carrier, state] : row.cameras)
            added.push_back(&(carrier == Carrier::Usb ? cameras.addUsbCamera(state)
                                                      : cameras.addDiskCamera(state)));
        CVireoApp session(OptionsFor(platform::ProgramDirectory()));
        CLoginDlg login(session);
        login.Open();
        for (const auto& [password, userType] : row.presses) {
            login.SelectListIndex(CLoginDlg::kUserType, userType);
            login.SetItemText(CLoginDlg::kPassword, password);
            Press(login, CLoginDlg::kLogin);
        }
        EXPECT_EQ(messages.Texts(), row.messages);
        EXPECT_EQ(login.Result(), row.verifiedCamera >= 0 ? dialog::IDOK : 0);
        for (std::size_t i = 0; i < added.size(); ++i)
            EXPECT_EQ(added[i]->session().verifiedLevel,
                      static_cast<int>(i) == row.verifiedCamera ? row.presses.back().second : -1);
        // The last press's type is the login's, whether or not the camera accepted it.
        if (!row.cameras.empty()) {
            EXPECT_EQ(g_nUserType, row.presses.back().second);
        }
        EXPECT_EQ(session.IsLibraryLoaded(), !row.cameras.empty());
    }
}

// With several cameras the login lists them all, USB first; the chosen one is
// connected, and the main window names it, also after a Reconnect to another.
TEST(Login, OffersEveryCameraAndConnectsTheChosenOne) {
    MessageRecorder messages;
    ResetProcessState();
    camsim::Simulator cameras;
    const auto identity = [](const std::string& name) {
        camsim::CameraState state;
        state.barCode = "BC-" + name;
        state.serial = "SN-" + name;
        state.userName = "Officer " + name;
        state.userId = "100001";  // so that the info page's Apply takes its identity
        return state;
    };
    // The third is plugged in while the login is open.
    camsim::Camera* added[] = {&cameras.addDiskCamera(identity("Disk")),
                               &cameras.addUsbCamera(identity("One")), nullptr};
    const auto clearLogs = [&] {
        for (camsim::Camera* camera : added) camera->clearLog();
    };
    // Which cameras heard anything since the logs were cleared.
    const auto reached = [&] {
        std::vector<bool> heard;
        for (camsim::Camera* camera : added) heard.push_back(!camera->log().empty());
        return heard;
    };
    const auto listed = [](const CLoginDlg& login) {
        std::vector<QString> shown;
        for (int i = 0; i < login.ListCount(CLoginDlg::kCamera); ++i)
            shown.push_back(login.ListEntryText(CLoginDlg::kCamera, i));
        return shown;
    };
    // Checks the list and its selection, chooses a camera and logs in; `unplugged`
    // leaves before the press.
    const auto choose = [&](std::vector<QString> expected, int selected, int index, int userType,
                            camsim::Camera* unplugged = nullptr) {
        return [=](CLoginDlg& login) {
            EXPECT_TRUE(login.IsItemShown(CLoginDlg::kCamera));
            EXPECT_EQ(login.ListSelection(CLoginDlg::kCamera), selected);
            EXPECT_EQ(listed(login), expected);
            login.SelectListIndex(CLoginDlg::kCamera, index);
            login.SelectListIndex(CLoginDlg::kUserType, userType);
            login.SetItemText(CLoginDlg::kPassword,
                              userType == kAdministrator ? "888888" : "123456");
            if (unplugged != nullptr) unplugged->unplug();
            clearLogs();
            Press(login, CLoginDlg::kLogin);
        };
    };
    const QString one = u"USB · BC-One · SN-One"_s, two = u"USB · BC-Two · SN-Two"_s,
                  disk = u"camera disk D · BC-Disk · SN-Disk"_s;
    const QString title = u"Vireo " VIREO_VERSION_TEXT " "_s;
    CVireoApp app(OptionsFor(platform::ProgramDirectory()));
    ModalScript script;
    script
        .Then<CLoginDlg>([&](CLoginDlg& login) {
            EXPECT_EQ(listed(login), (std::vector<QString>{one, disk}));
            // Plugged in now, it is listed at once (first, as the bus lists it), read and
            // named; the choice stays on the camera chosen, which is not asked again.
            added[1]->clearLog();
            added[2] = &cameras.addUsbCamera(identity("Two"));
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return login.ListCount(CLoginDlg::kCamera) == 3; }, 1000));
            EXPECT_TRUE(added[1]->log().empty());
            // The camera listed before the chosen one leaves before Login: the choice holds.
            choose({two, one, disk}, 1, 1, kAdministrator, added[2])(login);
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            EXPECT_EQ(reached(), (std::vector<bool>{false, true, false}));
            EXPECT_EQ(added[1]->session().verifiedLevel, kAdministrator);
            EXPECT_EQ(window.windowTitle(), title + u"USB · BC-One · SN-One · Officer One"_s);
            EXPECT_EQ(window.GetItemText(CVireoDlg::kCameraLine),
                      "Connected camera: bar code BC-One, serial number SN-One, user name Officer "
                      "One, on USB");
            // A new user name shows as soon as the info page wrote it.
            TabPage& info = *window.PageOfTab(0);
            info.SetItemText(CSysManagerDlg::kUserName, "Officer Renamed");
            Press(info, CSysManagerDlg::kApply);
            EXPECT_EQ(window.windowTitle(), title + u"USB · BC-One · SN-One · Officer Renamed"_s);
            script.Then<CLoginDlg>(choose({one, disk}, 0, 1, kGeneralUser));
            Press(window, CVireoDlg::kReconnect);
            EXPECT_EQ(reached(), (std::vector<bool>{true, false, false}));
            EXPECT_EQ(added[0]->session().verifiedLevel, kGeneralUser);
            EXPECT_EQ(window.windowTitle(),
                      title + u"camera disk D · BC-Disk · SN-Disk · Officer Disk"_s);
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Set Successfully."});
}

// The camera pulled out of the main window's computer: a failing exchange says so, the
// window says so within a second with its pages disabled, nothing is sent to it when it
// is back, and one press reconnects it as the same user.
TEST_P(CameraSession, TheWindowSaysItsCameraLeftAndReconnectsItInOnePress) {
    camsim::CameraState state;
    state.barCode = "BC-Unit7";
    state.serial = "SN-Unit7";
    AddCamera(state, GetParam());
    LogIn(kAdministrator);
    CVireoDlg window(app);
    window.Open();
    const QString named = GetParam() == Carrier::Usb ? u"USB · BC-Unit7 · SN-Unit7"_s
                                                     : u"camera disk D · BC-Unit7 · SN-Unit7"_s;
    const auto line = [&] { return window.GetItemText(CVireoDlg::kCameraLine); };
    messages.shown.clear();

    camera->unplug();
    Press(*window.PageOfTab(0), CSysManagerDlg::kOpenExplorer);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Camera disconnected."});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Tabs().isEnabled(); }, 1000));
    EXPECT_EQ(line(), "Camera disconnected: " + named + ". Plug it in again to go on.");
    EXPECT_FALSE(window.IsItemShown(CVireoDlg::kReconnectCamera));

    camera->clearLog();
    camera->plugIn();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window.IsItemShown(CVireoDlg::kReconnectCamera); }, 1000));
    EXPECT_EQ(line(), "Camera disconnected: " + named +
                          ". It is attached again: press Reconnect to go on.");
    EXPECT_FALSE(window.Tabs().isEnabled());
    EXPECT_TRUE(camera->log().empty());

    Press(window, CVireoDlg::kReconnectCamera);
    EXPECT_EQ(camera->session().verifiedLevel, kAdministrator);
    EXPECT_TRUE(window.Tabs().isEnabled());
    EXPECT_FALSE(window.IsItemShown(CVireoDlg::kReconnectCamera));
    EXPECT_TRUE(line().startsWith("Connected camera: bar code BC-Unit7, serial number SN-Unit7"));
    EXPECT_EQ(messages.Texts().size(), 1u);
    window.close();
}

}  // namespace
