// Camera calls off the window's thread, over a simulated camera that stops answering:
// the window's own timers keep running while a call hangs, a call that takes long shows
// what it waits for, and Cancel gives the camera up at once, sends it nothing more and
// leaves one press to reconnect it.
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "camera_session.h"
#include "sys_manager_dlg.h"
#include "vireo_dlg.h"

namespace {

using camsim::Fault;
using camsim::FaultSpan;

const QString kStopped =
    "The camera stopped answering. The connection to it was closed: nothing more is sent to it.";

TEST_F(CameraSession, CancelGivesUpACameraThatStoppedAnsweringAndTheWindowRunsOn) {
    AddCamera();
    LogIn(kAdministrator);
    CVireoDlg window(app);
    window.Open();
    messages.shown.clear();
    camera->injectFault(Fault::Unanswered, 1, FaultSpan::FromThenOn);
    camera->clearLog();

    // The window's thread: its timer counts, and notes when the message came.
    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    qint64 toldAt = -1;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        if (toldAt < 0 && !messages.shown.empty()) toldAt = clock.elapsed();
    });
    ticker.start(20);
    QString waitingFor;
    int ticksBeforeCancel = 0;
    ModalScript script;
    script.Then<QProgressDialog>([&](QProgressDialog& progress) {
        waitingFor = progress.labelText();
        ticksBeforeCancel = ticks;
        cancelledAt = clock.elapsed();
        QTest::mouseClick(progress.findChild<QPushButton*>(), Qt::LeftButton);
    });
    script.Start();
    clock.start();
    Press(*window.PageOfTab(0), CSysManagerDlg::kRefresh);

    EXPECT_TRUE(script.Done());
    EXPECT_EQ(waitingFor, "Reading from the camera...");
    EXPECT_GE(ticksBeforeCancel, 15);  // half a second of a hung call, the timer firing
    EXPECT_EQ(messages.Texts(), std::vector<QString>{kStopped});
    EXPECT_TRUE(toldAt >= 0 && toldAt - cancelledAt < 300) << toldAt << " " << cancelledAt;
    EXPECT_EQ(Commands().size(), 1u);  // the command that hung, and nothing after it
    EXPECT_TRUE(app.GivenUp());
    EXPECT_FALSE(window.Tabs().isEnabled());
    EXPECT_TRUE(
        window.GetItemText(CVireoDlg::kCameraLine).startsWith("The camera stopped answering: USB"));

    camera->clearFaults();
    Press(window, CVireoDlg::kReconnectCamera);
    EXPECT_EQ(camera->session().verifiedLevel, kAdministrator);
    EXPECT_TRUE(window.Tabs().isEnabled());
    EXPECT_FALSE(app.GivenUp());
    window.close();
}

// A call that takes long shows the operation it belongs to, and ends as the call does.
TEST_F(CameraSession, ALongOperationShowsWhatItWaitsFor) {
    const struct {
        int button;
        const char* waitingFor;
    } kOperations[] = {
        {CSysManagerDlg::kFormatDisk, "Formatting the camera's disk..."},
        {CSysManagerDlg::kDefaultSettings, "Resetting the camera to its default settings..."},
    };
    AddCamera();
    auto& page = Open<CSysManagerDlg>(kAdministrator);
    messages.answer = dialog::MessageAnswer::Yes;
    for (const auto& [button, waitingFor] : kOperations) {
        camera->injectFault(Fault::Unanswered);
        QString shown;
        ModalScript script;
        script.Then<QProgressDialog>(
            [&](QProgressDialog& progress) { shown = progress.labelText(); });
        script.Start();
        Press(page, button);
        EXPECT_EQ(shown, waitingFor);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(app.GivenUp());
    }
}

}  // namespace
