// One exchange with the camera: a request out, a validated reply in.
#pragma once

#include <cstddef>
#include <cstdint>

struct DeviceConnection;

namespace petrel {

constexpr size_t kParameterBytes = 10;

// USB: bytes moved (0 on failure). Disk: nonzero when the pass-through succeeded.
// parameter: 10 command-block bytes for the disk carrier, or null for zeros.
int SendCommand(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                const uint8_t* payload, size_t length);

// 1 when a valid reply for `command` arrived and min(capacity, payload) bytes went to out;
// 0 otherwise, with out untouched.
int ReceiveReply(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                 uint8_t* out, size_t capacity);

}  // namespace petrel
