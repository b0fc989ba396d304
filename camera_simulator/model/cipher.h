// The camera's side of the disk cipher (AES-256, each 16-byte block on its own)
// and of the password digest.
#pragma once

#include <array>

#include "bytes.h"

namespace camsim::model {

inline constexpr std::size_t kCipherUnit = 128;

// Deciphers what the host wrote (request key); input shorter than 128 bytes is zero-padded.
std::array<std::uint8_t, kCipherUnit> decipherRequest(std::span<const std::uint8_t> data);
// Enciphers a reply (reply key); the frame is zero-padded to 128 bytes.
std::array<std::uint8_t, kCipherUnit> encipherReply(std::span<const std::uint8_t> frame);

// Host-side counterparts, for tests that play the host.
std::array<std::uint8_t, kCipherUnit> encipherRequest(std::span<const std::uint8_t> payload);
std::array<std::uint8_t, kCipherUnit> decipherReply(std::span<const std::uint8_t> data);

std::array<std::uint8_t, 16> md5(std::string_view text);

}  // namespace camsim::model
