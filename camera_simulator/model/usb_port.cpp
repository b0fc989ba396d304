#include "frame.h"
#include "ports.h"

namespace camsim::model {

TransferResult UsbPort::write(std::span<const std::uint8_t> data) {
    LoggedRequest entry;
    entry.carrier = Carrier::Usb;
    entry.direction = Direction::Write;
    entry.wire.assign(data.begin(), data.end());
    pending_.reset();
    const Strike strike = ctx_.faults.next();
    if (strike.is(Fault::Unplugged)) {
        entry.failed = true;
        ctx_.log.add(std::move(entry));
        return {TransferStatus::NoDevice, {}, 0, Effect::None, strike.lasting};
    }
    if (strike.is(Fault::Unanswered)) {
        entry.failed = true;
        ctx_.log.add(std::move(entry));
        return {TransferStatus::TimedOut, {}, 0, Effect::None, false};
    }
    TransferResult result{TransferStatus::Done, {}, data.size(), Effect::None, false};
    // Garbage is taken off the wire like any transfer, and simply not answered.
    const auto frame = parseRequestFrame(data);
    if (frame) {
        entry.code = frame->code;
        entry.payload = frame->payload;
        if (!strike.is(Fault::NoReply)) {
            Answer answer =
                ctx_.model.execute(Command{Carrier::Usb, frame->code, {}, frame->payload},
                                   strike.is(Fault::Forgetful));
            if (answer.known) {
                Bytes reply = buildReplyFrame(frame->code, answer.payload);
                if (strike.damagesReply()) reply = damageReply(std::move(reply), *strike.fault);
                entry.reply = answer.payload;
                pending_ = Pending{frame->code, std::move(answer.payload), std::move(reply),
                                   answer.effect};
            }
        }
    }
    ctx_.log.add(std::move(entry));
    return result;
}

TransferResult UsbPort::read(std::size_t length) {
    LoggedRequest entry;
    entry.carrier = Carrier::Usb;
    entry.direction = Direction::Read;
    if (!pending_) {
        entry.failed = true;
        ctx_.log.add(std::move(entry));
        return {TransferStatus::Stall, {}, 0, Effect::None, false};
    }
    Pending pending = std::move(*pending_);
    pending_.reset();
    Bytes data(pending.frame.begin(), pending.frame.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                  length, pending.frame.size())));
    entry.code = pending.code;
    entry.reply = std::move(pending.payload);
    entry.wire = data;
    ctx_.log.add(std::move(entry));
    const std::size_t moved = data.size();
    return {TransferStatus::Done, std::move(data), moved, pending.effect, false};
}

}  // namespace camsim::model
