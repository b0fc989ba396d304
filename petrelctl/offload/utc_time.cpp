#include "offload/utc_time.h"

namespace petrelctl {

std::string UtcText(std::time_t seconds, const char* format) {
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, format, &utc);
    return text;
}

std::string IsoTime(std::time_t seconds) { return UtcText(seconds, "%Y-%m-%dT%H:%M:%SZ"); }

}  // namespace petrelctl
