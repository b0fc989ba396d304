// Exports that move one identity text each, with its copy rule.
#include <cstring>

#include "commands/exchange.h"
#include "commands/model_code.h"
#include "commands/record_codec.h"
#include "petrel.h"
#include "transport/connection.h"

namespace {

using petrel::CommandId;

constexpr size_t kVersionCopied = 47;
constexpr size_t kIdentityTextLength = 32;
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

namespace petrel {

bool ReadModelCode(DeviceConnection* connection) {
    char identifier[64] = {};
    if (GetModelID(connection, identifier) != STATUS_OK) return false;
    const char* underscore = std::strchr(identifier, '_');
    const char* code = underscore != nullptr ? underscore + 1 : identifier;
    // A code that does not fit is cut to 15 characters; the camera derives its key the same way.
    const size_t length = strnlen(code, sizeof connection->modelCode - 1);
    std::memset(connection->modelCode, 0, sizeof connection->modelCode);
    std::memcpy(connection->modelCode, code, length);
    return true;
}

}  // namespace petrel

extern "C" {

PETREL_API int GetDeviceVersion(DeviceConnection* connection, char* out) {
    return GetText(connection, CommandId::kGetDeviceVersion, out, kVersionCopied);
}

PETREL_API int GetModelID(DeviceConnection* connection, char* out) {
    return GetText(connection, CommandId::kGetModelID, out, kIdentityTextLength);
}

PETREL_API int GetBarCode(DeviceConnection* connection, char* out) {
    return GetText(connection, CommandId::kGetBarCode, out, kIdentityTextLength);
}

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
