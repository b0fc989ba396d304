// Recording encryption settings and the camera's key text.
#include <array>
#include <cstring>

#include "commands/exchange.h"
#include "commands/payloads.h"
#include "commands/record_codec.h"
#include "petrel.h"

namespace {

using petrel::CommandId;

constexpr size_t kChunkData = sizeof petrel::KeyChunk::data;
constexpr size_t kChunkCount = PETREL_RSA_AES_KEY_SIZE / kChunkData;
// A camera that never sends its last chunk must not keep the caller waiting forever;
// a whole key takes at most one pass per chunk.
constexpr size_t kMostPasses = kChunkCount;
constexpr uint8_t kMoreChunks = 0;
constexpr uint8_t kLastChunk = 1;

}  // namespace

extern "C" {

PETREL_API int GetEncryption(DeviceConnection* connection, uint8_t* dataEncryption,
                             uint8_t* decryptionPlayback, char* aesKey) {
    petrel::Payload payload{};
    const bool valid = dataEncryption != nullptr && decryptionPlayback != nullptr &&
                       aesKey != nullptr;
    const int status = petrel::RunCommand(connection, CommandId::kGetEncryption, valid, payload);
    if (status != STATUS_OK) return status;
    const auto settings = petrel::ReadPayload<petrel::EncryptionPayload>(payload);
    *dataEncryption = settings.dataEncryption;
    *decryptionPlayback = settings.decryptionPlayback;
    std::memcpy(aesKey, settings.aesKey, sizeof settings.aesKey);
    return STATUS_OK;
}

PETREL_API int SetEncryption(DeviceConnection* connection, int dataEncryption,
                             int decryptionPlayback, const char* aesKey) {
    petrel::EncryptionRequest request{};
    request.settings.dataEncryption = static_cast<uint8_t>(dataEncryption);
    request.settings.decryptionPlayback = static_cast<uint8_t>(decryptionPlayback);
    if (aesKey != nullptr) {
        petrel::CopyText(request.settings.aesKey, aesKey, sizeof request.settings.aesKey);
    }
    petrel::Payload payload{};
    petrel::WritePayload(payload, request);
    return petrel::RunCommand(connection, CommandId::kSetEncryption, aesKey != nullptr, payload);
}

PETREL_API int GetRsaAesKey(DeviceConnection* connection, char* out) {
    if (const int status =
            petrel::CheckGuards(connection, CommandId::kGetRsaAesKey, out != nullptr);
        status != STATUS_OK) {
        return status;
    }
    std::array<uint8_t, kChunkCount * kChunkData> collected{};
    // Each later request repeats the previous reply, so the camera sees where it is.
    petrel::Payload payload{};
    for (size_t pass = 0; pass < kMostPasses; ++pass) {
        if (petrel::Exchange(connection, CommandId::kGetRsaAesKey, payload) != STATUS_OK) {
            return STATUS_FAILED;
        }
        const auto chunk = petrel::ReadPayload<petrel::KeyChunk>(payload);
        if (chunk.chunkIndex >= kChunkCount) return STATUS_FAILED;
        std::memcpy(collected.data() + chunk.chunkIndex * kChunkData, chunk.data, kChunkData);
        if (chunk.lastChunk == kLastChunk) {
            std::memcpy(out, collected.data(), (chunk.chunkIndex + 1u) * kChunkData);
            return STATUS_OK;
        }
        if (chunk.lastChunk != kMoreChunks) return STATUS_FAILED;
    }
    return STATUS_FAILED;
}

}  // extern "C"
