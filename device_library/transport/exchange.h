// The fixed exchange shapes every export is built from, and the guard checks before them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "petrel.h"

struct DeviceConnection;

namespace petrel {

// Guard checks in the order an export lists them, e.g. "SAV" or "SVA".
// argumentsValid is the export's own verdict on its arguments.
int CheckGuards(const DeviceConnection* connection, const char* order, bool argumentsValid);

bool IsDiskConnection(const DeviceConnection* connection);

// Query: on USB the request (buffer, requestLength bytes) goes out first; on disk only the read.
// The reply lands in buffer (capacity replyCapacity). STATUS_OK or STATUS_FAILED.
int RunQuery(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
             uint8_t* buffer, size_t requestLength, size_t replyCapacity);

// Confirmed: status from the USB reply, or from the send on disk.
int RunConfirmed(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                 uint8_t* buffer, size_t requestLength, size_t replyCapacity);

// Unconfirmed: status from the send; the USB reply is read and ignored.
int RunUnconfirmed(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                   uint8_t* buffer, size_t requestLength, size_t replyCapacity);

// Two-way: send, then read the reply on either carrier. STATUS_FAILED when no valid reply.
int RunTwoWay(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
              uint8_t* buffer, size_t requestLength, size_t replyCapacity);

}  // namespace petrel
