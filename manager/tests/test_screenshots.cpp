// Pictures of the login (with one camera, and with two to choose from), of every
// tab of the main window, for an administrator and for a general user, each on
// another of two simulated cameras, of the window whose camera left and came back, and
// of a format's progress dialog and the window whose camera stopped answering; written to
// SCREENSHOT_DIR for people to look at. Run under a real X server (xvfb-run) to see the real fonts.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "app_state.h"
#include "login_dlg.h"
#include "program_path.h"
#include "sys_manager_dlg.h"
#include "test_support.h"
#include "vireo_dlg.h"

namespace {

void Save(QWidget& window, const QString& name) {
    QCoreApplication::sendPostedEvents();  // a page just shown lays itself out first, as on screen
    QDir().mkpath(SCREENSHOT_DIR);
    const QString path = QDir(SCREENSHOT_DIR).filePath(name);
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

void LogIn(CLoginDlg& login, int userType, int camera) {
    login.SelectListIndex(CLoginDlg::kCamera, camera);
    login.SelectListIndex(CLoginDlg::kUserType, userType);
    login.SetItemText(CLoginDlg::kPassword, userType == kAdministrator ? "888888" : "123456");
}

void SaveEveryTab(CVireoDlg& window, const QString& userName) {
    auto* bar = window.Tabs().findChild<QTabBar*>();
    for (int tab = 0; tab < bar->count(); ++tab) {
        bar->setCurrentIndex(tab);
        Save(window, QStringLiteral("%1-tab%2.png").arg(userName).arg(tab + 1));
    }
}

TEST(Screenshots, LoginAndEveryTabForBothUserTypes) {
    ResetProcessState();
    camsim::Simulator simulator;
    camsim::CameraState state;
    state.userId = "204518";
    state.deviceId = "000731";
    state.userName = "Officer Ana Ruiz";
    simulator.addUsbCamera(state);
    CVireoApp app(OptionsFor(platform::ProgramDirectory()));
    {
        CLoginDlg login(app);
        login.Open();
        LogIn(login, kAdministrator, 0);
        Save(login, "login.png");
    }
    state.barCode = "BC0000000002";
    state.serial = "SN0000000002";
    state.userName = "Officer Ben Okafor";
    camsim::Camera& disk = simulator.addDiskCamera(state);
    ModalScript script;
    script
        .Then<CLoginDlg>([](CLoginDlg& login) {
            LogIn(login, kAdministrator, 1);
            Save(login, "login-two-cameras.png");
            Press(login, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            SaveEveryTab(window, "administrator");
            // Queued first: the script stops looking for windows while it has no step.
            script.Then<CLoginDlg>([](CLoginDlg& login) {
                LogIn(login, kGeneralUser, 0);
                Press(login, CLoginDlg::kLogin);
            });
            // Its camera pulled out, and put back in.
            disk.unplug();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Tabs().isEnabled(); }, 1000));
            Save(window, "camera-disconnected.png");
            disk.plugIn();
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return window.IsItemShown(CVireoDlg::kReconnectCamera); }, 1000));
            Save(window, "camera-back.png");
            Press(window, CVireoDlg::kReconnectCamera);
            Press(window, CVireoDlg::kReconnect);
            SaveEveryTab(window, "general-user");
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
}

// The progress dialog of a format that the camera does not answer, and the window once
// the operator gave the camera up.
TEST(Screenshots, AFormatWaitedForAndGivenUp) {
    ResetProcessState();
    camsim::Simulator simulator;
    camsim::Camera& camera = simulator.addUsbCamera();
    MessageRecorder messages;
    messages.answer = dialog::MessageAnswer::Yes;
    CVireoApp app(OptionsFor(platform::ProgramDirectory()));
    ModalScript script;
    script
        .Then<CLoginDlg>([](CLoginDlg& login) {
            LogIn(login, kAdministrator, 0);
            Press(login, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            script.Then<QProgressDialog>([](QProgressDialog& progress) {
                Save(progress, "progress-format.png");
                QTest::mouseClick(progress.findChild<QPushButton*>(), Qt::LeftButton);
            });
            camera.injectFault(camsim::Fault::Unanswered, 1, camsim::FaultSpan::FromThenOn);
            Press(*window.PageOfTab(0), CSysManagerDlg::kFormatDisk);
            Save(window, "camera-stopped-answering.png");
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
}

}  // namespace
