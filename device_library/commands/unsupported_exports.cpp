// Station list management has no command on this camera; the names exist for callers
// written against a wider interface.
#include "petrel.h"
#include "transport/connection.h"

extern "C" {

PETREL_API int GetStaListInfo(DeviceConnection* connection, void* /*ignored*/) {
    if (connection != nullptr && !petrel::IsLiveConnection(connection)) return STATUS_BAD_ARGUMENT;
    return STATUS_NOT_SUPPORTED;
}

PETREL_API int DeleteStaInfo(DeviceConnection* connection, void* ignored)
    __attribute__((alias("GetStaListInfo")));

PETREL_API int DeleteStaInfoAll(DeviceConnection* connection, void* ignored)
    __attribute__((alias("GetStaListInfo")));

}  // extern "C"
