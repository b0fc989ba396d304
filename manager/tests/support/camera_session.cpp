#include "camera_session.h"

#include <filesystem>

#include "login_dlg.h"

int OpenHandles(const camsim::Camera& camera) {
    const std::string node = camera.deviceNode();
    int open = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;  // the iterator's own descriptor, closed by now
        open += !node.empty() &&
                std::filesystem::read_symlink(fd.path(), gone).string().ends_with(node);
    }
    return open;
}

camsim::Camera& CameraSession::AddCamera(const camsim::CameraState& state,
                                         camsim::Carrier carrier) {
    camera = carrier == camsim::Carrier::Usb ? &simulator.addUsbCamera(state)
                                             : &simulator.addDiskCamera(state);
    return *camera;
}

void CameraSession::LogIn(int userType) {
    CLoginDlg login(app);
    login.Open();
    login.SelectListIndex(CLoginDlg::kUserType, userType);
    login.SetItemText(CLoginDlg::kPassword, userType == kAdministrator ? "888888" : "123456");
    Press(login, CLoginDlg::kLogin);
    ASSERT_EQ(login.Result(), dialog::IDOK);
}

Codes CameraSession::Commands() const {
    Codes codes;
    const camsim::LoggedRequest* previous = nullptr;
    for (const auto& request : camera->log()) {
        if (previous == nullptr || previous->direction != camsim::Direction::Write ||
            request.direction != camsim::Direction::Read)
            codes.push_back(request.code);
        previous = &request;
    }
    return codes;
}

INSTANTIATE_TEST_SUITE_P(Carriers, CameraSession,
                         ::testing::Values(camsim::Carrier::Usb, camsim::Carrier::Disk),
                         [](const ::testing::TestParamInfo<camsim::Carrier>& info) {
                             return info.param == camsim::Carrier::Usb ? "Usb" : "Disk";
                         });
