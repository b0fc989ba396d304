// The login: user type and six-character password, and with several cameras
// attached the camera to work on, a list that follows cameras being plugged in and out. Every Login
// press connects the camera afresh and lets the camera check the password; the dialog ends with
// IDOK only once the camera accepted it.
#pragma once

#include <vector>

#include "camera_list.h"
#include "camera_watch.h"
#include "modal_dialog.h"

class CVireoApp;

class CLoginDlg : public dialog::Dialog {
    Q_OBJECT
public:
    static constexpr int kBanner = 1180;
    static constexpr int kCameraLabel = 1064;
    static constexpr int kCamera = 1006;  // shown only when there is a choice
    static constexpr int kUserTypeLabel = 1062;
    static constexpr int kUserType = 1002;
    static constexpr int kPasswordLabel = 1063;
    static constexpr int kPassword = 1004;
    static constexpr int kLogin = 1003;

    static constexpr int kPasswordLength = 6;

    explicit CLoginDlg(CVireoApp& app, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;

private:
    // Lists the cameras attached now; those read before keep their bar codes.
    void OfferCameras();
    // Shows the camera row (and widens it to its longest entry) or hides it.
    void ShowCameraRow(bool shown);
    void OnLogin();

    CVireoApp& m_app;
    std::vector<FoundCamera> m_cameras;  // in the order of the camera list
    CameraWatch m_watch;
};
