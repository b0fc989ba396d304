// Several cameras and a camera that leaves, with the real libPetrel.so beside the
// test program, over cameras simulated under umockdev.
#include <QTest>

#include "camera_session.h"
#include "login_dlg.h"
#include "vireo_dlg.h"

namespace {

using camsim::Carrier;
using namespace Qt::StringLiterals;

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
    // Each operation is recorded with the camera it reached, as far as Vireo had read it.
    EXPECT_EQ(AuditTrail(), (std::vector<std::string>{
                                "SN-One clock sync STATUS_OK",
                                "SN-One identity set STATUS_OK: userName \"Officer One\" -> "
                                "\"Officer Renamed\""}));
    const auto trail = petrel::audit::ReadFile(AuditTrailPath(), {}).records;
    ASSERT_EQ(trail.size(), 2u);
    const petrel::audit::Record& apply = trail[1];
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{apply.program, apply.programVersion, apply.carrier, apply.cameraBarCode,
                     apply.cameraModel, apply.cameraFirmware}),
              (Texts{"vireo", &VIREO_VERSION_TEXT[1], "usb", "BC-One", "BWC_X1",
                     "FW_2.4.1_API_1.0.8_B0420"}));
    EXPECT_TRUE(apply.location.starts_with("bus 1 device ")) << apply.location;
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
