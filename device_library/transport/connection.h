// The record behind the public header's opaque connection handle.
#pragma once

#include <cstdint>
#include <memory>

#include "transport/carrier.h"

constexpr int32_t kNotVerified = -1;

struct DeviceConnection {
    std::unique_ptr<petrel::Carrier> carrier;  // null once the camera left for its disk
    int32_t verifiedLevel = kNotVerified;
    int32_t driveLetter = 0;  // 0 on USB
    uint8_t connectionKey[32] = {};
    char modelCode[16] = {};
    char manufacturer[128] = {};
    char product[128] = {};
    char serialNumber[128] = {};
};

namespace petrel {

inline bool HasCarrier(const DeviceConnection* connection) {
    return connection != nullptr && connection->carrier != nullptr;
}

// A record on the carrier, or null when there is none or no memory; it is live until freed.
DeviceConnection* NewConnection(std::unique_ptr<Carrier> carrier);

// Closes the carrier and wipes the record before its memory goes back. Only for a live one.
void FreeConnection(DeviceConnection* connection);

// True for a record NewConnection made and FreeConnection has not freed. Decided by the
// address alone: a pointer a caller made up or kept after closing is never read.
bool IsLiveConnection(const DeviceConnection* connection);

}  // namespace petrel
