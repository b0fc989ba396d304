// The main window: a banner, the tabs the login's user type allows (fixed when the
// window opens), Reconnect and Exit, and an About entry in the window's menu.
#pragma once

#include "dialog_network.h"
#include "dialog_encryption.h"
#include "modal_dialog.h"
#include "modify_pwd_dlg.h"
#include "param_dlg.h"
#include "sys_manager_dlg.h"
#include "tab_control.h"

#include <QIcon>
#include <array>

class CVireoApp;
class QAction;

class CVireoDlg : public dialog::Dialog {
    Q_OBJECT
public:
    static constexpr int kTabs = 1005;
    static constexpr int kReconnect = 1060;
    static constexpr int kBanner = 1181;

    explicit CVireoDlg(CVireoApp& app, QWidget* parent = nullptr);

    dialog::TabControl& Tabs() const;
    // The page shown for a tab index, null beyond the last one.
    TabPage* PageOfTab(int index);
    std::array<TabPage*, 5> Pages();
    QAction* AboutAction() const { return m_about; }

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void ShowOnly(TabPage* page);
    void OnReconnect();
    void OnAbout();

    CVireoApp& m_app;
    CSysManagerDlg m_cameraInfo;
    CParamDlg m_cameraSettings;
    CModifyPwdDlg m_password;
    CDialogNetWork m_network;
    CDialogEncryption m_encryption;
    QIcon m_hIcon;
    QAction* m_about = nullptr;
};
