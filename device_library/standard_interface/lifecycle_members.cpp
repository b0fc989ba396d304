// Init_Device and Uninit_Device, and the two members that set the gate's state directly.
#include <array>
#include <cstddef>
#include <cstdint>

#include "petrel.h"
#include "standard_interface/library_state.h"
#include "standard_interface/member_pattern.h"

namespace {

constexpr size_t kListSize = 30;

}  // namespace

extern "C" {

// The old current connection is closed before anything is looked for, so neither a
// second Init_Device nor one that finds nothing leaks it.
PETREL_API ZfyBool Init_Device(void* /*reserved*/, uint16_t* result) {
    petrel::zfy::ResetGate();
    petrel::zfy::WriteResult(result, ZFY_RESULT_NO_CONNECTION);
    petrel::zfy::ReplaceCurrentConnection(nullptr);

    std::array<DeviceListEntry*, kListSize> list{};
    int count = EnumDeviceList(list.data(), 0);
    if (count < 1) count = EnumStorageList(list.data(), 0);
    if (count < 1) return ZFY_FALSE;
    DeviceConnection* connection = nullptr;
    const int status = ConnectDevice(list[0], &connection);
    ReleaseList(list.data(), count);

    if (status != STATUS_OK && status != STATUS_VERSION_MISMATCH) {
        CloseDevice(connection);  // null: no other status hands out a connection
        return ZFY_FALSE;
    }
    petrel::zfy::ReplaceCurrentConnection(connection);
    petrel::zfy::WriteResult(
        result, status == STATUS_OK ? ZFY_RESULT_SUCCESS : ZFY_RESULT_VERSION_MISMATCH);
    return ZFY_TRUE;
}

PETREL_API ZfyBool Uninit_Device(void* /*reserved*/, uint16_t* result) {
    petrel::zfy::ResetGate();
    petrel::zfy::WriteResult(result, ZFY_RESULT_SUCCESS);
    petrel::zfy::ReplaceCurrentConnection(nullptr);
    return ZFY_TRUE;
}

PETREL_API ZfyBool VerificationPassword(const char* password, int32_t level, uint16_t* result) {
    return petrel::zfy::RunUngated(
        result,
        [&](DeviceConnection* connection) {
            const int status = VerifiPassword(connection, password, level);
            if (status == STATUS_OK) petrel::zfy::Remember(level, password);
            return status;
        },
        ZFY_RESULT_PASSWORD_DONE, ZFY_RESULT_PASSWORD_REFUSED);
}

PETREL_API ZfyBool SetZFYPassWord(const char* newPassword, int32_t level, uint16_t* result) {
    return petrel::zfy::RunUngated(
        result,
        [&](DeviceConnection* connection) {
            const int status = SetPassword(connection, newPassword, level);
            if (status == STATUS_OK && level == petrel::zfy::RememberedLevel()) {
                petrel::zfy::Remember(level, newPassword);
            }
            return status;
        },
        ZFY_RESULT_PASSWORD_DONE, ZFY_RESULT_PASSWORD_REFUSED);
}

}  // extern "C"
