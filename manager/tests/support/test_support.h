// Helpers for driving Vireo's real windows in tests: message boxes answered and
// recorded, modal windows scripted, and the audit trail read back.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialog_items.h"
#include "message_box.h"
#include "vireo_app.h"

// Records every message box instead of showing it, and answers `answer`.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<dialog::MessageRequest> shown;
    dialog::MessageAnswer answer = dialog::MessageAnswer::Ok;

    std::vector<QString> Texts() const;

private:
    dialog::MessageBoxHandler m_previous;
};

// Runs steps, in order, on the modal windows that open: each step waits until a
// window of its type is the active modal one. Windows still open when the script
// times out are cancelled so a failing test cannot hang.
class ModalScript {
public:
    template <typename Window>
    ModalScript& Then(std::function<void(Window&)> step) {
        m_steps.push_back({[](QWidget* w) { return qobject_cast<Window*>(w) != nullptr; },
                           [step](QWidget* w) { step(*qobject_cast<Window*>(w)); }});
        return *this;
    }
    void Start();
    bool Done() const { return m_steps.empty(); }

private:
    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
    };
    void Poll();

    std::deque<Step> m_steps;
    QElapsedTimer m_clock;
    int m_running = 0;  // steps under way
    QObject m_timers;   // pending polls die with the script
};

inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

// A folder without the device library.
inline constexpr char kNoLibraryDirectory[] = "/nonexistent/";

// Resets the login's process-wide state and the audit trail.
void ResetProcessState();

// The audit trail since it was last cleared, one line per record: camera, operation,
// result and each change ("SN1 apply wifi STATUS_OK: wifi.ap.band 0 -> 1, wifi.ap.password
// changed").
std::vector<std::string> AuditTrail();
// The trail file as it is written, and its path.
std::string AuditTrailText();
std::string AuditTrailPath();
void ClearAuditTrail();

StartOptions OptionsFor(const std::string& libraryDirectory);

// A press of button `id` with the mouse, as the operator would.
void Press(dialog::DialogItems& window, int id);
