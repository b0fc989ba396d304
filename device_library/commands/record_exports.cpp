// Exports that move one caller record whole: settings, network, clock.
#include <cstddef>
#include <ctime>

#include "commands/command_runner.h"
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

// Each pair reads and writes one record whole with the row of its own name.
#define RECORD_EXPORTS(Name, Record)                                              \
    PETREL_API int Get##Name(DeviceConnection* connection, Record* out) {         \
        return GetRecord<CommandId::kGet##Name>(connection, out);                 \
    }                                                                             \
    PETREL_API int Set##Name(DeviceConnection* connection, const Record* record) { \
        return SetRecord<CommandId::kSet##Name>(connection, record);              \
    }

extern "C" {

RECORD_EXPORTS(Time, DeviceTime)
RECORD_EXPORTS(SummerTimeInfo, SummerTimeInfo)
RECORD_EXPORTS(SysParam, SysParam)
RECORD_EXPORTS(NetworkInfo, NetworkInfo)
RECORD_EXPORTS(WifiUniversal, WifiUniversal)
RECORD_EXPORTS(WifiApSetting, WifiApSetting)
RECORD_EXPORTS(WifiStaSetting, WifiStaSetting)
RECORD_EXPORTS(BluetoothInfo, BluetoothInfo)
RECORD_EXPORTS(4GInfo, Mobile4GInfo)

PETREL_API int SyncDateTime(DeviceConnection* connection) {
    const DeviceTime now = petrel::LocalDeviceTime(std::time(nullptr));
    return SetRecord<CommandId::kSyncDateTime>(connection, &now);
}

PETREL_API int GetWifiChannelInfo(DeviceConnection* connection, WifiChannelInfo* info) {
    return GetRecord<CommandId::kGetWifiChannelInfo>(connection, info);
}

}  // extern "C"
