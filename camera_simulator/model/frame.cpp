#include "frame.h"

#include <numeric>

namespace camsim::model {

std::uint8_t frameChecksum(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

std::optional<RequestFrame> parseRequestFrame(std::span<const std::uint8_t> data) {
    if (data.size() < kFrameOverhead ||
        !std::equal(kRequestMagic.begin(), kRequestMagic.end(), data.begin()))
        return std::nullopt;
    const std::size_t total = getBe16(&data[4]);
    if (total < kFrameOverhead || total > data.size()) return std::nullopt;
    if (frameChecksum(data.first(total - 1)) != data[total - 1]) return std::nullopt;
    RequestFrame frame;
    frame.code = getBe16(&data[6]);
    frame.payload.assign(data.begin() + kPayloadOffset,
                         data.begin() + static_cast<std::ptrdiff_t>(total - 1));
    return frame;
}

Bytes buildReplyFrame(std::uint16_t code, std::span<const std::uint8_t> payload) {
    Bytes frame(payload.size() + kFrameOverhead, 0);
    std::copy(kReplyMagic.begin(), kReplyMagic.end(), frame.begin());
    putBe16(&frame[4], static_cast<std::uint16_t>(frame.size()));
    putBe16(&frame[6], code);
    std::copy(payload.begin(), payload.end(), frame.begin() + kPayloadOffset);
    frame.back() = frameChecksum(std::span(frame).first(frame.size() - 1));
    return frame;
}

}  // namespace camsim::model
