#include "tab_page.h"

#include <algorithm>
#include <utility>

#include "app_state.h"
#include "audit_notice.h"
#include "field_changes.h"

namespace {

constexpr MessageText kFailed{"Failed", "Failed"};
constexpr MessageText kUnsaved{"UnsavedEdits",
                               "Changes on this page have not been applied. Discard them?"};
constexpr MessageText kDiscard{"BtnDiscard", "Discard"};
constexpr MessageText kStay{"BtnStay", "Stay"};
constexpr MessageText kDisconnected{"CameraDisconnected", "Camera disconnected."};
constexpr MessageText kSharedMessages[] = {kUnsaved, kDiscard, kStay, kDisconnected};
constexpr const char* kProgramName = "Vireo";

}  // namespace

TabPage::TabPage(Camera& camera, dialog::TextLookup texts, const char* section,
                 std::span<const form::Row> rows, std::vector<form::Record> records)
    : m_camera(camera),
      m_texts(std::move(texts)),
      m_section(section),
      m_form(rows, std::move(records)) {
    hide();
}

void TabPage::Create(QWidget* parent, int userType) {
    setParent(parent);
    m_form.Build(this, [this](int id, QWidget* control) { AddItem(id, control); });
    m_form.Localise(m_texts, m_section);
    RegisterMessages(m_texts, "Default", kSharedMessages);
    SetUserType(userType);
    OnInitPage();
}

void TabPage::SetUserType(int userType) {
    m_userType = userType;
    m_form.SetUserType(userType);
    m_form.Forget();  // a new login may be to another camera
}

void TabPage::ShowPage(bool show) {
    if (show == !isHidden()) return;
    setVisible(show);
    if (show)
        OnShowPage();
    else
        OnHidePage();
}

bool TabPage::MayLeave() {
    if (isHidden() || !HasUnsavedEdits()) return true;
    dialog::MessageRequest request{
        this, m_texts("Default", kUnsaved.key, QString::fromUtf8(kUnsaved.fallback)),
        dialog::Translated(m_texts, kPromptTitle), dialog::MessageButtons::YesNo,
        dialog::MessageIcon::Warning};
    request.yesText = m_texts("Default", kDiscard.key, QString::fromUtf8(kDiscard.fallback));
    request.noText = m_texts("Default", kStay.key, QString::fromUtf8(kStay.fallback));
    return dialog::ShowMessageBox(request) == dialog::MessageAnswer::Yes;
}

QString TabPage::Text(const char* key, const char* fallback) const {
    return m_texts(m_section, key, QString::fromUtf8(fallback));
}

void TabPage::Prompt(const MessageText& message) { ShowPrompt(m_texts, this, m_section, message); }

void TabPage::Prompt(const char* section, const MessageText& message, int status) {
    if (status != STATUS_OK && PromptedGone()) return;
    QString detail;
    if (status != STATUS_OK && status != kExportMissing) {
        if (const auto name = PETREL_EXPORT(m_camera, PetrelStatusName))
            detail = QString::fromUtf8(name(status));
    }
    ShowPrompt(m_texts, this, section, message, detail);
}

void TabPage::PromptFailed(int status) { Prompt("Default", kFailed, status); }

void TabPage::PromptProblem(const QString& problem) {
    if (PromptedGone()) return;
    dialog::ShowMessageBox({this, problem, dialog::Translated(m_texts, kPromptTitle)});
}

bool TabPage::Ask(const QString& question, const char* title, dialog::MessageIcon icon) {
    dialog::MessageRequest request{this, question, dialog::Translated(m_texts, title),
                                   dialog::MessageButtons::YesNo, icon};
    request.yesText = dialog::Translated(m_texts, "&Yes");
    request.noText = dialog::Translated(m_texts, "&No");
    return dialog::ShowMessageBox(request) == dialog::MessageAnswer::Yes;
}

bool TabPage::PromptedGone() {
    if (m_camera.GivenUp()) return true;  // the operator was told when it was given up
    if (m_camera.StillAttached()) return false;
    ShowPrompt(m_texts, this, "Default", kDisconnected);
    return true;
}

void TabPage::PromptPlain(const char* text) {
    dialog::ShowMessageBox(
        {this, dialog::Translated(m_texts, text), QString::fromUtf8(kProgramName)});
}

TabPage::PressRecord::PressRecord(TabPage& page) : m_page(page) { m_page.m_pressing = true; }

TabPage::PressRecord::~PressRecord() {
    m_page.m_pressing = false;
    m_page.WritePressed();
}

int TabPage::Sending(int record, form::RecordBytes bytes, int status) {
    using petrel::audit::Event;
    if (status == kExportMissing) return status;  // nothing reached the camera
    const fields::RecordFields& fields = m_form.FieldsOf(record);
    if (!m_pressed)
        m_pressed = CameraAudit::Operation{Event::kChange, GroupOf(fields) + " set", status};
    if (m_pressed->status == STATUS_OK) m_pressed->status = status;  // the first refusal tells
    for (auto& change : ChangedFields(fields, m_form.AsRead(record), {bytes.data, bytes.size}))
        m_pressed->changes.push_back(std::move(change));
    // Only secrets changed: a secret change, as petrelctl records it.
    const auto& changes = m_pressed->changes;
    m_pressed->event = !changes.empty() && std::all_of(changes.begin(), changes.end(),
                                                       [](const auto& c) { return c.secret; })
                           ? Event::kSecretChange
                           : Event::kChange;
    if (!m_pressing) WritePressed();
    return status;
}

int TabPage::Performed(petrel::audit::Event event, const char* operation, int status,
                       std::vector<petrel::audit::Change> changes) {
    m_pressed = CameraAudit::Operation{event, operation, status, std::move(changes)};
    if (!m_pressing) WritePressed();
    return status;
}

void TabPage::WritePressed() {
    if (!m_pressed) return;
    const CameraAudit::Operation pressed = std::move(*m_pressed);
    m_pressed.reset();
    RecordOperation(m_camera, m_texts, this, pressed);
}
