#include "commands/command_runner.h"

#include <algorithm>

#include "petrel.h"
#include "transport/exchange.h"
#include "transport/transport.h"

namespace petrel {
namespace {

// A send that fails ends the exchange; the reply area is cleared first so a short reply
// cannot leave request bytes that look like an answer.
int RunCheckedTwoWay(DeviceConnection* connection, const CommandSpec& spec, Payload& payload,
                     const uint8_t* parameter) {
    if (!SendCommand(connection, spec.code, parameter, payload.data(), spec.requestLength)) {
        return STATUS_FAILED;
    }
    std::fill_n(payload.begin(), spec.replyCapacity, 0);
    return ReceiveReply(connection, spec.code, parameter, payload.data(), spec.replyCapacity)
               ? STATUS_OK
               : STATUS_FAILED;
}

int RunCheckedQuery(DeviceConnection* connection, const CommandSpec& spec, Payload& payload,
                    const uint8_t* parameter) {
    if (IsDiskConnection(connection)) {
        return RunQuery(connection, spec.code, parameter, payload.data(), spec.requestLength,
                        spec.replyCapacity);
    }
    return RunCheckedTwoWay(connection, spec, payload, parameter);
}

}  // namespace

int CheckCommandGuards(const DeviceConnection* connection, CommandId id, bool argumentsValid) {
    return CheckGuards(connection, Spec(id).guards, argumentsValid);
}

int Exchange(DeviceConnection* connection, CommandId id, Payload& payload,
             const uint8_t* parameter) {
    const CommandSpec& spec = Spec(id);
    using Runner = int (*)(DeviceConnection*, uint16_t, const uint8_t*, uint8_t*, size_t, size_t);
    Runner runner = nullptr;
    switch (spec.shape) {
        case Shape::kQuery: runner = RunQuery; break;
        case Shape::kConfirmed: runner = RunConfirmed; break;
        case Shape::kUnconfirmed: runner = RunUnconfirmed; break;
        case Shape::kTwoWay: runner = RunTwoWay; break;
        case Shape::kCheckedTwoWay: return RunCheckedTwoWay(connection, spec, payload, parameter);
        case Shape::kCheckedQuery: return RunCheckedQuery(connection, spec, payload, parameter);
        case Shape::kNone: return STATUS_NOT_SUPPORTED;
    }
    return runner(connection, spec.code, parameter, payload.data(), spec.requestLength,
                  spec.replyCapacity);
}

int RunCommand(DeviceConnection* connection, CommandId id, bool argumentsValid, Payload& payload,
               const uint8_t* parameter) {
    if (const int status = CheckCommandGuards(connection, id, argumentsValid);
        status != STATUS_OK) {
        return status;
    }
    return Exchange(connection, id, payload, parameter);
}

}  // namespace petrel
