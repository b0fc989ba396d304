// The recorder's network records: platform, Bluetooth and cellular travel whole (the
// caller's record is the wrapped export's own argument); the WiFi record is assembled
// from the common part and the part of its mode.
#include <cstdint>
#include <cstring>

#include "petrel.h"
#include "standard_interface/member_pattern.h"

namespace {

enum : uint8_t { kAccessPoint = 0, kStation = 1, kPeerToPeer = 2 };
constexpr uint8_t kBand5G = 1;

// The part of the camera's WiFi mode; its outcome does not change the member's result.
void ReadModePart(DeviceConnection* connection, ZfyWifiInfo& info) {
    switch (info.wifiMode) {
        case kAccessPoint: {
            WifiApSetting ap{};
            if (GetWifiApSetting(connection, &ap) != STATUS_OK) return;
            info.band = ap.band;
            std::memcpy(info.ssid, ap.ssid, sizeof info.ssid);
            std::memcpy(info.password, ap.password, sizeof info.password);
            return;
        }
        case kStation: {
            WifiStaSetting station{};
            if (GetWifiStaSetting(connection, &station) != STATUS_OK) return;
            std::memcpy(info.ssid, station.ssid, sizeof info.ssid);
            std::memcpy(info.password, station.password, sizeof info.password);
            info.autoGetIp = station.autoGetIp;
            return;
        }
        case kPeerToPeer: {
            char code[sizeof info.password] = {};
            if (GetP2pCode(connection, code) != STATUS_OK) return;
            std::memcpy(info.password, code, sizeof info.password);
            return;
        }
        default:
            return;
    }
}

void WriteModePart(DeviceConnection* connection, const ZfyWifiInfo& info) {
    switch (info.wifiMode) {
        case kAccessPoint: {
            WifiApSetting ap{};
            std::memcpy(ap.ssid, info.ssid, sizeof ap.ssid);
            std::memcpy(ap.password, info.password, sizeof ap.password);
            ap.connectionLimit = ZFY_AP_CONNECTION_LIMIT;
            ap.band = info.band;
            ap.channel = info.band == kBand5G ? ZFY_AP_CHANNEL_5G : ZFY_AP_CHANNEL_24G;
            SetWifiApSetting(connection, &ap);
            return;
        }
        case kStation: {
            // SetWifiStaSetting itself sends each text only up to its first zero byte.
            WifiStaSetting station{};
            std::memcpy(station.ssid, info.ssid, sizeof station.ssid);
            std::memcpy(station.password, info.password, sizeof station.password);
            station.autoGetIp = info.autoGetIp;
            SetWifiStaSetting(connection, &station);
            return;
        }
        case kPeerToPeer: {
            char code[sizeof info.password + 1] = {};  // terminated even when the field is full
            std::memcpy(code, info.password, sizeof info.password);
            SetP2pCode(connection, code);
            return;
        }
        default:
            return;
    }
}

}  // namespace

extern "C" {

PETREL_API ZfyBool ReadDeviceNetWorkInfo(NetworkInfo* info, const char* password,
                                         uint16_t* result) {
    return petrel::zfy::PassGated<GetNetworkInfo>(info, password, result);
}

PETREL_API ZfyBool WriteDeviceNetWorkInfo(const NetworkInfo* info, const char* password,
                                          uint16_t* result) {
    return petrel::zfy::PassGated<SetNetworkInfo>(info, password, result);
}

PETREL_API ZfyBool ReadDeviceBluetoothInfo(BluetoothInfo* info, const char* password,
                                           uint16_t* result) {
    return petrel::zfy::PassGated<GetBluetoothInfo>(info, password, result);
}

PETREL_API ZfyBool WriteDeviceBluetoothInfo(const BluetoothInfo* info, const char* password,
                                            uint16_t* result) {
    return petrel::zfy::PassGated<SetBluetoothInfo>(info, password, result);
}

PETREL_API ZfyBool ReadDevice4GInfo(Mobile4GInfo* info, const char* password, uint16_t* result) {
    return petrel::zfy::PassGated<Get4GInfo>(info, password, result);
}

PETREL_API ZfyBool WriteDevice4GInfo(const Mobile4GInfo* info, const char* password,
                                     uint16_t* result) {
    return petrel::zfy::PassGated<Set4GInfo>(info, password, result);
}

PETREL_API ZfyBool ReadDeviceWifiInfo(ZfyWifiInfo* info, const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (info == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        WifiUniversal universal{};
        const int status = GetWifiUniversal(connection, &universal);
        if (status != STATUS_OK) return status;
        info->wifiActivate = universal.wifiActivate;
        info->wifiMode = universal.wifiMode;
        std::memcpy(info->macAddress, universal.macAddress, sizeof info->macAddress);
        std::memcpy(info->cameraIp, universal.cameraIp, sizeof info->cameraIp);
        std::memcpy(info->gateway, universal.gateway, sizeof info->gateway);
        ReadModePart(connection, *info);
        return static_cast<int>(STATUS_OK);
    });
}

PETREL_API ZfyBool WriteDeviceWifiInfo(const ZfyWifiInfo* info, const char* password,
                                       uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (info == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        WifiUniversal universal{};  // connectTimeout stays 0
        universal.wifiActivate = info->wifiActivate;
        universal.wifiMode = info->wifiMode;
        std::memcpy(universal.macAddress, info->macAddress, sizeof universal.macAddress);
        std::memcpy(universal.cameraIp, info->cameraIp, sizeof universal.cameraIp);
        std::memcpy(universal.gateway, info->gateway, sizeof universal.gateway);
        const int status = SetWifiUniversal(connection, &universal);
        if (status == STATUS_OK) WriteModePart(connection, *info);
        return status;
    });
}

}  // extern "C"
