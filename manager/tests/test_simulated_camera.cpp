// Login with the real libPetrel.so beside the test program, over cameras simulated
// under umockdev.
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
    camsim::Camera* added[] = {&cameras.addDiskCamera(identity("Disk")),
                               &cameras.addUsbCamera(identity("One")),
                               &cameras.addUsbCamera(identity("Two"))};
    const auto clearLogs = [&] {
        for (camsim::Camera* camera : added) camera->clearLog();
    };
    // Which cameras heard anything since the logs were cleared.
    const auto reached = [&] {
        std::vector<bool> heard;
        for (camsim::Camera* camera : added) heard.push_back(!camera->log().empty());
        return heard;
    };
    // Checks the list, chooses a camera and logs in; `unplugged` leaves before the press.
    const auto choose = [&](std::vector<QString> listed, int index, int userType,
                            camsim::Camera* unplugged = nullptr) {
        return [=](CLoginDlg& login) {
            EXPECT_TRUE(login.IsItemShown(CLoginDlg::kCamera));
            EXPECT_EQ(login.ListSelection(CLoginDlg::kCamera), 0);
            std::vector<QString> shown;
            for (int i = 0; i < login.ListCount(CLoginDlg::kCamera); ++i)
                shown.push_back(login.ListEntryText(CLoginDlg::kCamera, i));
            EXPECT_EQ(shown, listed);
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
    // The camera listed before the chosen one leaves before Login: the choice still holds.
    script.Then<CLoginDlg>(choose({one, two, disk}, 1, kAdministrator, added[1]))
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            EXPECT_EQ(reached(), (std::vector<bool>{false, false, true}));
            EXPECT_EQ(added[2]->session().verifiedLevel, kAdministrator);
            EXPECT_EQ(window.windowTitle(), title + u"USB · BC-Two · SN-Two · Officer Two"_s);
            EXPECT_EQ(window.GetItemText(CVireoDlg::kCameraLine),
                      "Connected camera: bar code BC-Two, serial number SN-Two, user name Officer "
                      "Two, on USB");
            // A new user name shows as soon as the info page wrote it.
            TabPage& info = *window.PageOfTab(0);
            info.SetItemText(CSysManagerDlg::kUserName, "Officer Renamed");
            Press(info, CSysManagerDlg::kApply);
            EXPECT_EQ(window.windowTitle(), title + u"USB · BC-Two · SN-Two · Officer Renamed"_s);
            script.Then<CLoginDlg>(choose({two, disk}, 1, kGeneralUser));
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

}  // namespace
