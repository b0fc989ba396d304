#include "camera/clock_offset.h"

#include <ctime>
#include <optional>

namespace petrelctl {
namespace {

// Both clocks are read as calendar fields without a zone, so both go through UTC.
long long Seconds(const DeviceTime& time) {
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    return static_cast<long long>(timegm(&fields));
}

long long LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<long long>(timegm(&local));
}

// The calendar fields of local time plus `offset`, when the camera can hold them.
std::optional<DeviceTime> TimeAt(long long offset) {
    // Beyond this gmtime's year overflows; the camera's years end far sooner.
    constexpr long long kFarSeconds = 1LL << 40;
    if (offset < -kFarSeconds || offset > kFarSeconds) return std::nullopt;
    const std::time_t wanted = static_cast<std::time_t>(LocalNow() + offset);
    std::tm fields{};
    if (gmtime_r(&wanted, &fields) == nullptr || !CameraYear(fields.tm_year + 1900))
        return std::nullopt;
    return DeviceTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                      fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

}  // namespace

bool CameraYear(int year) { return year >= kFirstCameraYear && year <= kLastCameraYear; }

bool ClockOffsetFits(long long offset) { return TimeAt(offset).has_value(); }

int ReadClockOffset(DeviceConnection* camera, long long* offset) {
    DeviceTime time{};
    const int status = GetTime(camera, &time);
    if (status == STATUS_OK) *offset = Seconds(time) - LocalNow();
    return status;
}

int WriteClockOffset(DeviceConnection* camera, long long offset) {
    const auto time = TimeAt(offset);
    return time ? SetTime(camera, &*time) : STATUS_BAD_ARGUMENT;
}

}  // namespace petrelctl
