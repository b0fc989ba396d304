#include "audit_notice.h"

#include "camera.h"
#include "prompt.h"

namespace {

constexpr const char* kSection = "Default";
constexpr MessageText kNotRecorded{
    "AuditNotWritten",
    "This operation could not be recorded in the audit trail. Tell the administrator."};

}  // namespace

void RecordOperation(Camera& camera, const dialog::TextLookup& texts, QWidget* parent,
                     const CameraAudit::Operation& operation) {
    CameraAudit* audit = camera.Audit();
    std::string error;
    if (audit == nullptr || audit->Write(operation, &error)) return;
    ShowPrompt(texts, parent, kSection, kNotRecorded, QString::fromStdString(error));
}

void RecordRefusedLogin(Camera& camera, const dialog::TextLookup& texts, QWidget* parent,
                        int status) {
    RecordOperation(camera, texts, parent, {petrel::audit::Event::kLoginRefused, "login", status});
}

void RegisterAuditMessages(const dialog::TextLookup& texts) {
    RegisterMessages(texts, kSection, {&kNotRecorded, 1});
}
