#include "modify_pwd_dlg.h"

#include <algorithm>
#include <iterator>

#include "app_state.h"
#include "text8.h"

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CModifyPwdDlg;

constexpr const char* kSection = "ModifyPwdDlg";
constexpr int kPasswordLength = 6;

const form::Row kRows[] = {
    {.id = Page::kUserType,
     .kind = ControlKind::DropList,
     .key = "StUserType",
     .text = "User Type:",
     .access = Access::kAnyone,
     .labelId = Page::kUserTypeLabel},
    {.id = Page::kLoginPassword,
     .kind = ControlKind::PasswordEdit,
     .text = "Admin Login Password:",
     .access = Access::kAnyone,
     .maxCharacters = kPasswordLength,
     .labelId = Page::kLoginPasswordLabel},
    {.id = Page::kNewPassword,
     .kind = ControlKind::PasswordEdit,
     .key = "StNewPwd",
     .text = "New Password: ",
     .access = Access::kAnyone,
     .maxCharacters = kPasswordLength,
     .labelId = Page::kNewPasswordLabel},
    {.id = Page::kConfirmation,
     .kind = ControlKind::PasswordEdit,
     .key = "StReNewPwd",
     .text = "Confirm New Password:",
     .access = Access::kAnyone,
     .maxCharacters = kPasswordLength,
     .labelId = Page::kConfirmationLabel},
    {.id = Page::kApply,
     .kind = ControlKind::DefaultButton,
     .key = "BtnApply",
     .text = "Apply",
     .access = Access::kAnyone},
};

constexpr int kPasswordBoxes[] = {Page::kLoginPassword, Page::kNewPassword, Page::kConfirmation};

constexpr MessageText kShortLoginPassword{"Msg1", "Please enter 6-character password."};
constexpr MessageText kShortNewPassword{"Msg2", "Please enter 6-character New password."};
constexpr MessageText kMismatch{"Msg3", "Passwords did not match. Try again."};
constexpr MessageText kWrongLoginPassword{"Msg4", "Wrong login password."};
constexpr MessageText kChanged{"Msg5", "Password successfully changed."};
constexpr MessageText kMessages[] = {kShortLoginPassword, kShortNewPassword, kMismatch,
                                     kWrongLoginPassword, kChanged};

// A box's text as the terminated 8-bit text the camera receives (at most 29 characters).
QByteArray Password(const QString& typed) { return dialog::ToText8(typed, 30); }

}  // namespace

CModifyPwdDlg::CModifyPwdDlg(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows) {}

void CModifyPwdDlg::OnInitPage() {
    RegisterMessages(m_texts, kSection, kMessages);
    Reset();
}

void CModifyPwdDlg::Reset() {
    ResetList(kUserType);
    AddListEntry(kUserType, Text("GeneralUser", "General User"), kGeneralUser);
    if (UserType() != kGeneralUser) {
        AddListEntry(kUserType, Text("Administrator", "Administrator"), kAdministrator);
        SetItemText(kLoginPasswordLabel, Text("AdmLoginPwd", "Admin Login Password:"));
    } else {
        SetItemText(kLoginPasswordLabel, Text("LoginPwd", "Login Password:"));
    }
    SelectListIndex(kUserType, 0);
}

void CModifyPwdDlg::OnShowPage() { ClearPasswords(); }

void CModifyPwdDlg::OnHidePage() { ClearPasswords(); }

void CModifyPwdDlg::ClearPasswords() {
    for (const int box : kPasswordBoxes) SetItemText(box, QString());
}

bool CModifyPwdDlg::HasUnsavedEdits() const {
    return std::any_of(std::begin(kPasswordBoxes), std::end(kPasswordBoxes),
                       [this](int box) { return !GetItemText(box).isEmpty(); });
}

void CModifyPwdDlg::OnCommand(int id) {
    if (id == kApply) Apply();
}

// The checks run in this order and the first that fails decides the message;
// the camera hears of nothing until the three boxes are sound.
void CModifyPwdDlg::Apply() {
    const QString typedLogin = GetItemText(kLoginPassword);
    const QString typedNew = GetItemText(kNewPassword);
    if (typedLogin.size() != kPasswordLength) {
        Prompt(kShortLoginPassword);
        return;
    }
    if (typedNew.size() != kPasswordLength) {
        Prompt(kShortNewPassword);
        return;
    }
    const QByteArray newPassword = Password(typedNew);
    if (Password(GetItemText(kConfirmation)) != newPassword) {
        Prompt(kMismatch);
        return;
    }
    if (PETREL_CALL(m_camera, VerifiPassword, Password(typedLogin).constData(), UserType()) !=
        STATUS_OK) {
        Prompt(kWrongLoginPassword);
        return;
    }
    // The list offers the administrator's password only after an administrator login.
    const int changedUserType = SelectedListValue(kUserType);
    if (PETREL_CALL(m_camera, SetPassword, newPassword.constData(), changedUserType) != STATUS_OK) {
        PromptFailed();  // the boxes stay filled for another try
        return;
    }
    // Reconnect offers the last password; after changing one's own, that is the new one.
    if (changedUserType == UserType())
        RememberPassword(newPassword.constData(), newPassword.size());
    ClearPasswords();
    Prompt(kChanged);
}
