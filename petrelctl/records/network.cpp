// The platform, WiFi, Bluetooth and cellular records.
#include <algorithm>

#include "record_fields.h"
#include "records/records.h"

namespace petrelctl {
namespace {

using namespace fields;

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
        {{"network", "", sizeof(NetworkInfo), GetAs<NetworkInfo, GetNetworkInfo>,
          SetAs<NetworkInfo, SetNetworkInfo>, NetworkFields()}},
    };
    return group;
}

const RecordGroup& WifiRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"wifi", "", sizeof(WifiUniversal), GetAs<WifiUniversal, GetWifiUniversal>,
          SetAs<WifiUniversal, SetWifiUniversal>, WifiUniversalFields()},
         {"wifi access point", "ap.", sizeof(WifiApSetting), GetAs<WifiApSetting, GetWifiApSetting>,
          SetAs<WifiApSetting, SetWifiApSetting>, WifiApFields(), CheckChannel},
         {"wifi station", "sta.", sizeof(WifiStaSetting), GetAs<WifiStaSetting, GetWifiStaSetting>,
          SetAs<WifiStaSetting, SetWifiStaSetting>, WifiStaFields()},
         {"wifi pairing code", "", sizeof(PairingCode),
          [](DeviceConnection* camera, void* record) {
              return GetP2pCode(camera, static_cast<PairingCode*>(record)->p2pCode);
          },
          [](DeviceConnection* camera, const void* record) {
              return SetP2pCode(camera, static_cast<const PairingCode*>(record)->p2pCode);
          },
          PairingCodeFields()},
         {"wifi channels", "", sizeof(WifiChannelInfo), GetAs<WifiChannelInfo, GetWifiChannelInfo>,
          nullptr, WifiChannelFields()}},
    };
    return group;
}

const RecordGroup& BluetoothRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"bluetooth", "", sizeof(BluetoothInfo), GetAs<BluetoothInfo, GetBluetoothInfo>,
          SetAs<BluetoothInfo, SetBluetoothInfo>, BluetoothFields()}},
    };
    return group;
}

const RecordGroup& Mobile4GRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"4g", "", sizeof(Mobile4GInfo), GetAs<Mobile4GInfo, Get4GInfo>,
          SetAs<Mobile4GInfo, Set4GInfo>, Mobile4GFields()}},
    };
    return group;
}

}  // namespace petrelctl
