#include "tab_page.h"

#include <utility>

#include "app_state.h"

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
        if (auto* name = PETREL_EXPORT(m_camera, PetrelStatusName))
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
    if (m_camera.StillAttached()) return false;
    ShowPrompt(m_texts, this, "Default", kDisconnected);
    return true;
}

void TabPage::PromptPlain(const char* text) {
    dialog::ShowMessageBox(
        {this, dialog::Translated(m_texts, text), QString::fromUtf8(kProgramName)});
}
