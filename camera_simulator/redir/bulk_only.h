// Bulk-only mass-storage transport: a 31-byte command wrapper on the OUT pipe,
// then the data, then a 13-byte status wrapper on the IN pipe.
#pragma once

#include "scsi_target.h"

namespace camsim::redir {

struct BulkReply {
    bool stall = false;  // the wrapper was not one; the host must reset the transport
    model::Bytes data;   // IN data
    std::size_t moved = 0;
    model::Effect effect = model::Effect::None;
    bool unplug = false;
};

class BulkOnlyTransport {
public:
    explicit BulkOnlyTransport(ScsiTarget& target) : target_(target) {}

    BulkReply out(std::span<const std::uint8_t> data);
    BulkReply in(std::size_t length);
    void reset();

    // The command block of a command wrapper, empty for anything else.
    static std::span<const std::uint8_t> commandBlockOf(std::span<const std::uint8_t> wrapper);

private:
    enum class Phase { Command, DataOut, DataIn, Status };
    BulkReply run(std::span<const std::uint8_t> dataOut);

    ScsiTarget& target_;
    Phase phase_ = Phase::Command;
    std::uint32_t tag_ = 0;
    std::uint32_t expected_ = 0;  // the host's data transfer length
    std::array<std::uint8_t, 16> cdb_{};
    std::size_t cdbLength_ = 0;
    model::Bytes data_;  // OUT data gathered, or IN data still to send
    std::size_t sent_ = 0;
    std::uint32_t residue_ = 0;
    bool good_ = true;
};

}  // namespace camsim::redir
