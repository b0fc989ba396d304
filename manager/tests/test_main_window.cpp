// The program's life over simulated cameras: login, main window, tabs, Reconnect,
// About, a camera that leaves, and the end of the program.
#include <QAccessible>
#include <QAction>
#include <QTabBar>
#include <QTest>

#include "about_dlg.h"
#include "camera_session.h"
#include "login_dlg.h"
#include "tab_control.h"
#include "vireo_dlg.h"

namespace {

using camsim::Carrier;
using namespace Qt::StringLiterals;

// A login as `userType` to the camera listed at `camera`.
std::function<void(CLoginDlg&)> LogInAs(int userType, const char* password, int camera = 0) {
    return [=](CLoginDlg& login) {
        login.SelectListIndex(CLoginDlg::kCamera, camera);
        login.SelectListIndex(CLoginDlg::kUserType, userType);
        login.SetItemText(CLoginDlg::kPassword, password);
        Press(login, CLoginDlg::kLogin);
    };
}

std::vector<QString> TabCaptions(const CVireoDlg& window) {
    std::vector<QString> captions;
    for (int i = 0; i < window.Tabs().TabCount(); ++i)
        captions.push_back(window.Tabs().TabCaption(i));
    return captions;
}

std::vector<TabPage*> VisiblePages(CVireoDlg& window) {
    std::vector<TabPage*> visible;
    for (TabPage* page : window.Pages())
        if (page->isVisible()) visible.push_back(page);
    return visible;
}

void ChooseTab(CVireoDlg& window, int index) {
    window.Tabs().findChild<QTabBar*>()->setCurrentIndex(index);
}

// A control of the page on tab `tab`; an edit is writable when not read-only,
// any other control when enabled.
struct Control {
    int tab, id;
    bool edit = false;
};

// Controls that write to the camera, for administrators only.
const Control kWriting[] = {{0, CSysManagerDlg::kApply},
                            {0, CSysManagerDlg::kDefaultSettings},
                            {0, CSysManagerDlg::kLockMemory},
                            {0, CSysManagerDlg::kFormatDisk},
                            {0, CSysManagerDlg::kUserId, true},
                            {0, CSysManagerDlg::kUserName, true},
                            {0, CSysManagerDlg::kDeviceId, true},
                            {0, CSysManagerDlg::kWatermark, true},
                            {1, CParamDlg::kApply},
                            {2, CDialogNetWork::kNetworkApply},
                            {2, CDialogNetWork::kWifiApply},
                            {2, CDialogNetWork::kBluetoothApply},
                            {2, CDialogNetWork::kDeviceName, true},
                            {2, CDialogNetWork::kApSsid, true},
                            {2, CDialogNetWork::kPinCode, true},
                            {2, CDialogNetWork::kHeartRateLow, true},
                            {3, CDialogEncryption::kApply}};
// Controls that only read: buttons always enabled, edits always read-only.
const Control kReading[] = {
    {0, CSysManagerDlg::kRefresh},          {0, CSysManagerDlg::kSyncTime},
    {0, CSysManagerDlg::kOpenExplorer},     {1, CParamDlg::kRefresh},
    {2, CDialogNetWork::kWifiRefresh},      {0, CSysManagerDlg::kModel, true},
    {0, CSysManagerDlg::kMacAddress, true}, {0, CSysManagerDlg::kVersion, true},
    {0, CSysManagerDlg::kBattery, true},    {0, CSysManagerDlg::kFreeSpace, true},
};

bool Writable(CVireoDlg& window, const Control& control) {
    TabPage& page = *window.PageOfTab(control.tab);
    return control.edit ? !page.IsReadOnly(control.id) : page.IsItemEnabled(control.id);
}

void ExpectWritingFor(CVireoDlg& window, int userType) {
    for (const Control& control : kWriting)
        EXPECT_EQ(Writable(window, control), userType == kAdministrator)
            << "tab " << control.tab << " id " << control.id;
    for (const Control& control : kReading)
        EXPECT_EQ(Writable(window, control), !control.edit)
            << "tab " << control.tab << " id " << control.id;
    for (TabPage* page : window.Pages()) EXPECT_EQ(page->UserType(), userType);
}

// Every control an operator can reach has a name a screen reader says, and the
// window behaves as desktop windows do: minimisable, fits a small laptop,
// Escape does not end the program.
void ExpectAnOrdinaryDesktopWindowWithNamedControls(CVireoDlg& window) {
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.windowFlags() & Qt::WindowType_Mask, Qt::Window);
    EXPECT_LE(window.minimumSizeHint().height(), 700);
    for (TabPage* page : window.Pages()) {
        for (QWidget* control : page->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || control->isHidden() ||
                control->focusProxy())
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(accessible, nullptr);
            EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
                << control->metaObject()->className() << " on " << page->metaObject()->className();
        }
    }
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

class Program : public CameraSession {
protected:
    // Runs the program's life with `script` answering its windows.
    void Run() {
        script.Start();
        EXPECT_EQ(app.InitInstance(), 0);
        EXPECT_TRUE(script.Done());
    }

    ModalScript script;
};

TEST_F(Program, AGeneralUserGetsThreeTabsAndAboutAndCancellingAReconnectEnds) {
    AddCamera();
    script.Then<CLoginDlg>(LogInAs(kGeneralUser, "123456"))
        .Then<CVireoDlg>([this](CVireoDlg& window) {
            EXPECT_EQ(window.windowTitle(),
                      QString("Vireo %1 USB \u00B7 BC0000000001 \u00B7 SN0000000001")
                          .arg(VIREO_VERSION_TEXT));
            EXPECT_EQ(TabCaptions(window),
                      (std::vector<QString>{"Camera Info", "Camera Settings", "WiFi&&Bluetooth"}));
            EXPECT_EQ(VisiblePages(window), std::vector<TabPage*>{window.PageOfTab(0)});
            ExpectWritingFor(window, kGeneralUser);
            EXPECT_TRUE(window.actions().contains(window.AboutAction()));
            EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
            script.Then<CAboutDlg>([](CAboutDlg& about) {
                EXPECT_EQ(about.windowTitle(), "About Vireo");
                EXPECT_EQ(about.GetItemText(CAboutDlg::kText),
                          QString::fromUtf8("Vireo\uFF0C%1 Version")
                              .arg(QString(VIREO_VERSION_TEXT).mid(1)));
                Press(about, dialog::IDOK);
            });
            window.AboutAction()->trigger();
            EXPECT_TRUE(window.isVisible());
            // Cancelling the login at Reconnect ends the program.
            script.Then<CLoginDlg>([](CLoginDlg& login) { login.close(); });
            Press(window, CVireoDlg::kReconnect);
            EXPECT_FALSE(window.isVisible());
        });
    Run();
}

TEST_F(Program, WithoutTheLibraryTheMainWindowNeverOpens) {
    CVireoApp orphan(OptionsFor(kNoLibraryDirectory));
    bool mainWindowOpened = false;
    script
        .Then<CLoginDlg>([](CLoginDlg& login) {
            LogInAs(kGeneralUser, "123456")(login);
            Press(login, CLoginDlg::kLogin);
            login.close();
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            mainWindowOpened = true;
            window.close();
        });
    script.Start();
    EXPECT_EQ(orphan.InitInstance(), 0);
    EXPECT_FALSE(mainWindowOpened);
    EXPECT_EQ(messages.Texts(), (std::vector<QString>{"Connection Failed.", "Connection Failed."}));
}

// With several cameras the login lists them all, USB first; the chosen one is connected,
// and the main window names it, also after a Reconnect to another as another user.
TEST_F(Program, OffersEveryCameraAndReconnectHandsEveryPageTheNewCameraAndUserType) {
    const auto identity = [](const std::string& name) {
        camsim::CameraState state;
        state.barCode = "BC-" + name;
        state.serial = "SN-" + name;
        state.userName = "Officer " + name;
        state.userId = "100001";  // so that the info page's Apply takes its identity
        return state;
    };
    // The third is plugged in while the login is open.
    camsim::Camera* added[] = {&simulator.addDiskCamera(identity("Disk")),
                               &simulator.addUsbCamera(identity("One")), nullptr};
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
    script
        .Then<CLoginDlg>([&](CLoginDlg& login) {
            EXPECT_EQ(listed(login), (std::vector<QString>{one, disk}));
            // Plugged in now, it is listed at once (first, as the bus lists it), read and
            // named; the choice stays on the camera chosen, which is not asked again.
            added[1]->clearLog();
            added[2] = &simulator.addUsbCamera(identity("Two"));
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
            ExpectAnOrdinaryDesktopWindowWithNamedControls(window);
            EXPECT_EQ(TabCaptions(window),
                      (std::vector<QString>{"Camera Info", "Camera Settings", "WiFi&&Bluetooth",
                                            "AES256 Encryption", "Change Password"}));
            ExpectWritingFor(window, kAdministrator);
            for (int tab = 4; tab >= 0; --tab) {
                ChooseTab(window, tab);
                EXPECT_EQ(VisiblePages(window), std::vector<TabPage*>{window.PageOfTab(tab)})
                    << "tab " << tab;
            }
            EXPECT_EQ(window.PageOfTab(5), nullptr);
            // A new user name shows as soon as the info page wrote it.
            TabPage& info = *window.PageOfTab(0);
            info.SetItemText(CSysManagerDlg::kUserName, "Officer Renamed");
            Press(info, CSysManagerDlg::kApply);
            EXPECT_EQ(window.windowTitle(), title + u"USB · BC-One · SN-One · Officer Renamed"_s);
            ChooseTab(window, 3);
            script.Then<CLoginDlg>(choose({one, disk}, 0, 1, kGeneralUser));
            Press(window, CVireoDlg::kReconnect);
            EXPECT_EQ(reached(), (std::vector<bool>{true, false, false}));
            EXPECT_EQ(added[0]->session().verifiedLevel, kGeneralUser);
            EXPECT_EQ(window.windowTitle(),
                      title + u"camera disk D · BC-Disk · SN-Disk · Officer Disk"_s);
            // Every page is the new camera's, for the new user type, from the first tab.
            EXPECT_EQ(window.Tabs().TabCount(), 5);
            EXPECT_EQ(window.Tabs().CurSel(), 0);
            EXPECT_EQ(VisiblePages(window), std::vector<TabPage*>{window.PageOfTab(0)});
            ExpectWritingFor(window, kGeneralUser);
            EXPECT_EQ(info.GetItemText(CSysManagerDlg::kUserName), "Officer Disk");
            // The password page offers the general user's password alone.
            auto* password = window.PageOfTab(4);
            EXPECT_EQ(password->ListCount(CModifyPwdDlg::kUserType), 1);
            EXPECT_EQ(password->SelectedListValue(CModifyPwdDlg::kUserType), kGeneralUser);
            EXPECT_EQ(password->GetItemText(CModifyPwdDlg::kLoginPasswordLabel), "Login Password:");
            Press(window, dialog::IDCANCEL);
        });
    Run();
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
