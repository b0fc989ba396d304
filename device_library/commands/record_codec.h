// Conversions between caller records and payloads, and the bounded text copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "petrel.h"

namespace petrel {

// How a caller record travels; by default the payload is the record itself.
template <class Record>
struct Wire {
    static constexpr size_t kSize = sizeof(Record);
    static void Encode(const Record& record, uint8_t* payload) {
        std::memcpy(payload, &record, sizeof record);
    }
    static void Decode(const uint8_t* payload, Record& record) {
        std::memcpy(&record, payload, sizeof record);
    }
};

template <>
struct Wire<DeviceTime> {
    static constexpr size_t kSize = 8;
    static void Encode(const DeviceTime& time, uint8_t* payload);
    static void Decode(const uint8_t* payload, DeviceTime& time);
};

// Caller byte 1 travels last on the wire.
template <>
struct Wire<SummerTimeInfo> {
    static constexpr size_t kSize = sizeof(SummerTimeInfo);
    static void Encode(const SummerTimeInfo& info, uint8_t* payload);
    static void Decode(const uint8_t* payload, SummerTimeInfo& info);
};

// Texts go up to their first zero byte only, so stale bytes behind it stay home.
template <>
struct Wire<WifiStaSetting> {
    static constexpr size_t kSize = sizeof(WifiStaSetting);
    static void Encode(const WifiStaSetting& setting, uint8_t* payload);
    static void Decode(const uint8_t* payload, WifiStaSetting& setting);
};

// The computer's local calendar time at `now`.
DeviceTime LocalDeviceTime(std::time_t now);

// Copies text up to its first zero byte, at most limit bytes, into a zero-filled field;
// returns the bytes copied. Never reads text beyond limit bytes.
size_t CopyText(uint8_t* field, const char* text, size_t limit);

// Copies at most n bytes, stops at the first zero, fills the rest of the n bytes with zeros.
void CopyAndFill(char* destination, const uint8_t* source, size_t n);

// Unit texts: a text that fits fieldSize goes whole, a longer one is cut to leave a zero.
void CopyTextOrCut(uint8_t* field, const char* text, size_t fieldSize);

// Blink and ring lengths in 100 ms units, low 16 bits, never 0.
uint16_t HundredMsUnits(int milliseconds);

uint8_t ClampRings(int rings);

uint32_t CapHeartbeat(uint32_t milliseconds);

}  // namespace petrel
