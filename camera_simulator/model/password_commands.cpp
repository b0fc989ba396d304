// Password checks with lock-out, and the connection key derived on acceptance.
#include "connection_key.h"
#include "handlers.h"

namespace camsim::model {
namespace {

constexpr std::size_t kPasswordOffset = 2;
constexpr std::size_t kPasswordField = 16;
constexpr std::uint8_t kAccepted = 1;
constexpr std::uint8_t kRejected = 0;
constexpr std::uint8_t kLockedOut = 0xFF;

// The disk carrier names the level in the command block; a disk query carries no payload.
int levelOf(const CommandContext& ctx) {
    return ctx.carrier == Carrier::Disk ? ctx.params[0] : ctx.request[0];
}

bool validLevel(int level) { return level == 0 || level == 1; }

std::span<std::uint8_t> passwordField(Bytes& payload) {
    return std::span(payload).subspan(kPasswordOffset, kPasswordField);
}

std::uint8_t judge(CameraCore& core, int level, const std::string& password) {
    const auto now = SteadyClock::now();
    if (now < core.lockedUntil) return kLockedOut;
    if (validLevel(level) && password == core.state.passwords[static_cast<std::size_t>(level)]) {
        core.session.failedChecks = 0;
        core.session.verifiedLevel = level;
        core.session.connectionKey =
            deriveConnectionKey(password, modelCodeOf(core.state.modelId), level);
        return kAccepted;
    }
    // The check that reaches the limit is still answered as wrong; the ones after it are refused.
    if (++core.session.failedChecks >= core.state.lockout.maxAttempts) {
        core.session.failedChecks = 0;
        core.lockedUntil = now + core.state.lockout.duration;
    }
    return kRejected;
}

}  // namespace

void verifyPassword(CameraCore& core, CommandContext& ctx) {
    const int level = levelOf(ctx);
    ctx.reply[1] = judge(core, level, textOf(passwordField(ctx.request)));
}

void getPassword(CameraCore& core, CommandContext& ctx) {
    const int level = levelOf(ctx);
    std::fill(ctx.reply.begin(), ctx.reply.end(), std::uint8_t{0});
    ctx.reply[0] = static_cast<std::uint8_t>(level);
    if (!validLevel(level)) return;
    ctx.reply[1] = kAccepted;
    putText(passwordField(ctx.reply), core.state.passwords[static_cast<std::size_t>(level)]);
}

void setPassword(CameraCore& core, CommandContext& ctx) {
    const int level = levelOf(ctx);
    if (!validLevel(level)) return;
    auto masked = passwordField(ctx.request);
    Bytes plain(masked.begin(), masked.end());
    applyMask(plain, core.session.connectionKey);
    const std::string password = textOf(plain);
    core.state.passwords[static_cast<std::size_t>(level)] = password;
    if (level == core.session.verifiedLevel)
        core.session.connectionKey =
            deriveConnectionKey(password, modelCodeOf(core.state.modelId), level);
    ctx.reply[1] = kAccepted;
}

}  // namespace camsim::model
