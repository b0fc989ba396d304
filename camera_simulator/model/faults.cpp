#include "faults.h"

#include "frame.h"

namespace camsim::model {

void FaultPlan::arm(Fault fault, unsigned exchange, FaultSpan span) {
    armed_.push_back(Armed{fault, exchange == 0 ? 1 : exchange, span});
}

Strike FaultPlan::next() {
    Strike strike;
    for (auto it = armed_.begin(); it != armed_.end();) {
        if (it->remaining > 1) {
            --it->remaining;
            ++it;
            continue;
        }
        if (!strike.fault) strike = Strike{it->fault, it->span == FaultSpan::FromThenOn};
        it = it->span == FaultSpan::Once ? armed_.erase(it) : it + 1;
    }
    return strike;
}

bool Strike::damagesReply() const {
    return is(Fault::WrongMagic) || is(Fault::WrongChecksum) || is(Fault::LengthTooLong) ||
           is(Fault::OtherCommand);
}

Bytes damageReply(Bytes frame, Fault fault) {
    if (frame.size() < kFrameOverhead) return frame;
    switch (fault) {
        case Fault::WrongMagic:
            frame[0] ^= 0xFF;
            break;
        case Fault::WrongChecksum:
            ++frame.back();
            break;
        case Fault::LengthTooLong:
            putBe16(&frame[4], static_cast<std::uint16_t>(frame.size() + 1));
            frame.back() = frameChecksum(std::span(frame).first(frame.size() - 1));
            break;
        case Fault::OtherCommand:
            putBe16(&frame[6], static_cast<std::uint16_t>(getBe16(&frame[6]) + 1));
            frame.back() = frameChecksum(std::span(frame).first(frame.size() - 1));
            break;
        default:
            break;
    }
    return frame;
}

}  // namespace camsim::model
