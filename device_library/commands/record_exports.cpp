// Exports that move one caller record whole: settings, network, clock.
#include <cstddef>
#include <ctime>

#include "commands/exchange.h"
#include "commands/record_codec.h"
#include "petrel.h"

namespace {

using petrel::CommandId;

template <CommandId id, class Record>
int GetRecord(DeviceConnection* connection, Record* out) {
    static_assert(petrel::Wire<Record>::kSize == petrel::Spec(id).replyCapacity);
    petrel::Payload payload{};
    const int status = petrel::RunCommand(connection, id, out != nullptr, payload);
    if (status == STATUS_OK) petrel::Wire<Record>::Decode(payload.data(), *out);
    return status;
}

template <CommandId id, class Record>
int SetRecord(DeviceConnection* connection, const Record* record) {
    static_assert(petrel::Wire<Record>::kSize == petrel::Spec(id).requestLength);
    petrel::Payload payload{};
    if (record != nullptr) petrel::Wire<Record>::Encode(*record, payload.data());
    return petrel::RunCommand(connection, id, record != nullptr, payload);
}

// The settings field table of the public header and the record agree byte for byte.
#define CHECK_SYSPARAM_OFFSET(offset, field, kind, codes) \
    static_assert(offsetof(SysParam, field) == (offset), #field " sits at its table offset");
PETREL_SYSPARAM_FIELDS(CHECK_SYSPARAM_OFFSET)
#undef CHECK_SYSPARAM_OFFSET

}  // namespace

// Each reads or writes one record whole with the row of its own name.
extern "C" {

PETREL_API int GetTime(DeviceConnection* c, DeviceTime* out) {
    return GetRecord<CommandId::kGetTime>(c, out);
}
PETREL_API int SetTime(DeviceConnection* c, const DeviceTime* in) {
    return SetRecord<CommandId::kSetTime>(c, in);
}
PETREL_API int GetSummerTimeInfo(DeviceConnection* c, SummerTimeInfo* out) {
    return GetRecord<CommandId::kGetSummerTimeInfo>(c, out);
}
PETREL_API int SetSummerTimeInfo(DeviceConnection* c, const SummerTimeInfo* in) {
    return SetRecord<CommandId::kSetSummerTimeInfo>(c, in);
}
PETREL_API int GetSysParam(DeviceConnection* c, SysParam* out) {
    return GetRecord<CommandId::kGetSysParam>(c, out);
}
PETREL_API int SetSysParam(DeviceConnection* c, const SysParam* in) {
    return SetRecord<CommandId::kSetSysParam>(c, in);
}
PETREL_API int GetNetworkInfo(DeviceConnection* c, NetworkInfo* out) {
    return GetRecord<CommandId::kGetNetworkInfo>(c, out);
}
PETREL_API int SetNetworkInfo(DeviceConnection* c, const NetworkInfo* in) {
    return SetRecord<CommandId::kSetNetworkInfo>(c, in);
}
PETREL_API int GetWifiUniversal(DeviceConnection* c, WifiUniversal* out) {
    return GetRecord<CommandId::kGetWifiUniversal>(c, out);
}
PETREL_API int SetWifiUniversal(DeviceConnection* c, const WifiUniversal* in) {
    return SetRecord<CommandId::kSetWifiUniversal>(c, in);
}
PETREL_API int GetWifiApSetting(DeviceConnection* c, WifiApSetting* out) {
    return GetRecord<CommandId::kGetWifiApSetting>(c, out);
}
PETREL_API int SetWifiApSetting(DeviceConnection* c, const WifiApSetting* in) {
    return SetRecord<CommandId::kSetWifiApSetting>(c, in);
}
PETREL_API int GetWifiStaSetting(DeviceConnection* c, WifiStaSetting* out) {
    return GetRecord<CommandId::kGetWifiStaSetting>(c, out);
}
PETREL_API int SetWifiStaSetting(DeviceConnection* c, const WifiStaSetting* in) {
    return SetRecord<CommandId::kSetWifiStaSetting>(c, in);
}
PETREL_API int GetBluetoothInfo(DeviceConnection* c, BluetoothInfo* out) {
    return GetRecord<CommandId::kGetBluetoothInfo>(c, out);
}
PETREL_API int SetBluetoothInfo(DeviceConnection* c, const BluetoothInfo* in) {
    return SetRecord<CommandId::kSetBluetoothInfo>(c, in);
}
PETREL_API int Get4GInfo(DeviceConnection* c, Mobile4GInfo* out) {
    return GetRecord<CommandId::kGet4GInfo>(c, out);
}
PETREL_API int Set4GInfo(DeviceConnection* c, const Mobile4GInfo* in) {
    return SetRecord<CommandId::kSet4GInfo>(c, in);
}
PETREL_API int GetWifiChannelInfo(DeviceConnection* c, WifiChannelInfo* out) {
    return GetRecord<CommandId::kGetWifiChannelInfo>(c, out);
}

PETREL_API int SyncDateTime(DeviceConnection* connection) {
    const DeviceTime now = petrel::LocalDeviceTime(std::time(nullptr));
    return SetRecord<CommandId::kSyncDateTime>(connection, &now);
}

}  // extern "C"
