// Feeds arbitrary bytes to the reply checks of both carriers, as a camera (or anything
// pretending to be one) could send them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "crypto/cipher.h"
#include "transport/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint16_t command = static_cast<uint16_t>(data[0] | (data[1] << 8));
    data += 2;
    size -= 2;
    const size_t received = std::min(size, petrel::kReplyReadLength);

    uint8_t frame[petrel::kFrameBufferSize] = {};
    std::memcpy(frame, data, received);
    uint8_t out[petrel::kFrameBufferSize];
    petrel::AcceptReply(frame, received, command, out, sizeof out);
    petrel::AcceptReply(frame, received, command, out, 1);

    uint8_t plain[petrel::kFrameBufferSize] = {};
    petrel::DecipherReply(frame, plain);
    petrel::AcceptReply(plain, std::min(received, petrel::kCipherUnit), command, out, sizeof out);
    return 0;
}
