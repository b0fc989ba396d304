// Runs a row of the command table: its guards in their order, then its exchange shape.
#pragma once

#include <array>
#include <cstdint>

#include "commands/command_table.h"

struct DeviceConnection;

namespace petrel {

// One zero-filled buffer holds a command's request and then its reply.
using Payload = std::array<uint8_t, kLargestPayload>;

// STATUS_OK, or STATUS_BAD_ARGUMENT for a handle that is not a live connection, or the
// status of the first guard of the row that fails: S no connection, V no verified
// password, A the export's own verdict on its arguments.
int CheckGuards(const DeviceConnection* connection, CommandId id, bool argumentsValid);

// The row's exchange on a guarded connection; parameter: 10 command-block bytes or null.
int Exchange(DeviceConnection* connection, CommandId id, Payload& payload,
             const uint8_t* parameter = nullptr);

// Guards, then the exchange.
int RunCommand(DeviceConnection* connection, CommandId id, bool argumentsValid, Payload& payload,
               const uint8_t* parameter = nullptr);

// Guards and exchange of a row whose request is all zeros.
int RunWithoutArguments(DeviceConnection* connection, CommandId id);

}  // namespace petrel
