// The program's life through InitInstance over a simulated camera: login, main
// window, tabs, Reconnect, About and the end of the program.
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

TEST_F(Program, AGeneralUserGetsThreeTabsAndAboutFromTheWindowsMenu) {
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
            Press(window, dialog::IDCANCEL);
        });
    Run();
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

TEST_F(Program, AnAdministratorGetsFiveTabsAndReconnectHandsEveryPageTheNewUserType) {
    camsim::CameraState first, other;
    first.userName = "Officer One";
    other.serial = "SN-Other";
    other.userName = "Officer Other";
    AddCamera(first);
    script.Then<CLoginDlg>(LogInAs(kAdministrator, "888888"))
        .Then<CVireoDlg>([this, other](CVireoDlg& window) {
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
            EXPECT_EQ(window.PageOfTab(0)->GetItemText(CSysManagerDlg::kUserName), "Officer One");
            ChooseTab(window, 3);
            // The next login reaches another camera, one that shows itself as a disk.
            simulator.addDiskCamera(other);
            script.Then<CLoginDlg>(LogInAs(kGeneralUser, "123456", 1));
            Press(window, CVireoDlg::kReconnect);

            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(window.Tabs().TabCount(), 5);
            EXPECT_EQ(window.Tabs().CurSel(), 0);
            EXPECT_EQ(VisiblePages(window), std::vector<TabPage*>{window.PageOfTab(0)});
            ExpectWritingFor(window, kGeneralUser);
            EXPECT_EQ(window.PageOfTab(0)->GetItemText(CSysManagerDlg::kUserName), "Officer Other");
            // The password page offers the general user's password alone.
            auto* password = window.PageOfTab(4);
            EXPECT_EQ(password->ListCount(CModifyPwdDlg::kUserType), 1);
            EXPECT_EQ(password->SelectedListValue(CModifyPwdDlg::kUserType), kGeneralUser);
            EXPECT_EQ(password->GetItemText(CModifyPwdDlg::kLoginPasswordLabel), "Login Password:");
            Press(window, dialog::IDCANCEL);
        });
    Run();
}

TEST_F(Program, CancellingTheLoginAtReconnectEndsTheProgram) {
    AddCamera();
    script.Then<CLoginDlg>(LogInAs(kGeneralUser, "123456"))
        .Then<CVireoDlg>([this](CVireoDlg& window) {
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

}  // namespace
