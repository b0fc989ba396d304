#include "commands/exchange.h"

#include <algorithm>

#include "petrel.h"
#include "transport/connection.h"

namespace petrel {
namespace {

int StatusOf(bool ok) { return ok ? STATUS_OK : STATUS_FAILED; }

}  // namespace

int CheckGuards(const DeviceConnection* connection, CommandId id, bool argumentsValid) {
    // Before any guard reads the record: a handle already closed, or never given out.
    if (connection != nullptr && !IsLiveConnection(connection)) return STATUS_BAD_ARGUMENT;
    for (const char* check = Spec(id).guards; *check != '\0'; ++check) {
        if (*check == 'S' && !HasCarrier(connection)) return STATUS_NO_CONNECTION;
        if (*check == 'V' && connection->verifiedLevel == kNotVerified) {
            return STATUS_NOT_VERIFIED;
        }
        if (*check == 'A' && !argumentsValid) return STATUS_BAD_ARGUMENT;
    }
    return STATUS_OK;
}

int Exchange(DeviceConnection* connection, CommandId id, Payload& payload,
             const uint8_t* parameter) {
    const CommandSpec& spec = Spec(id);
    Carrier& carrier = *connection->carrier;
    const auto send = [&] {
        return carrier.Send(spec.code, parameter, payload.data(), spec.requestLength);
    };
    const auto receive = [&] {
        return carrier.Receive(spec.code, parameter, payload.data(), spec.replyCapacity);
    };
    // The one place the carriers differ: a disk read is itself the request of a query, and
    // a disk write is acknowledged by the pass-through instead of a reply frame.
    const bool disk = carrier.Kind() == CarrierKind::kDisk;
    switch (spec.shape) {
        case Shape::kQuery:
            if (!disk) send();
            return StatusOf(receive());
        case Shape::kConfirmed: {
            const bool sent = send();
            return StatusOf(disk ? sent : receive());
        }
        case Shape::kUnconfirmed: {
            const bool sent = send();
            if (!disk) receive();
            return StatusOf(sent);
        }
        case Shape::kTwoWay:
            send();
            return StatusOf(receive());
        case Shape::kCheckedQuery:
            if (disk) return StatusOf(receive());
            [[fallthrough]];
        case Shape::kCheckedTwoWay:
            if (!send()) return STATUS_FAILED;
            // Cleared so a short reply cannot leave request bytes that look like an answer.
            std::fill_n(payload.begin(), spec.replyCapacity, 0);
            return StatusOf(receive());
        case Shape::kLeaveForDisk: {
            const bool sent = send();
            // Once the camera answers it has left its command interface: the USB handle is dead.
            if (!disk && receive()) connection->carrier.reset();
            return StatusOf(sent);
        }
    }
    return STATUS_FAILED;
}

int RunCommand(DeviceConnection* connection, CommandId id, bool argumentsValid, Payload& payload,
               const uint8_t* parameter) {
    if (const int status = CheckGuards(connection, id, argumentsValid); status != STATUS_OK) {
        return status;
    }
    return Exchange(connection, id, payload, parameter);
}

int RunWithoutArguments(DeviceConnection* connection, CommandId id) {
    Payload payload{};
    return RunCommand(connection, id, true, payload);
}

}  // namespace petrel
