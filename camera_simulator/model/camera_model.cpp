#include "camera_model.h"

#include <ctime>

#include "command_table.h"

namespace camsim::model {

void CameraCore::advanceClock() {
    const auto now = SteadyClock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - clockAnchor);
    if (elapsed.count() <= 0) return;
    clockAnchor += elapsed;
    DateTime& c = state.clock;
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = c.hour;
    tm.tm_min = c.minute;
    tm.tm_sec = c.second;
    const std::time_t later = timegm(&tm) + static_cast<std::time_t>(elapsed.count());
    if (!gmtime_r(&later, &tm)) return;
    c = DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void CameraCore::startSession() {
    SessionState fresh;
    fresh.failedChecks = session.failedChecks;
    session = fresh;
}

CameraModel::CameraModel(const CameraState& initial) {
    core_.state = initial;
    core_.factory = initial;
}

Answer CameraModel::execute(const Command& command, bool forgetful) {
    const CommandSpec* spec = findCommand(command.code);
    if (!spec) return {};
    // A series of key chunks is broken by any other command.
    if (command.code != 0x0066) core_.keyCursor = 0;
    CommandContext ctx;
    ctx.carrier = command.carrier;
    ctx.params = command.params;
    ctx.request = command.payload;
    ctx.request.resize(spec->requestLength, 0);
    ctx.reply = ctx.request;
    ctx.reply.resize(spec->replyLength, 0);
    const CameraState before = forgetful ? core_.state : CameraState{};
    spec->handler(core_, ctx);
    if (forgetful) core_.state = before;
    return Answer{true, std::move(ctx.reply), ctx.effect};
}

SessionState CameraModel::session() const {
    SessionState s = core_.session;
    s.lockedOut = SteadyClock::now() < core_.lockedUntil;
    return s;
}

}  // namespace camsim::model
