// Password page: changes the general-user or administrator password once the camera
// has accepted the current login's password typed again.
#pragma once

#include "tab_page.h"

class CModifyPwdDlg : public TabPage {
    Q_OBJECT
public:
    static constexpr int kUserTypeLabel = 1062;
    static constexpr int kUserType = 1002;
    static constexpr int kLoginPasswordLabel = 1061;
    static constexpr int kLoginPassword = 1023;
    static constexpr int kNewPasswordLabel = 1122;
    static constexpr int kNewPassword = 1024;
    static constexpr int kConfirmationLabel = 1123;
    static constexpr int kConfirmation = 1025;
    static constexpr int kApply = 1026;

    CModifyPwdDlg(Camera& camera, dialog::TextLookup texts);

    // Rebuilds the user-type list and labels for the user type last told.
    void Reset();

protected:
    void OnInitPage() override;
    void OnShowPage() override;
    void OnHidePage() override;
    void OnCommand(int id) override;
    // Typed passwords are thrown away when the page is left.
    bool HasUnsavedEdits() const override;

private:
    void ClearPasswords();
    void Apply();
};
