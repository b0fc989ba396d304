// The password check, read and change; the check and the change keep the connection key.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "commands/exchange.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "crypto/cipher.h"
#include "petrel.h"
#include "transport/connection.h"

namespace {

using petrel::CommandId;

bool IsLevel(int level) { return level == PETREL_USER_GENERAL || level == PETREL_USER_ADMINISTRATOR; }

// The disk carrier's command block names the account.
std::array<uint8_t, petrel::kParameterBytes> LevelParameter(int level) {
    return {static_cast<uint8_t>(level)};
}

petrel::Payload PasswordRequest(int level) {
    petrel::PasswordPayload request{};
    request.level = static_cast<uint8_t>(level);
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    return payload;
}

void RenewKey(DeviceConnection* connection, const char* password, int level) {
    std::fill(std::begin(connection->connectionKey), std::end(connection->connectionKey), 0);
    petrel::DeriveConnectionKey(password, petrel::kMaskedTextLimit, connection->modelCode, level,
                                connection->connectionKey);
}

}  // namespace

extern "C" {

PETREL_API int VerifiPassword(DeviceConnection* connection, const char* password, int level) {
    if (const int status = petrel::CheckGuards(connection, CommandId::kVerifiPassword,
                                                      password != nullptr && IsLevel(level));
        status != STATUS_OK) {
        return status;
    }
    petrel::Payload payload = PasswordRequest(level);
    petrel::CopyText(payload.data() + offsetof(petrel::PasswordPayload, password), password,
                     petrel::kMaskedTextLimit);
    const auto parameter = LevelParameter(level);
    if (petrel::Exchange(connection, CommandId::kVerifiPassword, payload, parameter.data()) !=
        STATUS_OK) {
        return STATUS_FAILED;
    }
    // The key comes from the password as the reply left it in the buffer.
    const auto reply = petrel::ReadPayload<petrel::PasswordPayload>(payload);
    if (reply.result == petrel::kPasswordLocked) return STATUS_PASSWORD_LOCKED;
    if (reply.result != petrel::kPasswordAccepted) return STATUS_NOT_VERIFIED;
    connection->verifiedLevel = level;
    RenewKey(connection, reinterpret_cast<const char*>(reply.password), level);
    return STATUS_OK;
}

PETREL_API int GetPassword(DeviceConnection* connection, char* out, int level) {
    petrel::Payload payload = PasswordRequest(level);
    const auto parameter = LevelParameter(level);
    const int status = petrel::RunCommand(connection, CommandId::kGetPassword,
                                          out != nullptr && IsLevel(level), payload,
                                          parameter.data());
    if (status != STATUS_OK) return status;
    const auto reply = petrel::ReadPayload<petrel::PasswordPayload>(payload);
    std::memcpy(out, reply.password, sizeof reply.password);
    return STATUS_OK;
}

PETREL_API int SetPassword(DeviceConnection* connection, const char* password, int level) {
    if (const int status = petrel::CheckGuards(connection, CommandId::kSetPassword,
                                                      password != nullptr && IsLevel(level));
        status != STATUS_OK) {
        return status;
    }
    // The work area is wider than the field so the mask always sees a terminated text.
    char newPassword[2 * petrel::kMaskedTextLimit] = {};
    petrel::CopyText(reinterpret_cast<uint8_t*>(newPassword), password, petrel::kMaskedTextLimit);
    petrel::PasswordPayload request{};
    request.level = static_cast<uint8_t>(level);
    petrel::ScrambleField(newPassword, connection->connectionKey, request.password);
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    const auto parameter = LevelParameter(level);
    const int status =
        petrel::Exchange(connection, CommandId::kSetPassword, payload, parameter.data());
    if (status == STATUS_OK && level == connection->verifiedLevel) {
        RenewKey(connection, newPassword, level);
    }
    return status;
}

}  // extern "C"
