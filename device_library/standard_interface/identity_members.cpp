// Who the recorder is and who carries it: model identifier, bar code, version,
// watermark, and the ZfyInfo record assembled from the identity and unit payloads.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "petrel.h"
#include "standard_interface/member_pattern.h"

namespace {

// Fills a ZfyInfo field's characters (all but its last byte, the terminator position)
// from a zero-filled buffer at least that long.
template <size_t kFieldSize, size_t kSourceSize>
void FillCharacters(char (&field)[kFieldSize], const char (&source)[kSourceSize]) {
    static_assert(kSourceSize >= kFieldSize - 1);
    std::memcpy(field, source, kFieldSize - 1);
}

// A ZfyInfo field's characters into a zero-filled buffer of at least kBufferSize bytes,
// so the wrapped export always finds a terminator within what it reads.
template <size_t kBufferSize, size_t kFieldSize>
void TakeCharacters(char (&buffer)[kBufferSize], const char (&field)[kFieldSize]) {
    static_assert(kBufferSize > kFieldSize - 1);
    std::memcpy(buffer, field, kFieldSize - 1);
}

}  // namespace

extern "C" {

PETREL_API ZfyBool GetIDCode(char* text, uint16_t* result) {
    return petrel::zfy::PassUngated<GetModelID>(text, result);
}

PETREL_API ZfyBool SetIDCode(const char* text, uint16_t* result) {
    return petrel::zfy::PassUngated<SetModelID>(text, result);
}

PETREL_API ZfyBool GetSerialID(char* text, uint16_t* result) {
    return petrel::zfy::PassUngated<GetBarCode>(text, result);
}

PETREL_API ZfyBool ReadDeviceVersion(char* text, const char* password, uint16_t* result) {
    return petrel::zfy::PassGated<GetDeviceVersion>(text, password, result);
}

PETREL_API ZfyBool GetCustomizeWaterMarkInfo(char* text, const char* password, uint16_t* result) {
    return petrel::zfy::PassGated<GetWaterMark>(text, password, result);
}

PETREL_API ZfyBool SetCustomizeWaterMarkInfo(const char* text, const char* password,
                                             uint16_t* result) {
    return petrel::zfy::PassGated<SetWaterMark>(text, password, result);
}

PETREL_API ZfyBool GetZFYInfo(ZfyInfo* info, const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (info == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        char userId[PETREL_USER_ID_SIZE] = {};
        char userName[PETREL_USER_NAME_SIZE] = {};
        char deviceId[PETREL_DEVICE_ID_SIZE] = {};
        if (const int status = GetUserDevID(connection, userId, userName, deviceId);
            status != STATUS_OK) {
            return status;
        }
        char unitNumber[PETREL_UNIT_TEXT_SIZE] = {};
        char unitName[PETREL_UNIT_TEXT_SIZE] = {};
        if (const int status = GetDeptInfo(connection, unitNumber, unitName); status != STATUS_OK) {
            return status;
        }
        FillCharacters(info->deviceId, deviceId);
        FillCharacters(info->userId, userId);
        FillCharacters(info->userName, userName);
        FillCharacters(info->unitNumber, unitNumber);
        FillCharacters(info->unitName, unitName);
        return static_cast<int>(STATUS_OK);
    });
}

PETREL_API ZfyBool WriteZFYInfo(const ZfyInfo* info, const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (info == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        // Each buffer is wider than what the export reads of it, so it stays terminated.
        char userId[PETREL_USER_ID_SIZE + 1] = {};
        char userName[PETREL_USER_NAME_SIZE + 1] = {};
        char deviceId[PETREL_DEVICE_ID_SIZE + 1] = {};
        char unitNumber[PETREL_UNIT_TEXT_SIZE + 1] = {};
        char unitName[PETREL_UNIT_TEXT_SIZE + 1] = {};
        TakeCharacters(userId, info->userId);
        TakeCharacters(userName, info->userName);
        TakeCharacters(deviceId, info->deviceId);
        TakeCharacters(unitNumber, info->unitNumber);
        TakeCharacters(unitName, info->unitName);
        if (const int status = SetUserDevID(connection, userId, userName, deviceId);
            status != STATUS_OK) {
            return status;
        }
        return SetDeptInfo(connection, unitNumber, unitName);
    });
}

}  // extern "C"
