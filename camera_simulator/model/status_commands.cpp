// Clock, battery, storage, time-out, storage lock, encryption and the chunked key text.
#include <ctime>

#include "handlers.h"

namespace camsim::model {
namespace {

constexpr std::size_t kChunkData = 96;
constexpr std::size_t kMaxChunks = 5;

}  // namespace

void getTime(CameraCore& core, CommandContext& ctx) {
    core.advanceClock();
    const DateTime& t = core.state.clock;
    std::fill(ctx.reply.begin(), ctx.reply.end(), std::uint8_t{0});
    putLe16(&ctx.reply[0], static_cast<std::uint16_t>(t.year - 1900));
    const int rest[] = {t.month, t.day, t.hour, t.minute, t.second};
    for (std::size_t i = 0; i < std::size(rest); ++i)
        ctx.reply[2 + i] = static_cast<std::uint8_t>(rest[i]);
}

void setTime(CameraCore& core, CommandContext& ctx) {
    const auto& r = ctx.request;
    core.state.clock = DateTime{getLe16(&r[0]) + 1900, r[2], r[3], r[4], r[5], r[6]};
    core.clockAnchor = SteadyClock::now();
}

void getBattery(CameraCore& core, CommandContext& ctx) {
    putLe16(&ctx.reply[0], core.state.batteryPercent);
}

void getDiskSpace(CameraCore& core, CommandContext& ctx) {
    putLe32(&ctx.reply[0], core.state.diskTotalMb);
    putLe32(&ctx.reply[4], core.state.diskFreeMb);
}

void getTimeout(CameraCore& core, CommandContext& ctx) {
    putLe32(&ctx.reply[0], core.state.timeoutMs);
}

void sendHeartbeat(CameraCore& core, CommandContext& ctx) {
    core.state.timeoutMs = getLe32(&ctx.request[0]);
    putLe32(&ctx.reply[0], core.state.timeoutMs);
}

void getLockState(CameraCore& core, CommandContext& ctx) {
    std::fill(ctx.reply.begin(), ctx.reply.end(), std::uint8_t{0});
    ctx.reply[0] = core.state.storageLocked ? 1 : 0;
    ctx.reply[1] = 1;
}

void setLockState(CameraCore& core, CommandContext& ctx) {
    core.state.storageLocked = ctx.request[0] != 0;
    core.state.lockPassword = textOf(std::span(ctx.request).subspan(2, 16));
    ctx.reply[1] = 1;
}

void getEncryption(CameraCore& core, CommandContext& ctx) {
    ctx.reply[0] = core.state.dataEncryption;
    ctx.reply[1] = core.state.decryptionPlayback;
    putText(std::span(ctx.reply).subspan(2, 32), core.state.aesKey);
}

void setEncryption(CameraCore& core, CommandContext& ctx) {
    core.state.dataEncryption = ctx.request[0];
    core.state.decryptionPlayback = ctx.request[1];
    core.state.aesKey = textOf(std::span(ctx.request).subspan(2, 32));
}

// On USB each request repeats the previous reply, so the camera continues after the
// chunk it names; an all-zero request (or one naming the last chunk) starts over.
// On the disk nothing is sent and the camera keeps its own cursor.
void getKeyChunk(CameraCore& core, CommandContext& ctx) {
    const auto& text = core.state.rsaAesKey;
    const std::size_t chunks =
        std::clamp<std::size_t>((text.size() + kChunkData - 1) / kChunkData, 1, kMaxChunks);
    std::size_t index = core.keyCursor;
    if (ctx.carrier == Carrier::Usb) {
        const bool continuing =
            ctx.request[0] == 0 && std::any_of(ctx.request.begin(), ctx.request.end(),
                                               [](std::uint8_t b) { return b != 0; });
        index = continuing ? ctx.request[1] + 1u : 0;
    }
    if (index >= chunks) index = 0;
    std::fill(ctx.reply.begin(), ctx.reply.end(), std::uint8_t{0});
    const bool last = index + 1 == chunks && !core.state.keyChunksNeverLast;
    ctx.reply[0] = last ? 1 : 0;
    ctx.reply[1] = static_cast<std::uint8_t>(index);
    const std::size_t from = std::min(text.size(), index * kChunkData);
    const std::size_t count = std::min(kChunkData, text.size() - from);
    std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(from), count, ctx.reply.begin() + 2);
    core.keyCursor = last ? 0 : static_cast<unsigned>(index + 1);
}

}  // namespace camsim::model
