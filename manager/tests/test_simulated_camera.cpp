// Login with the real libPetrel.so beside the test program, over cameras simulated
// under umockdev.
#include "camera_session.h"
#include "login_dlg.h"

namespace {

class SimulatedCamera : public CameraSession {
protected:
    // One Login press; the dialog stays for further presses.
    void Press(const char* password, int userType) {
        if (!login) {
            login = std::make_unique<CLoginDlg>(app);
            login->Open();
        }
        login->SelectListIndex(CLoginDlg::kUserType, userType);
        login->SetItemText(CLoginDlg::kPassword, password);
        ::Press(*login, CLoginDlg::kLogin);
    }

    std::unique_ptr<CLoginDlg> login;
};

TEST_F(SimulatedCamera, TheCameraChecksThePasswordOfTheChosenUserType) {
    camsim::Camera& usb = AddCamera();
    Press("888888", kGeneralUser);  // the administrator's password, offered as a general user's
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Wrong login password."});
    Press("888888", kAdministrator);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(usb.session().verifiedLevel, kAdministrator);
    EXPECT_EQ(g_nUserType, kAdministrator);
}

TEST_F(SimulatedCamera, ALockedOutCameraGivesTheWaitMessage) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1;
    AddCamera(state);
    Press("000000", kGeneralUser);
    Press("123456", kGeneralUser);
    EXPECT_EQ(messages.Texts(),
              (std::vector<QString>{"Wrong login password.",
                                    "Wrong login password, please login in 3 minutes."}));
    EXPECT_EQ(login->Result(), 0);
}

TEST_F(SimulatedCamera, FirmwareOfAnotherInterfaceVersionIsRefused) {
    camsim::CameraState state;
    state.version = "FW_2.4.1_API_0.9.0_B0420";
    AddCamera(state);
    Press("123456", kGeneralUser);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Firmware version mismatch."});
    EXPECT_NE(app.Connection(), nullptr);  // kept until the next press
}

TEST_F(SimulatedCamera, AUsbCameraIsPreferredOverACameraDisk) {
    camsim::Camera& disk = AddCamera({}, camsim::Carrier::Disk);
    camsim::Camera& usb = AddCamera();
    Press("123456", kGeneralUser);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(usb.session().verifiedLevel, kGeneralUser);
    EXPECT_EQ(disk.session().verifiedLevel, -1);
}

TEST_F(SimulatedCamera, WithoutAUsbCameraTheCameraDiskIsUsed) {
    camsim::Camera& disk = AddCamera({}, camsim::Carrier::Disk);
    Press("123456", kGeneralUser);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(disk.session().verifiedLevel, kGeneralUser);
}

TEST_F(SimulatedCamera, WithoutACameraTheConnectionFails) {
    Press("123456", kGeneralUser);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Connection Failed."});
    EXPECT_FALSE(app.IsLibraryLoaded());
}

}  // namespace
