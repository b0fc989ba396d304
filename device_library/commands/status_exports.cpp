// Small values the camera reports: battery, time-out, heartbeat.
#include "commands/exchange.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "transport/byte_order.h"

namespace {

using petrel::CommandId;

}  // namespace

extern "C" {

PETREL_API int GetBattery(DeviceConnection* connection, uint16_t* percent) {
    petrel::Payload payload{};
    const int status =
        petrel::RunCommand(connection, CommandId::kGetBattery, percent != nullptr, payload);
    if (status == STATUS_OK) *percent = petrel::GetLittleEndian16(payload.data());
    return status;
}

PETREL_API int GetTimeOut(DeviceConnection* connection, uint32_t* timeoutMs) {
    petrel::Payload payload{};
    const int status = petrel::RunCommand(connection, CommandId::kGetTimeOut, true, payload);
    if (status == STATUS_OK && timeoutMs != nullptr) {
        *timeoutMs = petrel::GetLittleEndian32(payload.data());
    }
    return status;
}

PETREL_API int SendHeartbeat(DeviceConnection* connection, uint32_t timeoutMs,
                             uint32_t* cameraTimeoutMs) {
    petrel::Payload payload{};
    petrel::PutLittleEndian32(payload.data(), petrel::CapHeartbeat(timeoutMs));
    const int status = petrel::RunCommand(connection, CommandId::kSendHeartbeat, true, payload);
    if (status == STATUS_OK && cameraTimeoutMs != nullptr) {
        *cameraTimeoutMs = petrel::GetLittleEndian32(payload.data());
    }
    return status;
}

}  // extern "C"
