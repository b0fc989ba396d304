// The camera's two command interfaces: USB vendor control transfers carrying
// frames, and vendor SCSI command blocks on its disk carrying enciphered data.
// Each port turns transfers into commands for the model, applies armed faults
// and logs what arrived.
#pragma once

#include <map>

#include "camera_model.h"
#include "faults.h"
#include "request_log.h"

namespace camsim::model {

enum class TransferStatus {
    Done,            // data moved as returned
    Stall,           // USB: no reply pending
    CheckCondition,  // disk: the command was refused
    NoDevice,        // the camera is gone for this transfer
    TimedOut,        // USB: nothing came back before the transfer's time-out
};

struct TransferResult {
    TransferStatus status = TransferStatus::Done;
    Bytes data;                    // what goes back to the host (IN data)
    std::size_t moved = 0;         // bytes moved in either direction
    Effect effect = Effect::None;  // to apply once the transfer is answered
    bool unplug = false;           // the camera leaves the bus after this transfer
};

// Shared by both ports: the model, the faults and the log of one camera.
struct PortContext {
    CameraModel& model;
    FaultPlan& faults;
    RequestLog& log;
};

class UsbPort {
public:
    explicit UsbPort(PortContext ctx) : ctx_(ctx) {}
    TransferResult write(std::span<const std::uint8_t> data);
    TransferResult read(std::size_t length);

private:
    struct Pending {
        std::uint16_t code;
        Bytes payload;
        Bytes frame;
        Effect effect;
    };
    PortContext ctx_;
    std::optional<Pending> pending_;
};

inline constexpr std::array<std::uint8_t, 4> kDiskWriteSignature{0xA3, 0xB2, 0xC1, 0xD0};
inline constexpr std::array<std::uint8_t, 4> kDiskReadSignature{0xA7, 0xB6, 0xC5, 0xD4};
inline constexpr std::size_t kCdbLength = 16;

class DiskPort {
public:
    explicit DiskPort(PortContext ctx) : ctx_(ctx) {}
    // A vendor command block with data to the camera.
    TransferResult write(std::span<const std::uint8_t> cdb, std::span<const std::uint8_t> data);
    // A vendor command block asking for length bytes.
    TransferResult read(std::span<const std::uint8_t> cdb, std::size_t length);

private:
    struct Pending {
        Bytes payload;
        Bytes frame;
    };
    PortContext ctx_;
    std::map<std::uint16_t, Pending> pending_;  // replies of writes not yet read, by code
    // A write that failed: its read fails the same way, never run as a query.
    struct Unanswered {
        std::uint16_t code;
        TransferStatus status;
    };
    std::optional<Unanswered> unanswered_;
};

// A vendor command block: either signature, 16 bytes.
bool isVendorCdb(std::span<const std::uint8_t> cdb);

}  // namespace camsim::model
