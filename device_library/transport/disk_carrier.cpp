#include <algorithm>
#include <cstring>

#include "crypto/cipher.h"
#include "transport/byte_order.h"
#include "transport/carriers.h"
#include "transport/frame.h"

namespace petrel {
namespace {

constexpr uint8_t kWriteSignature[4] = {0xA3, 0xB2, 0xC1, 0xD0};
constexpr uint8_t kReadSignature[4] = {0xA7, 0xB6, 0xC5, 0xD4};
constexpr uint32_t kTimeoutSeconds = 5;
constexpr uint16_t kSenseOffset = 48;

platform::ScsiPassThroughDirect MakeRequest(const uint8_t* signature, uint16_t command,
                                            const uint8_t* parameter, bool dataIn,
                                            uint32_t transferLength) {
    platform::ScsiPassThroughDirect request{};
    request.length = 44;
    request.targetId = 1;
    request.cdbLength = 16;
    request.senseInfoLength = sizeof request.sense;
    request.dataIn = dataIn ? 1 : 0;
    request.dataTransferLength = transferLength;
    request.timeOutValue = kTimeoutSeconds;
    request.senseInfoOffset = kSenseOffset;
    std::memcpy(request.cdb, signature, 4);
    PutBigEndian16(request.cdb + 4, command);
    if (parameter != nullptr) std::memcpy(request.cdb + 6, parameter, 10);
    return request;
}

}  // namespace

int DiskSend(platform::VolumeHandle volume, uint16_t command, const uint8_t* parameter,
             const uint8_t* payload, size_t length) {
    // Only 128 bytes are enciphered; a longer payload would go out with a clear tail.
    if (length > kCipherUnit) return 0;
    uint8_t plain[kCipherUnit] = {};
    if (payload != nullptr && length > 0) std::memcpy(plain, payload, length);
    uint8_t data[kFrameBufferSize] = {};
    EncipherRequest(plain, data);
    const uint32_t rounded = static_cast<uint32_t>((length + 15) / 16 * 16);
    auto request = MakeRequest(kWriteSignature, command, parameter, false, rounded);
    return platform::ExecutePassThrough(volume, request, data) == platform::PassThroughResult::kGood
               ? 1
               : 0;
}

int DiskReceive(platform::VolumeHandle volume, uint16_t command, const uint8_t* parameter,
                uint8_t* out, size_t capacity) {
    uint8_t data[kFrameBufferSize] = {};
    auto request = MakeRequest(kReadSignature, command, parameter, true, kReplyReadLength);
    const bool good =
        platform::ExecutePassThrough(volume, request, data) == platform::PassThroughResult::kGood;
    // Only the first 128 bytes were deciphered: a frame claiming more has an unreadable tail.
    const size_t received = good ? std::min<size_t>(request.dataTransferLength, kCipherUnit) : 0;
    uint8_t frame[kFrameBufferSize] = {};
    DecipherReply(data, frame);
    return AcceptReply(frame, received, command, out, capacity) ? 1 : 0;
}

}  // namespace petrel
