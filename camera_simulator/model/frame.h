// The framed record of the command link: magic, big-endian length and code,
// reserved byte, payload, 8-bit sum checksum.
#pragma once

#include <array>
#include <optional>

#include "bytes.h"

namespace camsim::model {

inline constexpr std::array<std::uint8_t, 4> kRequestMagic{0xD0, 0xC1, 0xB2, 0xA3};
inline constexpr std::array<std::uint8_t, 4> kReplyMagic{0xA3, 0xB2, 0xC1, 0xD0};
inline constexpr std::size_t kFrameOverhead = 10;  // header 9 + checksum 1
inline constexpr std::size_t kPayloadOffset = 9;

std::uint8_t frameChecksum(std::span<const std::uint8_t> bytes);

struct RequestFrame {
    std::uint16_t code = 0;
    Bytes payload;
};

// A request frame as the host sent it; nullopt for anything that is not one
// (short, wrong magic, declared length beyond the data or below the header, bad checksum).
std::optional<RequestFrame> parseRequestFrame(std::span<const std::uint8_t> data);

Bytes buildReplyFrame(std::uint16_t code, std::span<const std::uint8_t> payload);

}  // namespace camsim::model
