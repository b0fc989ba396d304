#include "session.h"

#include <array>

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;

int ConnectFirst(DeviceConnection** connection) {
    std::array<DeviceListEntry*, kListCapacity> list{};
    int count = EnumDeviceList(list.data(), kListCapacity);
    if (count < 1) count = EnumStorageList(list.data(), 0);
    if (count < 1) return -1;
    const int status = ConnectDevice(list[0], connection);
    ReleaseList(list.data(), count);
    return status;
}

}  // namespace

Session::~Session() { CloseDevice(connection_); }

std::optional<Session> Session::Open(const Options& options, Output& output) {
    DeviceConnection* connection = nullptr;
    const int status = options.drive != 0 ? ConnectStorageDevice(options.drive, &connection)
                                          : ConnectFirst(&connection);
    if (status == STATUS_OK) return Session(connection);
    CloseDevice(connection);
    if (status < 0) {
        output.FailWith("connect", "no camera found on USB or as a removable disk");
    } else if (const std::string problem = PermissionProblem(); !problem.empty()) {
        output.FailWith("connect", problem);
    } else if (status == STATUS_VERSION_MISMATCH) {
        output.FailWith("connect", "STATUS_VERSION_MISMATCH: the camera's firmware does not "
                                   "speak interface API_1.0.8");
    } else {
        output.Fail("connect", status);
    }
    return std::nullopt;
}

}  // namespace petrelctl
