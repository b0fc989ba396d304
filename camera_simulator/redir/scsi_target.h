// The camera's disk as a SCSI target: the basics a kernel's disk driver asks
// (inquiry, capacity, sense, block reads and writes on a small in-memory disk) are
// answered here; the camera's vendor command blocks go to its disk port.
#pragma once

#include "../model/ports.h"

namespace camsim::redir {

struct ScsiOutcome {
    bool good = true;   // false: CHECK CONDITION, the sense says why
    model::Bytes data;  // data for the host; at most the length it allowed
    model::Effect effect = model::Effect::None;
    bool unplug = false;  // the camera left the bus instead of answering
};

class ScsiTarget {
public:
    static constexpr std::uint32_t kBlockSize = 512;
    static constexpr std::uint32_t kBlockCount = 4096;

    explicit ScsiTarget(model::DiskPort& port);

    // One command block; dataOut holds what the host sent, allowed what it will take back.
    ScsiOutcome execute(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut,
                        std::size_t allowed);

private:
    ScsiOutcome vendor(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut,
                       std::size_t allowed);
    ScsiOutcome blocks(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut);
    ScsiOutcome refuse(std::uint8_t senseKey, std::uint8_t asc);
    ScsiOutcome takeSense();

    model::DiskPort& port_;
    model::Bytes disk_;
    std::uint8_t senseKey_ = 0;
    std::uint8_t asc_ = 0;
};

}  // namespace camsim::redir
