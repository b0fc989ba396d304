// The main window: a banner with the connected camera named under it and in the
// title, the tabs the login's user type allows (fixed when the window opens),
// Reconnect and Exit, and an About entry in the window's menu. When the camera
// leaves, or stops answering and is given up, the line under the banner says so and
// the pages are disabled; when it is attached again, one press reconnects it with the
// login's password.
#pragma once

#include <QIcon>
#include <array>
#include <optional>

#include "camera_watch.h"
#include "dialog_encryption.h"
#include "dialog_network.h"
#include "modal_dialog.h"
#include "modify_pwd_dlg.h"
#include "param_dlg.h"
#include "sys_manager_dlg.h"
#include "tab_control.h"

class CVireoApp;
class QAction;

class CVireoDlg : public dialog::Dialog {
    Q_OBJECT
public:
    static constexpr int kTabs = 1005;
    static constexpr int kReconnect = 1060;
    static constexpr int kBanner = 1181;
    static constexpr int kCameraLine = 1182;
    static constexpr int kReconnectCamera = 1183;  // shown once a camera that left is back
    static constexpr int kPageCount = 5;

    explicit CVireoDlg(CVireoApp& app, QWidget* parent = nullptr);

    dialog::TabControl& Tabs() const;
    // The page shown for a tab index, null beyond the last one.
    TabPage* PageOfTab(int index);
    std::array<TabPage*, kPageCount> Pages();
    QAction* AboutAction() const { return m_about; }

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    // Escape would end the program and the camera session at once; Exit does that.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayOut();
    void ShowOnly(TabPage* page);
    // Names the connected camera, as it is now, in the title and under the banner.
    void ShowCamera();
    // After an arrival or a departure: has the camera left, or come back?
    void FollowCamera();
    void ShowCameraAway();
    // The operator gave up on the camera, which stopped answering.
    void ShowGivenUp();
    // The line under the banner says what is wrong; the pages are disabled.
    void ShowTrouble(const QString& line);
    void OnReconnect();
    // Connects the camera that came back and logs in as before; the login when that fails.
    void OnReconnectCamera();
    void AfterLogin();
    void OnAbout();

    CVireoApp& m_app;
    CSysManagerDlg m_cameraInfo;
    CParamDlg m_cameraSettings;
    CDialogNetWork m_network;
    CDialogEncryption m_encryption;
    CModifyPwdDlg m_password;
    struct PageTab {
        TabPage* page;
        const char* key;  // its tab's caption
        const char* fallback;
    };
    std::array<PageTab, kPageCount> m_tabs;  // in tab order
    QIcon m_hIcon;
    QAction* m_about = nullptr;
    CameraWatch m_watch;
    FoundCamera m_camera;  // as last named, bar code included, to name it once it has left
    std::optional<FoundCamera> m_cameraBack;  // while it is away: where it is attached again
    bool m_cameraAway = false;
};
