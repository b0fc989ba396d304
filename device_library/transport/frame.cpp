#include "transport/frame.h"

#include <algorithm>
#include <cstring>

#include "transport/byte_order.h"

namespace petrel {
namespace {

constexpr uint8_t kRequestMagic[4] = {0xD0, 0xC1, 0xB2, 0xA3};
constexpr uint8_t kReplyMagic[4] = {0xA3, 0xB2, 0xC1, 0xD0};

}  // namespace

uint8_t FrameChecksum(const uint8_t* bytes, size_t count) {
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}

size_t BuildRequestFrame(uint16_t command, const uint8_t* payload, size_t length, uint8_t* frame) {
    if (length > kMaxRequestPayload) return 0;
    std::memcpy(frame, kRequestMagic, sizeof kRequestMagic);
    PutBigEndian16(frame + 4, static_cast<uint16_t>(length + kFrameOverhead));
    PutBigEndian16(frame + 6, command);
    frame[8] = 0;
    if (payload != nullptr && length > 0) std::memcpy(frame + kPayloadOffset, payload, length);
    frame[kPayloadOffset + length] = FrameChecksum(frame, kPayloadOffset + length);
    return length + kFrameOverhead;
}

bool AcceptReply(const uint8_t* frame, size_t received, uint16_t command, uint8_t* out,
                 size_t capacity) {
    // A frame shorter than its own header and checksum, or longer than the buffer it was read
    // into, can only be garbage; refusing it keeps every read below inside the buffer.
    if (received < kFrameOverhead || received > kFrameBufferSize) return false;
    if (std::memcmp(frame, kReplyMagic, sizeof kReplyMagic) != 0) return false;
    const size_t total = GetBigEndian16(frame + 4);
    if (total < kFrameOverhead || total > received) return false;
    if (FrameChecksum(frame, total - 1) != frame[total - 1]) return false;
    if (frame[7] != static_cast<uint8_t>(command)) return false;
    const size_t payloadLength = total - kFrameOverhead;
    if (out != nullptr) std::memcpy(out, frame + kPayloadOffset, std::min(capacity, payloadLength));
    return true;
}

}  // namespace petrel
