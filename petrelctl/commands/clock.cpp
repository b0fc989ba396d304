// petrelctl clock: read the camera's clock, set it, or set it from this computer's.
#include <chrono>
#include <cstdio>
#include <regex>

#include "camera/clock_offset.h"
#include "camera/session.h"
#include "commands/command_set.h"

namespace petrelctl {
namespace {

std::string Format(const DeviceTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

std::optional<DeviceTime> Parse(const std::string& text) {
    static const std::regex pattern(R"((\d{4})-(\d{2})-(\d{2})[ T](\d{2}):(\d{2}):(\d{2}))");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) return std::nullopt;
    const DeviceTime time = {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]),
                             std::stoi(match[4]), std::stoi(match[5]), std::stoi(match[6])};
    using namespace std::chrono;
    const year_month_day date{year(time.year), month(static_cast<unsigned>(time.month)),
                              day(static_cast<unsigned>(time.day))};
    if (!date.ok() || !CameraYear(time.year) || time.hour > 23 || time.minute > 59 ||
        time.second > 59) {
        return std::nullopt;
    }
    return time;
}

int ShowClock(DeviceConnection* camera, Output& output) {
    DeviceTime time{};
    if (const int status = GetTime(camera, &time); status != STATUS_OK)
        return output.Fail("read clock", status);
    output.Field("time", Format(time));
    return 0;
}

std::optional<DeviceTime> Argument(const Options& options, Output& output) {
    std::string text = options.arguments[0];
    if (options.arguments.size() == 2) text += " " + options.arguments[1];
    const auto time = Parse(text);
    if (!time) output.Refuse("expected a time as YYYY-MM-DD HH:MM:SS, not \"" + text + "\"");
    return time;
}

}  // namespace

int RunClock(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    return ShowClock(session->get(), output);
}

int CheckClockSet(Options& options, Output& output) { return Argument(options, output) ? 0 : 2; }

int RunClockSet(const Options& options, Output& output) {
    const auto time = Argument(options, output);
    if (!time) return 2;
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    if (const int status = SetTime(session->get(), &*time); status != STATUS_OK) {
        return output.Fail("set clock", status);
    }
    return ShowClock(session->get(), output);
}

int RunClockSync(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    if (const int status = SyncDateTime(session->get()); status != STATUS_OK) {
        return output.Fail("sync clock", status);
    }
    return ShowClock(session->get(), output);
}

}  // namespace petrelctl
