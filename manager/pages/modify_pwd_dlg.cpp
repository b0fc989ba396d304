#include "modify_pwd_dlg.h"

#include "app_state.h"
#include "vireo_app.h"

namespace {

using dialog::ControlKind;
using Page = CModifyPwdDlg;

constexpr const char* kSection = "ModifyPwdDlg";
constexpr int kPasswordLength = 6;

constexpr dialog::ControlTemplate kControls[] = {
    {Page::kUserTypeLabel, ControlKind::RightLabel, "User Type:", {40, 40, 100, 10}},
    {Page::kUserType, ControlKind::DropList, "", {146, 38, 110, 60}},
    {Page::kLoginPasswordLabel, ControlKind::RightLabel, "Admin Login Password:", {40, 62, 100, 10}},
    {Page::kLoginPassword, ControlKind::PasswordEdit, "", {146, 60, 110, 13}},
    {Page::kNewPasswordLabel, ControlKind::RightLabel, "New Password: ", {40, 84, 100, 10}},
    {Page::kNewPassword, ControlKind::PasswordEdit, "", {146, 82, 110, 13}},
    {Page::kConfirmationLabel, ControlKind::RightLabel, "Confirm New Password:", {40, 106, 100, 10}},
    {Page::kConfirmation, ControlKind::PasswordEdit, "", {146, 104, 110, 13}},
    {Page::kApply, ControlKind::DefaultButton, "Apply", {146, 130, 110, 15}},
};

constexpr dialog::DialogTemplate kTemplate{"", 380, 290, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {Page::kUserTypeLabel, "StUserType"},
    {Page::kNewPasswordLabel, "StNewPwd"},
    {Page::kConfirmationLabel, "StReNewPwd"},
    {Page::kApply, "BtnApply"},
};

constexpr int kPasswordBoxes[] = {Page::kLoginPassword, Page::kNewPassword, Page::kConfirmation};

}  // namespace

CModifyPwdDlg::CModifyPwdDlg(CVireoApp& app) : TabPage(app, kTemplate, {}) {}

void CModifyPwdDlg::OnInitPage()
{
    for (const int box : kPasswordBoxes)
        LimitText(box, kPasswordLength);
    Reset();
}

void CModifyPwdDlg::Reset()
{
    ResetList(kUserType);
    AddListEntry(kUserType, m_app.GetString(kSection, "GeneralUser", QStringLiteral("General User")), kGeneralUser);
    if (UserType() != kGeneralUser) {
        AddListEntry(kUserType, m_app.GetString(kSection, "Administrator", QStringLiteral("Administrator")),
                     kAdministrator);
        SetItemText(kLoginPasswordLabel,
                    m_app.GetString(kSection, "AdmLoginPwd", QStringLiteral("Admin Login Password:")));
    } else {
        SetItemText(kLoginPasswordLabel, m_app.GetString(kSection, "LoginPwd", QStringLiteral("Login Password:")));
    }
    SelectListIndex(kUserType, 0);
    Localise(m_app.Texts(), kSection, kLocalised);
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
