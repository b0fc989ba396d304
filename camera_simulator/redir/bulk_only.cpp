#include "bulk_only.h"

namespace camsim::redir {
namespace {

constexpr std::uint32_t kCommandSignature = 0x43425355;  // "USBC"
constexpr std::uint32_t kStatusSignature = 0x53425355;   // "USBS"
constexpr std::size_t kCommandWrapperLength = 31;
constexpr std::size_t kStatusWrapperLength = 13;
constexpr std::size_t kCdbOffset = 15;
constexpr std::uint8_t kDataIn = 0x80;

}  // namespace

std::span<const std::uint8_t> BulkOnlyTransport::commandBlockOf(
    std::span<const std::uint8_t> wrapper) {
    if (wrapper.size() != kCommandWrapperLength ||
        model::getLe32(wrapper.data()) != kCommandSignature)
        return {};
    const std::size_t length = std::min<std::size_t>(wrapper[14] & 0x1F, 16);
    return wrapper.subspan(kCdbOffset, length);
}

void BulkOnlyTransport::reset() {
    phase_ = Phase::Command;
    data_.clear();
    sent_ = 0;
}

BulkReply BulkOnlyTransport::out(std::span<const std::uint8_t> data) {
    if (phase_ == Phase::DataOut) {
        data_.insert(data_.end(), data.begin(), data.end());
        BulkReply reply{false, {}, data.size(), model::Effect::None, false};
        if (data_.size() < expected_) return reply;
        BulkReply ran = run(data_);
        ran.moved = data.size();
        return ran;
    }
    const auto cdb = commandBlockOf(data);
    if (phase_ != Phase::Command || cdb.empty()) return BulkReply{true, {}, 0, {}, false};
    tag_ = model::getLe32(&data[4]);
    expected_ = model::getLe32(&data[8]);
    cdbLength_ = cdb.size();
    std::copy(cdb.begin(), cdb.end(), cdb_.begin());
    data_.clear();
    sent_ = 0;
    if (expected_ > 0 && (data[12] & kDataIn) == 0) {
        phase_ = Phase::DataOut;
        return BulkReply{false, {}, data.size(), model::Effect::None, false};
    }
    BulkReply ran = run({});
    ran.moved = data.size();
    return ran;
}

BulkReply BulkOnlyTransport::run(std::span<const std::uint8_t> dataOut) {
    ScsiOutcome outcome = target_.execute(std::span(cdb_).first(cdbLength_), dataOut, expected_);
    good_ = outcome.good;
    const bool toHost = dataOut.empty() && expected_ > 0;
    residue_ =
        expected_ - static_cast<std::uint32_t>(toHost ? outcome.data.size() : dataOut.size());
    data_ = toHost ? std::move(outcome.data) : model::Bytes{};
    sent_ = 0;
    phase_ = toHost ? Phase::DataIn : Phase::Status;
    return BulkReply{false, {}, 0, outcome.effect, outcome.unplug};
}

BulkReply BulkOnlyTransport::in(std::size_t length) {
    if (phase_ == Phase::DataIn) {
        // A short packet, even an empty one, ends the data phase.
        const std::size_t n = std::min(length, data_.size() - sent_);
        const auto from = data_.begin() + static_cast<std::ptrdiff_t>(sent_);
        model::Bytes chunk(from, from + static_cast<std::ptrdiff_t>(n));
        sent_ += n;
        if (sent_ == data_.size() || n < length) phase_ = Phase::Status;
        return BulkReply{false, std::move(chunk), n, model::Effect::None, false};
    }
    if (phase_ != Phase::Status) return BulkReply{true, {}, 0, {}, false};
    model::Bytes status(kStatusWrapperLength, 0);
    model::putLe32(&status[0], kStatusSignature);
    model::putLe32(&status[4], tag_);
    model::putLe32(&status[8], residue_);
    status[12] = good_ ? 0 : 1;
    phase_ = Phase::Command;
    return BulkReply{false, std::move(status), kStatusWrapperLength, model::Effect::None, false};
}

}  // namespace camsim::redir
