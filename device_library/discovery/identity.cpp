// Connection-time commands: they need no verified password.
#include <cstring>

#include "discovery/connection.h"
#include "discovery/identity_text.h"
#include "petrel.h"
#include "transport/exchange.h"

namespace {

constexpr uint16_t kGetDeviceVersion = 0x01;
constexpr uint16_t kResetDevice = 0x02;
constexpr uint16_t kGetModelId = 0x2D;
constexpr uint16_t kGetBarCode = 0x33;
constexpr uint16_t kSetSystemType = 0x1000;

constexpr size_t kVersionLength = 48;
constexpr size_t kVersionCopied = 47;
constexpr size_t kIdentityTextLength = 32;
// Reset must carry this guard value or the camera ignores it.
constexpr uint8_t kResetGuard[7] = {0x3E, 0x51, 0x0C, 0x72, 0x26, 0x19, 0x44};

int QueryText(DeviceConnection* connection, uint16_t command, char* out, size_t length,
              size_t copied) {
    if (int status = petrel::CheckGuards(connection, "SA", out != nullptr); status != STATUS_OK) {
        return status;
    }
    uint8_t payload[kVersionLength] = {};
    if (petrel::RunQuery(connection, command, nullptr, payload, length, length) != STATUS_OK) {
        return STATUS_FAILED;
    }
    petrel::CopyAndFill(out, payload, copied);
    return STATUS_OK;
}

}  // namespace

namespace petrel {

void CopyAndFill(char* destination, const uint8_t* source, size_t n) {
    const size_t length = strnlen(reinterpret_cast<const char*>(source), n);
    std::memcpy(destination, source, length);
    std::memset(destination + length, 0, n - length);
}

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
    return QueryText(connection, kGetDeviceVersion, out, kVersionLength, kVersionCopied);
}

PETREL_API int GetModelID(DeviceConnection* connection, char* out) {
    return QueryText(connection, kGetModelId, out, kIdentityTextLength, kIdentityTextLength);
}

PETREL_API int GetBarCode(DeviceConnection* connection, char* out) {
    return QueryText(connection, kGetBarCode, out, kIdentityTextLength, kIdentityTextLength);
}

PETREL_API int SetSystemType(DeviceConnection* connection, int type) {
    if (int status = petrel::CheckGuards(connection, "S", true); status != STATUS_OK) return status;
    uint8_t payload[4] = {static_cast<uint8_t>(type == 1 ? 1 : 0), 0, 0, 0};
    return petrel::RunConfirmed(connection, kSetSystemType, nullptr, payload, sizeof payload,
                                sizeof payload);
}

PETREL_API int ResetDevice(DeviceConnection* connection) {
    if (int status = petrel::CheckGuards(connection, "SV", true); status != STATUS_OK) {
        return status;
    }
    uint8_t payload[sizeof kResetGuard];
    std::memcpy(payload, kResetGuard, sizeof payload);
    return petrel::RunUnconfirmed(connection, kResetDevice, nullptr, payload, sizeof payload, 0);
}

}  // extern "C"
