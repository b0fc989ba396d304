// The command frame: building requests and validating replies.
#pragma once

#include <cstddef>
#include <cstdint>

namespace petrel {

constexpr size_t kFrameBufferSize = 512;
constexpr size_t kFrameOverhead = 10;  // magic, length, command, reserved, checksum
constexpr size_t kPayloadOffset = 9;
constexpr size_t kMaxRequestPayload = kFrameBufferSize - kFrameOverhead;
constexpr size_t kReplyReadLength = 500;

uint8_t FrameChecksum(const uint8_t* bytes, size_t count);

// Builds the request frame into a zero-filled buffer of kFrameBufferSize bytes.
// Returns the frame length, or 0 when the payload does not fit.
size_t BuildRequestFrame(uint16_t command, const uint8_t* payload, size_t length, uint8_t* frame);

// Checks a reply frame of `received` bytes against the request's command and copies
// min(capacity, payload) bytes to out. Returns false, out untouched, on any fault.
bool AcceptReply(const uint8_t* frame, size_t received, uint16_t command, uint8_t* out,
                 size_t capacity);

}  // namespace petrel
