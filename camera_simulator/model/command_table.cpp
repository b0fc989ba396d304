#include "command_table.h"

#include <algorithm>
#include <array>

#include "handlers.h"

namespace camsim::model {
namespace {

using S = CameraState;

constexpr std::array kCommands = std::to_array<CommandSpec>({
    {0x0001, "GetDeviceVersion", 48, 48, getText<&S::version>},
    {0x0002, "ResetDevice", 7, 0, resetDevice},
    {0x0010, "SendHeartbeat", 4, 4, sendHeartbeat},
    {0x0011, "GetTimeOut", 4, 4, getTimeout},
    {0x0020, "VerifiPassword", 18, 18, verifyPassword},
    {0x0021, "GetPassword", 18, 18, getPassword},
    {0x0022, "SetPassword", 18, 18, setPassword},
    {0x0023, "GetTime", 8, 8, getTime},
    {0x0024, "SetTime", 8, 8, setTime},
    {0x0027, "GetSysParam", 51, 51, getRecord<&S::sysParam>},
    {0x0028, "SetSysParam", 51, 51, setRecord<&S::sysParam>},
    {0x0029, "GetBattery", 2, 2, getBattery},
    {0x002C, "SetMSCMode", 10, 0, enterMassStorage},
    {0x002D, "GetModelID", 32, 32, getText<&S::modelId>},
    {0x002E, "SetModelID", 32, 32, setText<&S::modelId>},
    {0x0031, "GetUserDevID", 64, 64, getUserDevId},
    {0x0032, "SetUserDevID", 64, 64, setUserDevId},
    {0x0033, "GetBarCode", 32, 32, getText<&S::barCode>},
    {0x0034, "SetBarCode", 32, 32, setText<&S::barCode>},
    {0x0035, "GetDiskSpaceInfo", 8, 8, getDiskSpace},
    {0x0037, "GetDeptInfo", 64, 64, getDeptInfo},
    {0x0038, "SetDeptInfo", 64, 64, setDeptInfo},
    {0x0039, "GetMacAddress", 32, 32, getText<&S::macAddress>},
    {0x003A, "SetMacAddress", 32, 32, setText<&S::macAddress>},
    {0x003B, "SetCameraShutdown", 10, 0, shutDown},
    {0x003C, "CameraReboot", 10, 0, reboot},
    {0x003D, "GetLockMemoryState", 18, 18, getLockState},
    {0x003E, "SetLockMemoryState", 18, 18, setLockState},
    {0x0041, "SetLedState", 4, 4, setRecord<&S::lastLed>},
    {0x0043, "SetBuzzer", 4, 4, setRecord<&S::lastBuzzer>},
    {0x0044, "GetWaterMark", 48, 48, getText<&S::waterMark>},
    {0x0045, "SetWaterMark", 48, 48, setText<&S::waterMark>},
    {0x0046, "GetSummerTimeInfo", 8, 8, getRecord<&S::summerTime>},
    {0x0047, "SetSummerTimeInfo", 8, 8, setRecord<&S::summerTime>},
    {0x0052, "GetNetworkInfo", 106, 106, getRecord<&S::networkInfo>},
    {0x0053, "SetNetworkInfo", 106, 106, setRecord<&S::networkInfo>},
    {0x0054, "GetBluetoothInfo", 99, 99, getRecord<&S::bluetoothInfo>},
    {0x0055, "SetBluetoothInfo", 99, 99, setRecord<&S::bluetoothInfo>},
    {0x0056, "Get4GInfo", 81, 81, getRecord<&S::mobile4GInfo>},
    {0x0057, "Set4GInfo", 81, 81, setRecord<&S::mobile4GInfo>},
    {0x0058, "GetWifiUniversal", 67, 67, getRecord<&S::wifiUniversal>},
    {0x0059, "SetWifiUniversal", 67, 67, setRecord<&S::wifiUniversal>},
    {0x005A, "GetWifiApSetting", 83, 83, getRecord<&S::wifiApSetting>},
    {0x005B, "SetWifiApSetting", 83, 83, setRecord<&S::wifiApSetting>},
    {0x005C, "GetWifiChannelInfo", 39, 39, getRecord<&S::wifiChannelInfo>},
    {0x005E, "SetWifiStaSetting", 81, 81, setRecord<&S::wifiStaSetting>},
    {0x005F, "GetWifiStaSetting", 81, 81, getRecord<&S::wifiStaSetting>},
    {0x0062, "GetP2pCode", 9, 9, getText<&S::p2pCode>},
    {0x0063, "SetP2pCode", 9, 9, setText<&S::p2pCode>},
    {0x0064, "GetEncryption", 34, 34, getEncryption},
    {0x0065, "SetEncryption", 35, 34, setEncryption},
    {0x0066, "GetRsaAesKey", 98, 98, getKeyChunk},
    {0x1000, "SetSystemType", 4, 4, setSystemType},
    {0x1001, "FormatDisk", 6, 6, formatDisk},
});

}  // namespace

std::span<const CommandSpec> commandTable() { return kCommands; }

const CommandSpec* findCommand(std::uint16_t code) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [code](const CommandSpec& c) { return c.code == code; });
    return it == kCommands.end() ? nullptr : &*it;
}

}  // namespace camsim::model
