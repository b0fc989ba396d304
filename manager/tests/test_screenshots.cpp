// Pictures of the login and of the main window for people to look at, written to
// SCREENSHOT_DIR. Run under a real X server (xvfb-run) to see the real fonts.
#include "app_state.h"
#include "login_dlg.h"
#include "test_support.h"
#include "vireo_dlg.h"

#include <QDir>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {

void Save(QWidget& window, const char* name)
{
    QDir().mkpath(SCREENSHOT_DIR);
    const QString path = QDir(SCREENSHOT_DIR).filePath(QString::fromUtf8(name));
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
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
        .Then<CVireoDlg>([](CVireoDlg& window) {
            Save(window, "main-window.png");
            window.Tabs().findChild<QTabBar*>()->setCurrentIndex(4);
            Save(window, "main-window-password-tab.png");
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
}

}  // namespace
