// Vocabulary shared by the camera model and the test API: carriers, the request
// log, faults and where a camera is.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace camsim {

enum class Carrier { Usb, Disk };

// Write: data from the host to the camera (USB OUT frame, disk A3 B2 C1 D0 block).
// Read: data from the camera to the host (USB IN, disk A7 B6 C5 D4 block).
enum class Direction { Write, Read };

// One transfer the camera received, as it understood it.
struct LoggedRequest {
    Carrier carrier = Carrier::Usb;
    Direction direction = Direction::Write;
    std::uint16_t code = 0;                 // USB read: the code of the reply sent, 0 if none
    std::array<std::uint8_t, 10> params{};  // disk command block bytes 6-15; zero on USB
    std::vector<std::uint8_t> payload;  // request payload executed (deciphered on disk); empty on a
                                        // read that only fetched a pending reply
    std::vector<std::uint8_t> reply;    // reply payload the camera produced, if any
    std::vector<std::uint8_t>
        wire;  // raw bytes moved: the whole frame on USB, enciphered data on disk
    std::array<std::uint8_t, 16> cdb{};  // disk only
    bool failed = false;  // the transfer was answered with an error (stall, sense, ENODEV)
};

enum class Fault {
    NoReply,  // the command is not answered: USB IN stalls, disk read/write ends in CHECK CONDITION
    WrongMagic,     // reply frame with a damaged magic
    WrongChecksum,  // reply frame with its checksum off by one
    LengthTooLong,  // reply frame declaring one byte more than is sent
    OtherCommand,   // reply frame carrying the next command code
    Unplugged,      // transfers fail with ENODEV; from-then-on also removes the device
    Forgetful,      // the command is answered as done, but the camera's settings stay as they were
    Unanswered,     // USB: the camera stops answering; a transfer runs out its time-out (ETIMEDOUT)
};

enum class FaultSpan { Once, FromThenOn };

// Where a camera currently is.
enum class Presence { Usb, Disk, Off, Rebooting, Unplugged };

}  // namespace camsim
