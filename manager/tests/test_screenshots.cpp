// Pictures of the login and of the main window's tabs for people to look at, written to
// SCREENSHOT_DIR. Run under a real X server (xvfb-run) to see the real fonts.
#include "app_state.h"
#include "login_dlg.h"
#include "test_support.h"
#include "vireo_dlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {

void Save(QWidget& window, const QString& name)
{
    QCoreApplication::sendPostedEvents();  // a page just shown lays itself out first, as on screen
    QDir().mkpath(SCREENSHOT_DIR);
    const QString path = QDir(SCREENSHOT_DIR).filePath(name);
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

// The encryption and password tabs, which differ by user type.
void SaveWritingTabs(CVireoDlg& window, const char* suffix)
{
    auto* tabs = window.Tabs().findChild<QTabBar*>();
    tabs->setCurrentIndex(3);
    Save(window, QStringLiteral("main-window-encryption-tab%1.png").arg(suffix));
    tabs->setCurrentIndex(4);
    Save(window, QStringLiteral("main-window-password-tab%1.png").arg(suffix));
}

TEST(Screenshots, LoginAndMainWindow)
{
    ResetProcessState();
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    ModalScript script;
    script
        .Then<CLoginDlg>([](CLoginDlg& login) {
            login.SelectListIndex(CLoginDlg::kUserType, kAdministrator);
            login.SetItemText(CLoginDlg::kPassword, "888888");
            Save(login, "login.png");
            Press(login, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&script](CVireoDlg& window) {
            Save(window, "main-window.png");
            SaveWritingTabs(window, "");
            // Reconnect as a general user keeps the five tabs, with less to change on them.
            script.Then<CLoginDlg>([](CLoginDlg& again) {
                again.SelectListIndex(CLoginDlg::kUserType, kGeneralUser);
                again.SetItemText(CLoginDlg::kPassword, "123456");
                Press(again, CLoginDlg::kLogin);
            });
            Press(window, CVireoDlg::kReconnect);
            SaveWritingTabs(window, "-general-user");
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
}

}  // namespace
