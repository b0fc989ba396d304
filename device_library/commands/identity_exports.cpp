// Who carries the camera and the unit it belongs to: texts assembled into one payload.
#include <cstring>

#include "commands/exchange.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "crypto/cipher.h"
#include "petrel.h"
#include "transport/connection.h"

namespace {

using petrel::CommandId;

}  // namespace

extern "C" {

PETREL_API int GetUserDevID(DeviceConnection* connection, char* userId, char* userName,
                            char* deviceId) {
    petrel::Payload payload{};
    const int status = petrel::RunCommand(connection, CommandId::kGetUserDevID,
                                          userId != nullptr && deviceId != nullptr, payload);
    if (status != STATUS_OK) return status;
    const auto identity = petrel::ReadPayload<petrel::IdentityPayload>(payload);
    std::memcpy(userId, identity.userId, sizeof identity.userId);
    std::memcpy(deviceId, identity.deviceId, sizeof identity.deviceId);
    if (userName != nullptr) std::memcpy(userName, identity.userName, sizeof identity.userName);
    return STATUS_OK;
}

PETREL_API int SetUserDevID(DeviceConnection* connection, const char* userId,
                            const char* userName, const char* deviceId) {
    if (const int status = petrel::CheckGuards(connection, CommandId::kSetUserDevID,
                                                      userId != nullptr && deviceId != nullptr);
        status != STATUS_OK) {
        return status;
    }
    petrel::IdentityPayload identity{};
    petrel::ScrambleField(userId, connection->connectionKey, identity.userId);
    petrel::ScrambleField(deviceId, connection->connectionKey, identity.deviceId);
    if (userName != nullptr) petrel::CopyText(identity.userName, userName, sizeof identity.userName);
    petrel::Payload payload{};
    petrel::WritePayload(payload, identity);
    return petrel::Exchange(connection, CommandId::kSetUserDevID, payload);
}

PETREL_API int GetDeptInfo(DeviceConnection* connection, char* unitNumber, char* unitName) {
    petrel::Payload payload{};
    const int status = petrel::RunCommand(connection, CommandId::kGetDeptInfo,
                                          unitNumber != nullptr && unitName != nullptr, payload);
    if (status != STATUS_OK) return status;
    const auto unit = petrel::ReadPayload<petrel::UnitPayload>(payload);
    std::memcpy(unitNumber, unit.unitNumber, sizeof unit.unitNumber);
    std::memcpy(unitName, unit.unitName, sizeof unit.unitName);
    return STATUS_OK;
}

PETREL_API int SetDeptInfo(DeviceConnection* connection, const char* unitNumber,
                           const char* unitName) {
    const bool valid = unitNumber != nullptr && unitName != nullptr;
    petrel::UnitPayload unit{};
    if (valid) {
        petrel::CopyTextOrCut(unit.unitNumber, unitNumber, sizeof unit.unitNumber);
        petrel::CopyTextOrCut(unit.unitName, unitName, sizeof unit.unitName);
    }
    petrel::Payload payload{};
    petrel::WritePayload(payload, unit);
    return petrel::RunCommand(connection, CommandId::kSetDeptInfo, valid, payload);
}

}  // extern "C"
