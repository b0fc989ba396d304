// Login and main window with the real libPetrel.so beside the test program, over
// cameras simulated under umockdev.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include "app_state.h"
#include "login_dlg.h"
#include "program_path.h"
#include "test_support.h"
#include "vireo_dlg.h"

namespace {

class SimulatedCamera : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }

    // One Login press with the real library; the dialog stays for further presses.
    void Press(const char* password, int userType) {
        if (!login) {
            login = std::make_unique<CLoginDlg>(app);
            login->Open();
        }
        login->SelectListIndex(CLoginDlg::kUserType, userType);
        login->SetItemText(CLoginDlg::kPassword, password);
        ::Press(*login, CLoginDlg::kLogin);
    }

    camsim::Simulator simulator;
    MessageRecorder messages;
    CVireoApp app{OptionsFor(platform::ProgramDirectory())};
    std::unique_ptr<CLoginDlg> login;
};

TEST_F(SimulatedCamera, TheCameraChecksThePasswordOfTheChosenUserType) {
    camsim::Camera& camera = simulator.addUsbCamera();
    Press("888888", kGeneralUser);  // the administrator's password, offered as a general user's
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Wrong login password."});
    Press("888888", kAdministrator);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(camera.session().verifiedLevel, kAdministrator);
    EXPECT_EQ(g_nUserType, kAdministrator);
}

TEST_F(SimulatedCamera, ALockedOutCameraGivesTheWaitMessage) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1;
    simulator.addUsbCamera(state);
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
    simulator.addUsbCamera(state);
    Press("123456", kGeneralUser);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Firmware version mismatch."});
    EXPECT_NE(app.Connection(), nullptr);  // kept until the next press
}

TEST_F(SimulatedCamera, AUsbCameraIsPreferredOverACameraDisk) {
    camsim::Camera& disk = simulator.addDiskCamera();
    camsim::Camera& usb = simulator.addUsbCamera();
    Press("123456", kGeneralUser);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(usb.session().verifiedLevel, kGeneralUser);
    EXPECT_EQ(disk.session().verifiedLevel, -1);
}

TEST_F(SimulatedCamera, WithoutAUsbCameraTheCameraDiskIsUsed) {
    camsim::Camera& disk = simulator.addDiskCamera();
    Press("123456", kGeneralUser);
    EXPECT_EQ(login->Result(), dialog::IDOK);
    EXPECT_EQ(disk.session().verifiedLevel, kGeneralUser);
}

TEST_F(SimulatedCamera, WithoutACameraTheConnectionFails) {
    Press("123456", kGeneralUser);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Connection Failed."});
    EXPECT_FALSE(app.IsLibraryLoaded());
}

TEST_F(SimulatedCamera, TheMainWindowShowsTheCameraAndReconnectChangesTheUserType) {
    camsim::CameraState state;
    state.modelId = "BWC_SIM7";
    simulator.addUsbCamera(state);
    ModalScript script;
    script
        .Then<CLoginDlg>([](CLoginDlg& first) {
            first.SelectListIndex(CLoginDlg::kUserType, kAdministrator);
            first.SetItemText(CLoginDlg::kPassword, "888888");
            ::Press(first, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&script](CVireoDlg& window) {
            EXPECT_EQ(window.Tabs().TabCount(), 5);
            EXPECT_EQ(window.PageOfTab(0)->GetItemText(CSysManagerDlg::kModel), "BWC_SIM7");
            script.Then<CLoginDlg>([](CLoginDlg& again) {
                again.SelectListIndex(CLoginDlg::kUserType, kGeneralUser);
                again.SetItemText(CLoginDlg::kPassword, "123456");
                ::Press(again, CLoginDlg::kLogin);
            });
            ::Press(window, CVireoDlg::kReconnect);
            EXPECT_EQ(window.Tabs().TabCount(), 5);
            for (TabPage* page : window.Pages()) EXPECT_EQ(page->UserType(), kGeneralUser);
            EXPECT_FALSE(window.PageOfTab(1)->IsItemEnabled(CParamDlg::kApply));
            ::Press(window, dialog::IDCANCEL);
        });
    script.Start();
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_TRUE(script.Done());
}

}  // namespace
