#include "input_password_dlg.h"

#include <utility>

#include "art.h"
#include "prompt.h"
#include "text8.h"

namespace {

using dialog::ControlKind;

constexpr const char* kSection = "InputPwd";
constexpr int kPasswordLength = 6;

constexpr dialog::ControlTemplate kControls[] = {
    {CDialogInputPassword::kLabel,
     ControlKind::RightLabel,
     "Admin Login Password:",
     {6, 12, 92, 10}},
    {CDialogInputPassword::kPassword, ControlKind::PasswordEdit, "", {102, 10, 80, 13}},
    {CDialogInputPassword::kOk, ControlKind::DefaultButton, "OK", {46, 34, 55, 15}},
    {dialog::IDCANCEL, ControlKind::Button, "Cancel", {107, 34, 55, 15}},
};

constexpr dialog::DialogTemplate kTemplate{"Input Password", 190, 56, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {CDialogInputPassword::kLabel, "StPassword"},
};
constexpr dialog::LocalisedItem kSharedButtons[] = {
    {CDialogInputPassword::kOk, "BtnOK"},
    {dialog::IDCANCEL, "BtnCancel"},
};

constexpr MessageText kShortPassword{"Msg1", "Please enter 6-character password."};

}  // namespace

CDialogInputPassword::CDialogInputPassword(dialog::TextLookup texts, QWidget* parent)
    : dialog::Dialog(kTemplate, parent), m_texts(std::move(texts)) {}

void CDialogInputPassword::OnInitDialog() {
    LimitText(kPassword, kPasswordLength);
    m_password.fill('\0');
    setWindowIcon(VireoIcon());
    Localise(m_texts, kSection, kLocalised);
    Localise(m_texts, "Default", kSharedButtons);
    setWindowTitle(m_texts(kSection, "Caption", windowTitle()));
    RegisterMessages(m_texts, kSection, {&kShortPassword, 1});
}

void CDialogInputPassword::OnCommand(int id) {
    if (id != kOk) {
        dialog::Dialog::OnCommand(id);
        return;
    }
    const QString typed = GetItemText(kPassword);
    if (typed.size() < kPasswordLength) {
        ShowPrompt(m_texts, this, kSection, kShortPassword);
        return;
    }
    dialog::CopyText8(m_password.data(), m_password.size(), typed);
    EndDialog(dialog::IDOK);
}
