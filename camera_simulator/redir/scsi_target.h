// The camera's disk as a SCSI target: the basics a kernel's disk driver asks
// (inquiry, capacity, sense, block reads and writes on an in-memory disk) are
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
    static constexpr std::uint32_t kDefaultBlockCount = 4096;

    // disk: its blocks, a whole number of them; empty for a zeroed disk of the default size.
    ScsiTarget(model::DiskPort& port, model::Bytes disk);

    // One command block; dataOut holds what the host sent, allowed what it will take back.
    ScsiOutcome execute(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut,
                        std::size_t allowed);

    // Every block zeroed, as the camera's format leaves them.
    void erase();

private:
    ScsiOutcome vendor(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut,
                       std::size_t allowed);
    ScsiOutcome blocks(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> dataOut);
    ScsiOutcome refuse(std::uint8_t senseKey, std::uint8_t asc);
    ScsiOutcome takeSense();
    model::Bytes capacity() const;
    std::uint64_t blockCount() const { return disk_.size() / kBlockSize; }

    model::DiskPort& port_;
    model::Bytes disk_;
    std::uint8_t senseKey_ = 0;
    std::uint8_t asc_ = 0;
};

}  // namespace camsim::redir
