// The login dialog with the real libPetrel.so beside the test program, over cameras
// simulated under umockdev, driven as an operator would.
#include <QLabel>
#include <QTest>

#include "camera_entries.h"
#include "camera_session.h"
#include "login_dlg.h"

namespace {

using camsim::Carrier;

// The library of `app` without its export `hidden`.
class Lacking final : public Camera {
public:
    Lacking(const Camera& app, std::string hidden) : m_app(app), m_hidden(std::move(hidden)) {}
    void* LookUpExport(const char* name) const override {
        return name == m_hidden ? nullptr : m_app.LookUpExport(name);
    }
    DeviceConnection* Connection() const override { return m_app.Connection(); }

private:
    const Camera& m_app;
    std::string m_hidden;
};

TEST_F(CameraSession, TheLoginOpensWithItsTitleChoicesAndLimitAndEnterPressesLogin) {
    AddCamera();
    CLoginDlg dialog(app);
    dialog.Open();
    EXPECT_EQ(dialog.windowTitle(), QString("Login-Vireo %1 ").arg(VIREO_VERSION_TEXT));
    EXPECT_EQ(dialog.ListCount(CLoginDlg::kUserType), 2);
    EXPECT_EQ(dialog.ListEntryText(CLoginDlg::kUserType, 0), "General User");
    EXPECT_EQ(dialog.ListEntryText(CLoginDlg::kUserType, 1), "Administrator");
    EXPECT_EQ(dialog.ListSelection(CLoginDlg::kUserType), 0);
    EXPECT_EQ(dialog.GetItemText(CLoginDlg::kPassword), "");
    EXPECT_EQ(dialog.focusWidget(), dialog.Item(CLoginDlg::kPassword));
    EXPECT_FALSE(dialog.IsItemShown(CLoginDlg::kCamera));  // one camera: nothing to choose
    EXPECT_FALSE(dialog.IsItemShown(dialog::IDCANCEL));
    // Each control is named by its label, for screen readers and for the label's mnemonic.
    for (const auto& [label, control] :
         {std::pair{CLoginDlg::kUserTypeLabel, CLoginDlg::kUserType},
          std::pair{CLoginDlg::kPasswordLabel, CLoginDlg::kPassword}}) {
        EXPECT_TRUE(dialog.IsItemShown(label));
        EXPECT_EQ(qobject_cast<QLabel*>(dialog.Item(label))->buddy(), dialog.Item(control));
        EXPECT_EQ(dialog.Item(control)->accessibleName(), dialog.GetItemText(label));
    }
    QTest::keyClicks(dialog.Item(CLoginDlg::kPassword), "12345678");
    EXPECT_EQ(dialog.GetItemText(CLoginDlg::kPassword), "123456");
    QTest::keyClick(dialog.Item(CLoginDlg::kPassword), Qt::Key_Return);  // presses Login
    EXPECT_EQ(dialog.Result(), dialog::IDOK);
}

TEST(Login, ReachesTheRightCameraAndSaysWhyItCannot) {
    MessageRecorder messages;
    camsim::CameraState lockedAfterOne, widePassword;
    lockedAfterOne.lockout.maxAttempts = 1;
    // Characters beyond one byte each: six of them fit the box, their bytes the buffers.
    const char* wide = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9\xC3\xA8";
    widePassword.passwords[kAdministrator] = wide;
    const QString wrong = "Wrong login password.";
    const struct {
        const char* name;
        std::vector<std::pair<Carrier, camsim::CameraState>> cameras = {{Carrier::Usb, {}}};
        std::vector<std::pair<const char*, int>> presses;  // password, user type
        std::vector<QString> messages = {};
        int verifiedCamera = -1;  // index of the camera that verified the last press
        bool connected = true;    // the library stays loaded, a camera connected
        std::pair<const char*, int> offered = {"", kGeneralUser};  // by the next login
        std::vector<std::string> trail = {};  // every refused password check is recorded
        unsigned unansweredFrom = 0;          // the first camera's exchange that goes unanswered
    } cases[] = {
        {.name = "the chosen user type's password is checked",
         .presses = {{"888888", kGeneralUser}, {"888888", kAdministrator}},
         .messages = {wrong},
         .verifiedCamera = 0,
         .offered = {"888888", kAdministrator},
         .trail = {"SN0000000001 login STATUS_NOT_VERIFIED"}},
        {.name = "a locked-out camera asks to wait",
         .cameras = {{Carrier::Usb, lockedAfterOne}},
         .presses = {{"000000", kAdministrator}, {"123456", kGeneralUser}},
         .messages = {wrong, "Wrong login password, please login in 3 minutes."},
         .offered = {"123456", kGeneralUser},
         .trail = {"SN0000000001 login STATUS_NOT_VERIFIED",
                   "SN0000000001 login STATUS_PASSWORD_LOCKED"}},
        {.name = "a check the camera does not answer is a wrong password",
         .presses = {{"654321", kAdministrator}},
         .messages = {wrong},
         .offered = {"654321", kAdministrator},
         .trail = {"SN0000000001 login STATUS_FAILED"},
         .unansweredFrom = 5},  // after the four of the connection
        {.name = "a short password is refused before any connection",
         .presses = {{"12345", kAdministrator}},
         .messages = {"Please enter 6-character password."},
         .connected = false},
        {.name = "a camera that does not answer the connection is none",
         .presses = {{"123456", kGeneralUser}},
         .messages = {"Connection Failed."},
         .connected = false,
         .unansweredFrom = 1},
        {.name = "a wide password is sent and offered again",
         .cameras = {{Carrier::Usb, widePassword}},
         .presses = {{wide, kAdministrator}},
         .verifiedCamera = 0,
         .offered = {wide, kAdministrator}},
        {.name = "without a USB camera the disk is used",
         .cameras = {{Carrier::Disk, {}}},
         .presses = {{"123456", kGeneralUser}},
         .verifiedCamera = 0,
         .offered = {"123456", kGeneralUser}},
        {.name = "without a camera the connection fails",
         .cameras = {},
         .presses = {{"123456", kGeneralUser}},
         .messages = {"Connection Failed."},
         .connected = false},
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
        if (row.unansweredFrom > 0)
            added[0]->injectFault(camsim::Fault::NoReply, row.unansweredFrom,
                                  camsim::FaultSpan::FromThenOn);
        CVireoApp session(OptionsFor(platform::ProgramDirectory()));
        CLoginDlg login(session);
        login.Open();
        for (const auto& [password, userType] : row.presses) {
            login.SelectListIndex(CLoginDlg::kUserType, userType);
            login.SetItemText(CLoginDlg::kPassword, QString::fromUtf8(password));
            Press(login, CLoginDlg::kLogin);
        }
        EXPECT_EQ(messages.Texts(), row.messages);
        for (const auto& shown : messages.shown) EXPECT_EQ(shown.title, "Prompt");
        EXPECT_EQ(AuditTrail(), row.trail);
        EXPECT_EQ(login.Result(), row.verifiedCamera >= 0 ? dialog::IDOK : 0);
        for (std::size_t i = 0; i < added.size(); ++i)
            EXPECT_EQ(added[i]->session().verifiedLevel,
                      static_cast<int>(i) == row.verifiedCamera ? row.presses.back().second : -1);
        EXPECT_EQ(session.IsLibraryLoaded(), row.connected);
        if (!added.empty()) {
            EXPECT_EQ(OpenHandles(*added[0]), row.connected ? 1 : 0);
        }
        // The type and password last sent are offered again, whether or not the camera took them.
        CLoginDlg next(session);
        next.Open();
        EXPECT_EQ(next.ListSelection(CLoginDlg::kUserType), row.offered.second);
        EXPECT_EQ(next.GetItemText(CLoginDlg::kPassword), QString::fromUtf8(row.offered.first));
    }
}

// A camera of another interface version stays connected, the user type untouched, until
// the next press closes it; no connection outlives the program.
TEST_F(CameraSession, AVersionMismatchIsReportedAndItsConnectionClosedAtTheNextPress) {
    camsim::CameraState otherInterface;
    otherInterface.version = "FW_2.4.1_API_0.9.0_B0420";
    AddCamera(otherInterface);
    {
        CVireoApp session(OptionsFor(platform::ProgramDirectory()));
        CLoginDlg login(session);
        login.Open();
        login.SelectListIndex(CLoginDlg::kUserType, kAdministrator);
        login.SetItemText(CLoginDlg::kPassword, "888888");
        Press(login, CLoginDlg::kLogin);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{"Firmware version mismatch."});
        EXPECT_NE(session.Connection(), nullptr);
        EXPECT_EQ(OpenHandles(*camera), 1);
        EXPECT_EQ(g_nUserType, kGeneralUser);

        camera->update(
            [](camsim::CameraState& state) { state.version = camsim::CameraState{}.version; });
        Press(login, CLoginDlg::kLogin);
        EXPECT_EQ(login.Result(), dialog::IDOK);
        EXPECT_EQ(camera->session().verifiedLevel, kAdministrator);
        EXPECT_EQ(OpenHandles(*camera), 1);
    }
    EXPECT_EQ(OpenHandles(*camera), 0);
}

// A library without one of the exports a camera is found and connected with finds none.
TEST_F(CameraSession, ALibraryLackingAListOrConnectExportFindsNoCamera) {
    AddCamera();
    LogIn(kGeneralUser);
    for (const char* hidden : {"", "EnumDeviceList", "EnumStorageList", "ConnectDevice"}) {
        const Lacking library(app, hidden);
        const CameraEntries entries(library, Carriers::All);
        EXPECT_EQ(entries.Usable(), *hidden == '\0') << hidden;
        EXPECT_EQ(entries.Entries().size(), *hidden == '\0' ? 1u : 0u) << hidden;
    }
}

}  // namespace
