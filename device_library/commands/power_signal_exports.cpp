// Commands that act on the camera's body: power, LEDs, buzzer.
#include "commands/command_runner.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "transport/byte_order.h"

namespace {

using petrel::CommandId;

constexpr uint32_t kLastLed = 3;
constexpr uint32_t kLastLedState = 2;

int RunWithoutArguments(DeviceConnection* connection, CommandId id) {
    petrel::Payload payload{};
    return petrel::RunCommand(connection, id, true, payload);
}

}  // namespace

extern "C" {

PETREL_API int SetCameraShutdown(DeviceConnection* connection) {
    return RunWithoutArguments(connection, CommandId::kSetCameraShutdown);
}

PETREL_API int CameraReboot(DeviceConnection* connection) {
    return RunWithoutArguments(connection, CommandId::kCameraReboot);
}

PETREL_API int SetLedState(DeviceConnection* connection, uint32_t led, uint32_t state,
                           int intervalMs) {
    petrel::LedPayload request{};
    request.led = static_cast<uint8_t>(led);
    request.ledState = static_cast<uint8_t>(state);
    petrel::PutLittleEndian16(request.blinkUnits, petrel::HundredMsUnits(intervalMs));
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    return petrel::RunCommand(connection, CommandId::kSetLedState,
                              led <= kLastLed && state <= kLastLedState, payload);
}

PETREL_API int SetBuzzer(DeviceConnection* connection, int rings, int ringMs) {
    petrel::BuzzerPayload request{};
    request.rings = petrel::ClampRings(rings);
    petrel::PutLittleEndian16(request.ringUnits, petrel::HundredMsUnits(ringMs));
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    return petrel::RunCommand(connection, CommandId::kSetBuzzer, true, payload);
}

}  // extern "C"
