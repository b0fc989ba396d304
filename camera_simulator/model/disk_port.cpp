#include "cipher.h"
#include "command_table.h"
#include "frame.h"
#include "ports.h"

namespace camsim::model {
namespace {

std::uint16_t codeOf(std::span<const std::uint8_t> cdb) { return getBe16(&cdb[4]); }

LoggedRequest diskEntry(Direction direction, std::span<const std::uint8_t> cdb) {
    LoggedRequest entry;
    entry.carrier = Carrier::Disk;
    entry.direction = direction;
    entry.code = codeOf(cdb);
    std::copy_n(cdb.begin(), entry.cdb.size(), entry.cdb.begin());
    std::copy_n(cdb.begin() + 6, entry.params.size(), entry.params.begin());
    return entry;
}

TransferResult refused(RequestLog& log, LoggedRequest entry, TransferStatus status,
                       bool unplug = false) {
    entry.failed = true;
    log.add(std::move(entry));
    return {status, {}, 0, Effect::None, unplug};
}

}  // namespace

bool isVendorCdb(std::span<const std::uint8_t> cdb) {
    if (cdb.size() != kCdbLength) return false;
    return std::equal(kDiskWriteSignature.begin(), kDiskWriteSignature.end(), cdb.begin()) ||
           std::equal(kDiskReadSignature.begin(), kDiskReadSignature.end(), cdb.begin());
}

TransferResult DiskPort::write(std::span<const std::uint8_t> cdb,
                               std::span<const std::uint8_t> data) {
    LoggedRequest entry = diskEntry(Direction::Write, cdb);
    entry.wire.assign(data.begin(), data.end());
    const auto plain = decipherRequest(data);
    entry.payload.assign(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(
                                                            std::min(data.size(), plain.size())));
    pending_.erase(entry.code);
    unanswered_.reset();
    const Strike strike = ctx_.faults.next();
    if (strike.is(Fault::Unplugged)) {
        unanswered_ = Unanswered{entry.code, TransferStatus::NoDevice};
        return refused(ctx_.log, std::move(entry), TransferStatus::NoDevice, strike.lasting);
    }
    if (strike.is(Fault::NoReply) || !findCommand(entry.code)) {
        unanswered_ = Unanswered{entry.code, TransferStatus::CheckCondition};
        return refused(ctx_.log, std::move(entry), TransferStatus::CheckCondition);
    }
    Answer answer =
        ctx_.model.execute(Command{Carrier::Disk, entry.code, entry.params, entry.payload},
                           strike.is(Fault::Forgetful));
    Bytes frame = buildReplyFrame(entry.code, answer.payload);
    if (strike.damagesReply()) frame = damageReply(std::move(frame), *strike.fault);
    entry.reply = answer.payload;
    pending_[entry.code] = Pending{std::move(answer.payload), std::move(frame)};
    ctx_.log.add(std::move(entry));
    return {TransferStatus::Done, {}, data.size(), answer.effect, false};
}

TransferResult DiskPort::read(std::span<const std::uint8_t> cdb, std::size_t length) {
    LoggedRequest entry = diskEntry(Direction::Read, cdb);
    Effect effect = Effect::None;
    Pending reply;
    if (unanswered_ && unanswered_->code == entry.code) {
        const TransferStatus status = unanswered_->status;
        unanswered_.reset();
        return refused(ctx_.log, std::move(entry), status);
    }
    if (auto it = pending_.find(entry.code); it != pending_.end()) {
        reply = std::move(it->second);
        pending_.erase(it);
    } else {
        // Nothing written for this code: the read itself is the query.
        const Strike strike = ctx_.faults.next();
        const CommandSpec* spec = findCommand(entry.code);
        if (strike.is(Fault::Unplugged))
            return refused(ctx_.log, std::move(entry), TransferStatus::NoDevice, strike.lasting);
        if (strike.is(Fault::NoReply) || !spec)
            return refused(ctx_.log, std::move(entry), TransferStatus::CheckCondition);
        entry.payload.assign(spec->requestLength, 0);
        Answer answer =
            ctx_.model.execute(Command{Carrier::Disk, entry.code, entry.params, entry.payload});
        reply.frame = buildReplyFrame(entry.code, answer.payload);
        if (strike.damagesReply()) reply.frame = damageReply(std::move(reply.frame), *strike.fault);
        reply.payload = std::move(answer.payload);
        effect = answer.effect;
    }
    const auto ciphered = encipherReply(reply.frame);
    Bytes data(ciphered.begin(),
               ciphered.begin() + static_cast<std::ptrdiff_t>(std::min(length, ciphered.size())));
    entry.reply = std::move(reply.payload);
    entry.wire = data;
    ctx_.log.add(std::move(entry));
    const std::size_t moved = data.size();
    return {TransferStatus::Done, std::move(data), moved, effect, false};
}

}  // namespace camsim::model
