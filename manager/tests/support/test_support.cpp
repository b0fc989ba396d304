#include "test_support.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "app_state.h"
#include "audit/audit.h"

MessageRecorder::MessageRecorder()
    : m_previous(dialog::SetMessageBoxHandler([this](const dialog::MessageRequest& request) {
          shown.push_back(request);
          return answer;
      })) {}

MessageRecorder::~MessageRecorder() { dialog::SetMessageBoxHandler(m_previous); }

std::vector<QString> MessageRecorder::Texts() const {
    std::vector<QString> texts;
    for (const auto& request : shown) texts.push_back(request.text);
    return texts;
}

void ModalScript::Start() {
    m_clock.start();
    QTimer::singleShot(0, &m_timers, [this] { Poll(); });
}

void ModalScript::Poll() {
    constexpr qint64 kTimeoutMs = 15000;
    // A step still running may queue the next one (camera calls run event loops).
    if (m_steps.empty() && m_running == 0) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!m_steps.empty() && m_clock.elapsed() > kTimeoutMs) {
        ADD_FAILURE() << "modal script timed out with " << m_steps.size() << " step(s) left";
        m_steps.clear();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) window->close();
        return;
    }
    // A fresh timer each time: the step may run a nested modal loop of its own.
    QTimer::singleShot(5, &m_timers, [this] { Poll(); });
    if (!m_steps.empty() && modal != nullptr && modal->isVisible() &&
        m_steps.front().matches(modal)) {
        const Step step = m_steps.front();
        m_steps.pop_front();
        ++m_running;
        step.run(modal);
        --m_running;
    }
}

void ResetProcessState() {
    g_nUserType = kGeneralUser;
    g_nLastUserType = kGeneralUser;
    std::memset(g_szLastPassword, 0, sizeof g_szLastPassword);
    ClearAuditTrail();
}

std::string AuditTrailPath() {
    const char* path = std::getenv("PETREL_AUDIT_FILE");
    return path != nullptr ? path : "";
}

void ClearAuditTrail() { std::remove(AuditTrailPath().c_str()); }

std::vector<std::string> AuditTrail() {
    std::vector<std::string> lines;
    for (const auto& record : petrel::audit::ReadFile(AuditTrailPath(), {}).records) {
        std::string line = record.cameraSerial + " " + record.operation + " " + record.result;
        for (std::size_t i = 0; i < record.changes.size(); ++i) {
            const auto& change = record.changes[i];
            line += (i == 0 ? ": " : ", ") + change.field +
                    (change.secret ? " changed" : " " + change.oldValue + " -> " + change.newValue);
        }
        lines.push_back(line);
    }
    return lines;
}

std::string AuditTrailText() {
    std::ifstream file(AuditTrailPath());
    return std::string(std::istreambuf_iterator<char>(file), {});
}

StartOptions OptionsFor(const std::string& libraryDirectory) {
    return StartOptions{{}, libraryDirectory};
}

void Press(dialog::DialogItems& window, int id) {
    QTest::mouseClick(window.Item(id), Qt::LeftButton);
}
