// Code, lengths, exchange shape and guard order of every command export: the one
// place these facts live, read by the exports and by the tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace petrel {

enum class Shape : uint8_t {
    kQuery,          // USB: request then reply; disk: the read alone
    kConfirmed,      // status from the USB reply, from the send on disk
    kUnconfirmed,    // status from the send; a USB reply is read and ignored
    kTwoWay,         // send then reply on either carrier
    kCheckedTwoWay,  // as kTwoWay, but a failed send ends the exchange
    kCheckedQuery,   // as kQuery, but a failed USB send ends the exchange
    kLeaveForDisk,   // as kUnconfirmed; once the camera answers on USB that carrier is gone
};

enum class CommandId : uint8_t {
    kGetDeviceVersion, kResetDevice, kGetModelID, kGetBarCode, kSetSystemType, kSendHeartbeat, kGetTimeOut, kVerifiPassword, kGetPassword, kSetPassword, kGetTime,
    kSetTime, kSyncDateTime, kGetSysParam, kSetSysParam, kGetBattery, kSetMSCMode,
    kSetModelID, kGetUserDevID, kSetUserDevID, kSetBarCode, kGetDiskSpaceInfo, kGetDeptInfo,
    kSetDeptInfo, kGetMacAddress, kSetMacAddress, kSetCameraShutdown, kCameraReboot,
    kGetLockMemoryState, kSetLockMemoryState, kSetLedState, kSetBuzzer, kGetWaterMark,
    kSetWaterMark, kGetSummerTimeInfo, kSetSummerTimeInfo, kGetNetworkInfo, kSetNetworkInfo,
    kGetBluetoothInfo, kSetBluetoothInfo, kGet4GInfo, kSet4GInfo, kGetWifiUniversal,
    kSetWifiUniversal, kGetWifiApSetting, kSetWifiApSetting, kGetWifiChannelInfo,
    kSetWifiStaSetting, kGetWifiStaSetting, kGetP2pCode, kSetP2pCode, kGetEncryption,
    kSetEncryption, kGetRsaAesKey, kFormatDisk,
};

struct CommandSpec {
    CommandId id;
    std::string_view name;  // the export
    uint16_t code;
    uint8_t requestLength;
    uint8_t replyCapacity;
    Shape shape;
    const char* guards;     // S connection, V verified password, A arguments, in order
};

inline constexpr std::array kCommandTable = [] {
    using enum Shape;
    using enum CommandId;
    return std::to_array<CommandSpec>({
        {kGetDeviceVersion, "GetDeviceVersion", 0x01, 48, 48, kQuery, "SA"},
        {kResetDevice, "ResetDevice", 0x02, 7, 0, kUnconfirmed, "SV"},
        {kGetModelID, "GetModelID", 0x2D, 32, 32, kQuery, "SA"},
        {kGetBarCode, "GetBarCode", 0x33, 32, 32, kQuery, "SA"},
        {kSetSystemType, "SetSystemType", 0x1000, 4, 4, kConfirmed, "S"},
        {kSendHeartbeat, "SendHeartbeat", 0x10, 4, 4, kCheckedTwoWay, "SV"},
        {kGetTimeOut, "GetTimeOut", 0x11, 4, 4, kQuery, "SV"},
        {kVerifiPassword, "VerifiPassword", 0x20, 18, 18, kTwoWay, "SA"},
        {kGetPassword, "GetPassword", 0x21, 18, 18, kQuery, "SA"},
        {kSetPassword, "SetPassword", 0x22, 18, 18, kConfirmed, "SVA"},
        {kGetTime, "GetTime", 0x23, 8, 8, kQuery, "SVA"},
        {kSetTime, "SetTime", 0x24, 8, 8, kConfirmed, "SAV"},
        {kSyncDateTime, "SyncDateTime", 0x24, 8, 8, kConfirmed, "SV"},
        {kGetSysParam, "GetSysParam", 0x27, 51, 51, kQuery, "SAV"},
        {kSetSysParam, "SetSysParam", 0x28, 51, 51, kUnconfirmed, "SAV"},
        {kGetBattery, "GetBattery", 0x29, 2, 2, kQuery, "SVA"},
        {kSetMSCMode, "SetMSCMode", 0x2C, 10, 0, kLeaveForDisk, "SV"},
        {kSetModelID, "SetModelID", 0x2E, 32, 32, kUnconfirmed, "SAV"},
        {kGetUserDevID, "GetUserDevID", 0x31, 64, 64, kQuery, "SVA"},
        {kSetUserDevID, "SetUserDevID", 0x32, 64, 64, kUnconfirmed, "SAV"},
        {kSetBarCode, "SetBarCode", 0x34, 32, 32, kUnconfirmed, "SAV"},
        {kGetDiskSpaceInfo, "GetDiskSpaceInfo", 0x35, 8, 8, kCheckedQuery, "SVA"},
        {kGetDeptInfo, "GetDeptInfo", 0x37, 64, 64, kQuery, "SVA"},
        {kSetDeptInfo, "SetDeptInfo", 0x38, 64, 64, kUnconfirmed, "SAV"},
        {kGetMacAddress, "GetMacAddress", 0x39, 32, 32, kQuery, "SVA"},
        {kSetMacAddress, "SetMacAddress", 0x3A, 32, 32, kUnconfirmed, "SAV"},
        {kSetCameraShutdown, "SetCameraShutdown", 0x3B, 10, 0, kConfirmed, "SV"},
        {kCameraReboot, "CameraReboot", 0x3C, 10, 0, kConfirmed, "SV"},
        {kGetLockMemoryState, "GetLockMemoryState", 0x3D, 18, 18, kQuery, "SVA"},
        {kSetLockMemoryState, "SetLockMemoryState", 0x3E, 18, 18, kCheckedTwoWay, "SVA"},
        {kSetLedState, "SetLedState", 0x41, 4, 4, kUnconfirmed, "SVA"},
        {kSetBuzzer, "SetBuzzer", 0x43, 4, 4, kUnconfirmed, "SV"},
        {kGetWaterMark, "GetWaterMark", 0x44, 48, 48, kQuery, "SVA"},
        {kSetWaterMark, "SetWaterMark", 0x45, 48, 48, kUnconfirmed, "SAV"},
        {kGetSummerTimeInfo, "GetSummerTimeInfo", 0x46, 8, 8, kQuery, "SVA"},
        {kSetSummerTimeInfo, "SetSummerTimeInfo", 0x47, 8, 8, kConfirmed, "SAV"},
        {kGetNetworkInfo, "GetNetworkInfo", 0x52, 106, 106, kQuery, "SVA"},
        {kSetNetworkInfo, "SetNetworkInfo", 0x53, 106, 106, kConfirmed, "SVA"},
        {kGetBluetoothInfo, "GetBluetoothInfo", 0x54, 99, 99, kQuery, "SVA"},
        {kSetBluetoothInfo, "SetBluetoothInfo", 0x55, 99, 99, kConfirmed, "SVA"},
        {kGet4GInfo, "Get4GInfo", 0x56, 81, 81, kQuery, "SVA"},
        {kSet4GInfo, "Set4GInfo", 0x57, 81, 81, kConfirmed, "SVA"},
        {kGetWifiUniversal, "GetWifiUniversal", 0x58, 67, 67, kQuery, "SVA"},
        {kSetWifiUniversal, "SetWifiUniversal", 0x59, 67, 67, kConfirmed, "SVA"},
        {kGetWifiApSetting, "GetWifiApSetting", 0x5A, 83, 83, kQuery, "SVA"},
        {kSetWifiApSetting, "SetWifiApSetting", 0x5B, 83, 83, kConfirmed, "SVA"},
        {kGetWifiChannelInfo, "GetWifiChannelInfo", 0x5C, 39, 39, kQuery, "SVA"},
        {kSetWifiStaSetting, "SetWifiStaSetting", 0x5E, 81, 81, kConfirmed, "SVA"},
        {kGetWifiStaSetting, "GetWifiStaSetting", 0x5F, 81, 81, kQuery, "SVA"},
        {kGetP2pCode, "GetP2pCode", 0x62, 9, 9, kQuery, "SVA"},
        {kSetP2pCode, "SetP2pCode", 0x63, 9, 9, kConfirmed, "SVA"},
        {kGetEncryption, "GetEncryption", 0x64, 34, 34, kQuery, "SVA"},
        {kSetEncryption, "SetEncryption", 0x65, 35, 34, kConfirmed, "SVA"},
        {kGetRsaAesKey, "GetRsaAesKey", 0x66, 98, 98, kQuery, "SVA"},
        {kFormatDisk, "FormatDisk", 0x1001, 6, 6, kConfirmed, "SV"},
    });
}();

constexpr const CommandSpec& Spec(CommandId id) { return kCommandTable[static_cast<size_t>(id)]; }

// Large enough for every request and reply of the table.
inline constexpr size_t kLargestPayload = 106;

namespace detail {
constexpr bool TableIsConsistent() {
    for (size_t i = 0; i < kCommandTable.size(); ++i) {
        const CommandSpec& spec = kCommandTable[i];
        if (static_cast<size_t>(spec.id) != i) return false;
        if (spec.requestLength > kLargestPayload || spec.replyCapacity > kLargestPayload) {
            return false;
        }
    }
    return true;
}
}  // namespace detail
static_assert(detail::TableIsConsistent(), "rows follow CommandId order and fit the buffer");

}  // namespace petrel
