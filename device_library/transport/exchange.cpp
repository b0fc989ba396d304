#include "transport/exchange.h"

#include "discovery/connection.h"
#include "transport/transport.h"

namespace petrel {

int CheckGuards(const DeviceConnection* connection, const char* order, bool argumentsValid) {
    for (const char* check = order; *check != '\0'; ++check) {
        switch (*check) {
            case 'S':
                if (!HasCarrier(connection)) return STATUS_NO_CONNECTION;
                break;
            case 'V':
                if (connection->verifiedLevel == kNotVerified) return STATUS_NOT_VERIFIED;
                break;
            case 'A':
                if (!argumentsValid) return STATUS_BAD_ARGUMENT;
                break;
        }
    }
    return STATUS_OK;
}

bool IsDiskConnection(const DeviceConnection* connection) {
    return connection->usbHandle == nullptr && connection->volume.IsOpen();
}

int RunQuery(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
             uint8_t* buffer, size_t requestLength, size_t replyCapacity) {
    if (!IsDiskConnection(connection)) {
        SendCommand(connection, command, parameter, buffer, requestLength);
    }
    return ReceiveReply(connection, command, parameter, buffer, replyCapacity) ? STATUS_OK
                                                                               : STATUS_FAILED;
}

int RunConfirmed(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                 uint8_t* buffer, size_t requestLength, size_t replyCapacity) {
    const int sent = SendCommand(connection, command, parameter, buffer, requestLength);
    if (IsDiskConnection(connection)) return sent ? STATUS_OK : STATUS_FAILED;
    return ReceiveReply(connection, command, parameter, buffer, replyCapacity) ? STATUS_OK
                                                                               : STATUS_FAILED;
}

int RunUnconfirmed(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
                   uint8_t* buffer, size_t requestLength, size_t replyCapacity) {
    const int sent = SendCommand(connection, command, parameter, buffer, requestLength);
    if (!IsDiskConnection(connection)) {
        ReceiveReply(connection, command, parameter, buffer, replyCapacity);
    }
    return sent ? STATUS_OK : STATUS_FAILED;
}

int RunTwoWay(DeviceConnection* connection, uint16_t command, const uint8_t* parameter,
              uint8_t* buffer, size_t requestLength, size_t replyCapacity) {
    SendCommand(connection, command, parameter, buffer, requestLength);
    return ReceiveReply(connection, command, parameter, buffer, replyCapacity) ? STATUS_OK
                                                                               : STATUS_FAILED;
}

}  // namespace petrel
