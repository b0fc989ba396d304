// Exports that move one identity text each, with its copy rule.
#include <cstring>

#include "commands/command_runner.h"
#include "commands/record_codec.h"
#include "discovery/identity_text.h"
#include "petrel.h"

namespace {

using petrel::CommandId;

constexpr size_t kModelIdLimit = 32;
constexpr size_t kBarCodeLimit = 16;
constexpr size_t kP2pCodeLength = PETREL_P2P_CODE_SIZE - 1;

int GetText(DeviceConnection* connection, CommandId id, char* out, size_t copied) {
    petrel::Payload payload{};
    const int status = petrel::RunCommand(connection, id, out != nullptr, payload);
    if (status == STATUS_OK) petrel::CopyAndFill(out, payload.data(), copied);
    return status;
}

int SetText(DeviceConnection* connection, CommandId id, const char* text, size_t limit,
            bool valid) {
    petrel::Payload payload{};
    if (valid) petrel::CopyText(payload.data(), text, limit);
    return petrel::RunCommand(connection, id, valid, payload);
}

}  // namespace

extern "C" {

PETREL_API int SetModelID(DeviceConnection* connection, const char* text) {
    return SetText(connection, CommandId::kSetModelID, text, kModelIdLimit, text != nullptr);
}

PETREL_API int SetBarCode(DeviceConnection* connection, const char* text) {
    return SetText(connection, CommandId::kSetBarCode, text, kBarCodeLimit, text != nullptr);
}

PETREL_API int GetMacAddress(DeviceConnection* connection, char* out) {
    return GetText(connection, CommandId::kGetMacAddress, out, PETREL_MAC_ADDRESS_SIZE);
}

PETREL_API int SetMacAddress(DeviceConnection* connection, const char* text) {
    return SetText(connection, CommandId::kSetMacAddress, text, PETREL_MAC_ADDRESS_SIZE,
                   text != nullptr);
}

PETREL_API int GetWaterMark(DeviceConnection* connection, char* out) {
    return GetText(connection, CommandId::kGetWaterMark, out, PETREL_WATERMARK_SIZE);
}

PETREL_API int SetWaterMark(DeviceConnection* connection, const char* text) {
    return SetText(connection, CommandId::kSetWaterMark, text, PETREL_WATERMARK_SIZE,
                   text != nullptr);
}

PETREL_API int GetP2pCode(DeviceConnection* connection, char* out) {
    const int status = GetText(connection, CommandId::kGetP2pCode, out, kP2pCodeLength);
    if (status == STATUS_OK) out[kP2pCodeLength] = '\0';
    return status;
}

PETREL_API int SetP2pCode(DeviceConnection* connection, const char* code) {
    const bool valid = code != nullptr && strnlen(code, kP2pCodeLength + 1) == kP2pCodeLength;
    return SetText(connection, CommandId::kSetP2pCode, code, kP2pCodeLength, valid);
}

}  // extern "C"
