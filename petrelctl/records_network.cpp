// The platform, WiFi, Bluetooth and cellular records; text limits are the manager's.
#include <algorithm>

#include "records.h"

namespace petrelctl {
namespace {

constexpr const char* kAddressCharacters = "0123456789.";
constexpr const char* kHexCharacters = "0123456789abcdefABCDEF";
constexpr const char* kDigits = "0123456789";

struct PairingCode {
    char p2pCode[PETREL_P2P_CODE_SIZE];
};

FieldSpec Characters(FieldSpec text, const char* characters) {
    text.characters = characters;
    return text;
}

FieldSpec Channels(const char* name, std::size_t offset, std::size_t size) {
    return {name, FieldKind::kChannels, offset, size, {}, 0, 0, nullptr, false};
}

// The access point can only use a channel its band lists.
int CheckChannel(DeviceConnection* camera, const void* record, std::string& problem) {
    const auto* accessPoint = static_cast<const WifiApSetting*>(record);
    WifiChannelInfo info{};
    if (const int status = GetWifiChannelInfo(camera, &info); status != STATUS_OK) return status;
    const bool fiveGhz = accessPoint->band == 1;
    const uint8_t* list = fiveGhz ? info.channels5G : info.channels24G;
    const uint8_t* end =
        list + PetrelChannelCount(list, fiveGhz ? sizeof info.channels5G : sizeof info.channels24G);
    if (std::find(list, end, accessPoint->channel) == end) {
        problem = "ap.channel " + std::to_string(accessPoint->channel) +
                  " is not in the camera's " + (fiveGhz ? "5 GHz" : "2.4 GHz") +
                  " channel list (see petrelctl wifi)";
    }
    return STATUS_OK;
}

}  // namespace

const RecordGroup& NetworkRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"network",
          "",
          sizeof(NetworkInfo),
          GetAs<NetworkInfo, GetNetworkInfo>,
          SetAs<NetworkInfo, SetNetworkInfo>,
          {PETRELCTL_TEXT(NetworkInfo, deviceName, 31),
           PETRELCTL_CODE(NetworkInfo, protocol, PETREL_CODES_PROTOCOL),
           PETRELCTL_NUMBER(NetworkInfo, serverArea, 0, 49),
           PETRELCTL_TEXT(NetworkInfo, serverUrl, 15),
           Characters(PETRELCTL_TEXT(NetworkInfo, serverIp, 15), kAddressCharacters),
           Characters(PETRELCTL_TEXT(NetworkInfo, serverPort, 7), kDigits),
           PETRELCTL_TEXT(NetworkInfo, equipmentNo, 15),
           PETRELCTL_TEXT(NetworkInfo, serverPassword, 15)}}},
    };
    return group;
}

const RecordGroup& WifiRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"wifi",
          "",
          sizeof(WifiUniversal),
          GetAs<WifiUniversal, GetWifiUniversal>,
          SetAs<WifiUniversal, SetWifiUniversal>,
          {PETRELCTL_CODE(WifiUniversal, wifiActivate, PETREL_CODES_ACTIVATE),
           PETRELCTL_CODE(WifiUniversal, wifiMode, PETREL_CODES_WIFI_MODE),
           PETRELCTL_CODE(WifiUniversal, connectTimeout, PETREL_CODES_CONNECT_TIMEOUT),
           Characters(PETRELCTL_TEXT(WifiUniversal, macAddress, 12), kHexCharacters),
           Characters(PETRELCTL_TEXT(WifiUniversal, cameraIp, 15), kAddressCharacters),
           Characters(PETRELCTL_TEXT(WifiUniversal, gateway, 15), kAddressCharacters)}},
         {"wifi access point",
          "ap.",
          sizeof(WifiApSetting),
          GetAs<WifiApSetting, GetWifiApSetting>,
          SetAs<WifiApSetting, SetWifiApSetting>,
          {PETRELCTL_TEXT(WifiApSetting, ssid, 47), PETRELCTL_TEXT(WifiApSetting, password, 31),
           PETRELCTL_NUMBER(WifiApSetting, connectionLimit, 0, 4),
           PETRELCTL_CODE(WifiApSetting, band, PETREL_CODES_BAND),
           PETRELCTL_NUMBER(WifiApSetting, channel, 0, 255)},
          CheckChannel},
         {"wifi station",
          "sta.",
          sizeof(WifiStaSetting),
          GetAs<WifiStaSetting, GetWifiStaSetting>,
          SetAs<WifiStaSetting, SetWifiStaSetting>,
          {PETRELCTL_TEXT(WifiStaSetting, ssid, 47), PETRELCTL_TEXT(WifiStaSetting, password, 31),
           PETRELCTL_CODE(WifiStaSetting, autoGetIp, PETREL_CODES_AUTO_GET_IP)}},
         {"wifi pairing code",
          "",
          sizeof(PairingCode),
          [](DeviceConnection* camera, void* record) {
              return GetP2pCode(camera, static_cast<PairingCode*>(record)->p2pCode);
          },
          [](DeviceConnection* camera, const void* record) {
              return SetP2pCode(camera, static_cast<const PairingCode*>(record)->p2pCode);
          },
          {Exactly(PETRELCTL_TEXT(PairingCode, p2pCode, PETREL_P2P_CODE_SIZE - 1), kDigits)}},
         {"wifi channels",
          "",
          sizeof(WifiChannelInfo),
          GetAs<WifiChannelInfo, GetWifiChannelInfo>,
          nullptr,
          {Channels("channels24G", offsetof(WifiChannelInfo, channels24G),
                    sizeof(WifiChannelInfo::channels24G)),
           Channels("channels5G", offsetof(WifiChannelInfo, channels5G),
                    sizeof(WifiChannelInfo::channels5G))}}},
    };
    return group;
}

const RecordGroup& BluetoothRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"bluetooth",
          "",
          sizeof(BluetoothInfo),
          GetAs<BluetoothInfo, GetBluetoothInfo>,
          SetAs<BluetoothInfo, SetBluetoothInfo>,
          {PETRELCTL_CODE(BluetoothInfo, btActivate, PETREL_CODES_ACTIVATE),
           PETRELCTL_TEXT(BluetoothInfo, btAddress, 12),
           PETRELCTL_TEXT(BluetoothInfo, pairName, 31), PETRELCTL_TEXT(BluetoothInfo, pairMac, 12),
           PETRELCTL_NUMBER(BluetoothInfo, heartRateLow, 0, 255),
           PETRELCTL_NUMBER(BluetoothInfo, heartRateHigh, 0, 255)}}},
    };
    return group;
}

const RecordGroup& Mobile4GRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"4g",
          "",
          sizeof(Mobile4GInfo),
          GetAs<Mobile4GInfo, Get4GInfo>,
          SetAs<Mobile4GInfo, Set4GInfo>,
          {PETRELCTL_CODE(Mobile4GInfo, activate4G, PETREL_CODES_ACTIVATE),
           PETRELCTL_TEXT(Mobile4GInfo, simPin, 15), PETRELCTL_TEXT(Mobile4GInfo, apn, 31),
           PETRELCTL_TEXT(Mobile4GInfo, apnUserName, 15),
           PETRELCTL_TEXT(Mobile4GInfo, apnPassword, 15)}}},
    };
    return group;
}

}  // namespace petrelctl
