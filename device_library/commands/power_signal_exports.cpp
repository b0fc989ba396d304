// Commands that act on the camera itself: host type, defaults, power, LEDs, buzzer.
#include <cstring>

#include "commands/exchange.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "transport/byte_order.h"

namespace {

using petrel::CommandId;

constexpr uint32_t kLastLed = 3;
constexpr uint32_t kLastLedState = 2;
constexpr int kThisManager = 1;
// Reset must carry this guard value or the camera ignores it.
constexpr uint8_t kResetGuard[7] = {0x3E, 0x51, 0x0C, 0x72, 0x26, 0x19, 0x44};

}  // namespace

extern "C" {

PETREL_API int SetSystemType(DeviceConnection* connection, int type) {
    petrel::Payload payload{static_cast<uint8_t>(type == kThisManager ? 1 : 0)};
    return petrel::RunCommand(connection, CommandId::kSetSystemType, true, payload);
}

PETREL_API int ResetDevice(DeviceConnection* connection) {
    petrel::Payload payload{};
    std::memcpy(payload.data(), kResetGuard, sizeof kResetGuard);
    return petrel::RunCommand(connection, CommandId::kResetDevice, true, payload);
}

PETREL_API int SetCameraShutdown(DeviceConnection* connection) {
    return petrel::RunWithoutArguments(connection, CommandId::kSetCameraShutdown);
}

PETREL_API int CameraReboot(DeviceConnection* connection) {
    return petrel::RunWithoutArguments(connection, CommandId::kCameraReboot);
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
