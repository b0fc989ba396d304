#include "modify_pwd_dlg.h"

#include "app_state.h"

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CModifyPwdDlg;

constexpr const char* kSection = "ModifyPwdDlg";
constexpr int kPasswordLength = 6;

const form::Row kRows[] = {
    {.id = Page::kUserType, .kind = ControlKind::DropList, .key = "StUserType", .text = "User Type:", .access = Access::kAnyone, .labelId = Page::kUserTypeLabel},
    {.id = Page::kLoginPassword, .kind = ControlKind::PasswordEdit, .text = "Admin Login Password:", .access = Access::kAnyone, .maxCharacters = kPasswordLength, .labelId = Page::kLoginPasswordLabel},
    {.id = Page::kNewPassword, .kind = ControlKind::PasswordEdit, .key = "StNewPwd", .text = "New Password: ", .access = Access::kAnyone, .maxCharacters = kPasswordLength, .labelId = Page::kNewPasswordLabel},
    {.id = Page::kConfirmation, .kind = ControlKind::PasswordEdit, .key = "StReNewPwd", .text = "Confirm New Password:", .access = Access::kAnyone, .maxCharacters = kPasswordLength, .labelId = Page::kConfirmationLabel},
    {.id = Page::kApply, .kind = ControlKind::DefaultButton, .key = "BtnApply", .text = "Apply", .access = Access::kAnyone},
};

constexpr int kPasswordBoxes[] = {Page::kLoginPassword, Page::kNewPassword, Page::kConfirmation};

}  // namespace

CModifyPwdDlg::CModifyPwdDlg(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows)
{
}

void CModifyPwdDlg::OnInitPage()
{
    Reset();
}

void CModifyPwdDlg::Reset()
{
    ResetList(kUserType);
    AddListEntry(kUserType, Text("GeneralUser", "General User"), kGeneralUser);
    if (UserType() != kGeneralUser) {
        AddListEntry(kUserType, Text("Administrator", "Administrator"),
                     kAdministrator);
        SetItemText(kLoginPasswordLabel,
                    Text("AdmLoginPwd", "Admin Login Password:"));
    } else {
        SetItemText(kLoginPasswordLabel, Text("LoginPwd", "Login Password:"));
    }
    SelectListIndex(kUserType, 0);
}

void CModifyPwdDlg::OnShowPage()
{
    ClearPasswords();
}

void CModifyPwdDlg::OnHidePage()
{
    ClearPasswords();
}

void CModifyPwdDlg::ClearPasswords()
{
    for (const int box : kPasswordBoxes)
        SetItemText(box, QString());
}
