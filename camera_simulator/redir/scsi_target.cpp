#include "scsi_target.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace camsim::redir {
namespace {

enum Opcode : std::uint8_t {
    kTestUnitReady = 0x00,
    kRequestSense = 0x03,
    kInquiry = 0x12,
    kModeSense6 = 0x1A,
    kStartStopUnit = 0x1B,
    kPreventAllowRemoval = 0x1E,
    kReadCapacity10 = 0x25,
    kRead10 = 0x28,
    kWrite10 = 0x2A,
    kSynchronizeCache10 = 0x35,
};

constexpr std::uint8_t kIllegalRequest = 0x05;
constexpr std::uint8_t kInvalidOpcode = 0x20;
constexpr std::uint8_t kLbaOutOfRange = 0x21;

std::uint32_t getBe32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0] << 24 | at[1] << 16 | at[2] << 8 | at[3]);
}

void putBe32(std::uint8_t* at, std::uint32_t v) {
    model::putBe16(at, static_cast<std::uint16_t>(v >> 16));
    model::putBe16(at + 2, static_cast<std::uint16_t>(v));
}

void putField(model::Bytes& data, std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
}

model::Bytes inquiry() {
    // A direct-access, non-removable disk; SCSI-2 keeps the kernel from asking for VPD pages.
    model::Bytes data(36, 0);
    data[2] = 2;
    data[3] = 2;
    data[4] = 31;
    putField(data, 8, "CAMERA  ");
    putField(data, 16, "Body Camera Disk");
    putField(data, 32, "1.00");
    return data;
}

}  // namespace

ScsiTarget::ScsiTarget(model::DiskPort& port, model::Bytes disk)
    : port_(port), disk_(std::move(disk)) {
    if (disk_.empty()) disk_.assign(std::size_t{kBlockSize} * kDefaultBlockCount, 0);
}

void ScsiTarget::erase() { std::fill(disk_.begin(), disk_.end(), 0); }

ScsiOutcome ScsiTarget::execute(std::span<const std::uint8_t> cdb,
                                std::span<const std::uint8_t> dataOut, std::size_t allowed) {
    if (model::isVendorCdb(cdb)) return vendor(cdb, dataOut, allowed);
    if (cdb.empty()) return refuse(kIllegalRequest, kInvalidOpcode);
    ScsiOutcome outcome;
    switch (cdb[0]) {
        case kTestUnitReady:
        case kStartStopUnit:
        case kPreventAllowRemoval:
        case kSynchronizeCache10:
            break;
        case kRequestSense:
            outcome = takeSense();
            break;
        case kInquiry:
            outcome.data = inquiry();
            break;
        case kModeSense6:
            outcome.data = {3, 0, 0, 0};  // no pages, not write-protected
            break;
        case kReadCapacity10:
            outcome.data = capacity();
            break;
        case kRead10:
        case kWrite10:
            outcome = blocks(cdb, dataOut);
            break;
        default:
            return refuse(kIllegalRequest, kInvalidOpcode);
    }
    if (outcome.data.size() > allowed) outcome.data.resize(allowed);
    return outcome;
}

ScsiOutcome ScsiTarget::vendor(std::span<const std::uint8_t> cdb,
                               std::span<const std::uint8_t> dataOut, std::size_t allowed) {
    const bool write = std::equal(model::kDiskWriteSignature.begin(),
                                  model::kDiskWriteSignature.end(), cdb.begin());
    model::TransferResult result = write ? port_.write(cdb, dataOut) : port_.read(cdb, allowed);
    if (result.status == model::TransferStatus::NoDevice) return ScsiOutcome{false, {}, {}, true};
    if (result.status != model::TransferStatus::Done)
        return refuse(kIllegalRequest, kInvalidOpcode);
    return ScsiOutcome{true, std::move(result.data), result.effect, result.unplug};
}

ScsiOutcome ScsiTarget::blocks(std::span<const std::uint8_t> cdb,
                               std::span<const std::uint8_t> dataOut) {
    if (cdb.size() < 10) return refuse(kIllegalRequest, kInvalidOpcode);
    const std::uint64_t first = getBe32(&cdb[2]);
    const std::uint64_t count = model::getBe16(&cdb[7]);
    if (first + count > blockCount()) return refuse(kIllegalRequest, kLbaOutOfRange);
    const auto begin = disk_.begin() + static_cast<std::ptrdiff_t>(first * kBlockSize);
    const auto length = static_cast<std::ptrdiff_t>(count * kBlockSize);
    ScsiOutcome outcome;
    if (cdb[0] == kRead10) {
        outcome.data.assign(begin, begin + length);
    } else {
        std::copy_n(dataOut.begin(), std::min<std::ptrdiff_t>(length, std::ssize(dataOut)), begin);
    }
    return outcome;
}

model::Bytes ScsiTarget::capacity() const {
    model::Bytes data(8, 0);
    putBe32(&data[0], static_cast<std::uint32_t>(blockCount() - 1));
    putBe32(&data[4], kBlockSize);
    return data;
}

ScsiOutcome ScsiTarget::refuse(std::uint8_t senseKey, std::uint8_t asc) {
    senseKey_ = senseKey;
    asc_ = asc;
    return ScsiOutcome{false, {}, {}, false};
}

ScsiOutcome ScsiTarget::takeSense() {
    // Fixed format, current error; reading it clears it.
    ScsiOutcome outcome;
    outcome.data = {0x70, 0, senseKey_, 0, 0, 0, 0, 10, 0, 0, 0, 0, asc_, 0, 0, 0, 0, 0};
    senseKey_ = 0;
    asc_ = 0;
    return outcome;
}

}  // namespace camsim::redir
