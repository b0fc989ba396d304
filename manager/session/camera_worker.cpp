#include "camera_worker.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <string_view>

#include "busy_cursor.h"
#include "message_box.h"
#include "prompt.h"
#include "wait_dialog.h"

namespace {

constexpr std::chrono::milliseconds kQuietWait{500};
constexpr const char* kSection = "Default";

int g_waiting = 0;

class Waiting {
public:
    Waiting() { ++g_waiting; }
    ~Waiting() { --g_waiting; }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;
};

struct Operation {
    std::string_view prefix;  // of the export's name; the first that matches names it
    MessageText text;
};

constexpr Operation kOperations[] = {
    {"FormatDisk", {"WaitFormat", "Formatting the camera's disk..."}},
    {"ResetDevice", {"WaitReset", "Resetting the camera to its default settings..."}},
    {"SetMSCMode", {"WaitDiskMode", "Switching the camera to its disk..."}},
    {"VerifiPassword", {"WaitLogin", "Logging in to the camera..."}},
    {"Connect", {"WaitConnect", "Connecting to the camera..."}},
    {"Enum", {"WaitConnect", "Connecting to the camera..."}},
    {"Set", {"WaitWrite", "Writing to the camera..."}},
    {"Sync", {"WaitWrite", "Writing to the camera..."}},
    {"", {"WaitRead", "Reading from the camera..."}},
};

constexpr MessageText kStopped{
    "CameraStopped",
    "The camera stopped answering. The connection to it was closed: nothing more is sent to "
    "it."};
constexpr MessageText kClosing{"WaitClosing",
                               "The camera does not answer. Closing the connection..."};

// `loop` is touched on the window's thread only.
struct CallState {
    std::atomic<bool> done{false};
    QEventLoop* loop = nullptr;
};

class ForgetLoop {
public:
    explicit ForgetLoop(CallState& state) : m_state(state) {}
    ~ForgetLoop() { m_state.loop = nullptr; }
    ForgetLoop(const ForgetLoop&) = delete;
    ForgetLoop& operator=(const ForgetLoop&) = delete;

private:
    CallState& m_state;
};

QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

}  // namespace

bool CameraCallWaiting() { return g_waiting > 0; }

CameraWorker::CameraWorker(dialog::TextLookup texts) : m_texts(std::move(texts)) {
    m_context.moveToThread(&m_thread);
    m_thread.start();
}

CameraWorker::~CameraWorker() {
    m_thread.quit();
    m_thread.wait();
}

QString CameraWorker::OperationOf(const char* name) const {
    const std::string_view exported(name);
    for (const auto& [prefix, text] : kOperations)
        if (exported.starts_with(prefix))
            return m_texts(kSection, text.key, QString::fromUtf8(text.fallback));
    return {};
}

bool CameraWorker::Run(const char* name, const std::function<void()>& call) {
    const Waiting waiting;
    QEventLoop loop;
    // The worker's word that the call returned may arrive after this wait has ended
    // and its loop is gone: it is posted to the worker object, which outlives every
    // call, and finds the loop only while this frame still waits on it.
    const auto state = std::make_shared<CallState>();
    state->loop = &loop;
    const ForgetLoop forget{*state};
    const auto done = [&] { return state->done.load(); };
    QMetaObject::invokeMethod(&m_context, [&call, state, this] {
        call();
        state->done.store(true);
        QMetaObject::invokeMethod(
            this,
            [state] {
                if (state->loop != nullptr) state->loop->quit();
            },
            Qt::QueuedConnection);
    });
    // Quietly first: a click meanwhile is held, not lost, and starts nothing inside this call.
    QTimer::singleShot(kQuietWait, &loop, &QEventLoop::quit);
    if (!done()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (done()) return true;

    const dialog::OperatorCursor operatorCursor;
    bool cancelled = false;
    {
        const auto progress = MakeWaitDialog(m_texts, OperationOf(name), DialogParent());
        connect(progress.get(), &QProgressDialog::canceled, &loop, [&] {
            cancelled = true;
            loop.quit();
        });
        progress->show();
        if (!done()) loop.exec();
    }
    if (!cancelled) return true;

    emit GaveUp();
    dialog::ShowMessageBox({DialogParent(),
                            m_texts(kSection, kStopped.key, QString::fromUtf8(kStopped.fallback)),
                            dialog::Translated(m_texts, kPromptTitle), dialog::MessageButtons::Ok,
                            dialog::MessageIcon::Warning});
    if (!done()) {
        const auto closing = MakeWaitDialog(
            m_texts, m_texts(kSection, kClosing.key, QString::fromUtf8(kClosing.fallback)),
            DialogParent(), WaitCancel::None);
        closing->show();
        if (!done()) loop.exec();
    }
    return false;
}
