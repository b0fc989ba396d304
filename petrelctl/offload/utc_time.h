// Times as petrelctl writes them into files: UTC, so that a manifest or a backup reads
// the same wherever it is checked.
#pragma once

#include <ctime>
#include <string>

namespace petrelctl {

// `seconds` in strftime's `format`, in UTC.
std::string UtcText(std::time_t seconds, const char* format);

// "2026-12-07T23:15:00Z".
std::string IsoTime(std::time_t seconds);

}  // namespace petrelctl
