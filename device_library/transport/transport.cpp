#include "transport/transport.h"

#include "discovery/connection.h"
#include "transport/carriers.h"

namespace petrel {

int SendCommand(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                const uint8_t* payload, size_t length) {
    if (connection == nullptr) return 0;
    if (payload == nullptr && length > 0) return 0;
    if (connection->usbHandle != nullptr) {
        return UsbSend(connection->usbHandle, command, payload, length);
    }
    if (connection->volume.IsOpen()) {
        return DiskSend(connection->volume, command, parameter, payload, length);
    }
    return 0;
}

int ReceiveReply(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                 uint8_t* out, size_t capacity) {
    if (connection == nullptr) return 0;
    if (out == nullptr && capacity > 0) return 0;
    if (connection->usbHandle != nullptr) {
        return UsbReceive(connection->usbHandle, command, out, capacity);
    }
    if (connection->volume.IsOpen()) {
        return DiskReceive(connection->volume, command, parameter, out, capacity);
    }
    return 0;
}

}  // namespace petrel
