#include "commands/record_codec.h"

#include <algorithm>

#include "commands/payloads.h"
#include "transport/byte_order.h"

namespace petrel {
namespace {

constexpr unsigned kYearBase = 1900;
constexpr int kMillisecondsPerUnit = 100;
constexpr int kMostRings = 255;

}  // namespace

void Wire<DeviceTime>::Encode(const DeviceTime& time, uint8_t* payload) {
    DeviceTimeWire wire{};
    // Unsigned arithmetic: any year wraps to its low 16 bits instead of overflowing.
    PutLittleEndian16(wire.yearSince1900,
                      static_cast<uint16_t>(static_cast<uint32_t>(time.year) - kYearBase));
    wire.month = static_cast<uint8_t>(time.month);
    wire.day = static_cast<uint8_t>(time.day);
    wire.hour = static_cast<uint8_t>(time.hour);
    wire.minute = static_cast<uint8_t>(time.minute);
    wire.second = static_cast<uint8_t>(time.second);
    std::memcpy(payload, &wire, sizeof wire);
}

void Wire<DeviceTime>::Decode(const uint8_t* payload, DeviceTime& time) {
    DeviceTimeWire wire;
    std::memcpy(&wire, payload, sizeof wire);
    time.year = static_cast<int32_t>(GetLittleEndian16(wire.yearSince1900) + kYearBase);
    time.month = wire.month;
    time.day = wire.day;
    time.hour = wire.hour;
    time.minute = wire.minute;
    time.second = wire.second;
}

void Wire<SummerTimeInfo>::Encode(const SummerTimeInfo& info, uint8_t* payload) {
    payload[0] = info.rule[0];
    std::copy(info.rule + 2, info.rule + 8, payload + 1);
    payload[7] = info.rule[1];
}

void Wire<SummerTimeInfo>::Decode(const uint8_t* payload, SummerTimeInfo& info) {
    info.rule[0] = payload[0];
    info.rule[1] = payload[7];
    std::copy(payload + 1, payload + 7, info.rule + 2);
}

void Wire<WifiStaSetting>::Encode(const WifiStaSetting& setting, uint8_t* payload) {
    WifiStaSetting bounded{};
    CopyText(reinterpret_cast<uint8_t*>(bounded.ssid), setting.ssid, sizeof setting.ssid);
    CopyText(reinterpret_cast<uint8_t*>(bounded.password), setting.password,
             sizeof setting.password);
    bounded.autoGetIp = setting.autoGetIp;
    std::memcpy(payload, &bounded, sizeof bounded);
}

void Wire<WifiStaSetting>::Decode(const uint8_t* payload, WifiStaSetting& setting) {
    std::memcpy(&setting, payload, sizeof setting);
}

DeviceTime LocalDeviceTime(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return DeviceTime{local.tm_year + static_cast<int>(kYearBase), local.tm_mon + 1, local.tm_mday,
                      local.tm_hour, local.tm_min, local.tm_sec};
}

size_t CopyText(uint8_t* field, const char* text, size_t limit) {
    const size_t length = strnlen(text, limit);
    std::memcpy(field, text, length);
    return length;
}

void CopyAndFill(char* destination, const uint8_t* source, size_t n) {
    const size_t length = strnlen(reinterpret_cast<const char*>(source), n);
    std::memcpy(destination, source, length);
    std::memset(destination + length, 0, n - length);
}

void CopyTextOrCut(uint8_t* field, const char* text, size_t fieldSize) {
    const size_t length = strnlen(text, fieldSize + 1);
    std::memcpy(field, text, length <= fieldSize ? length : fieldSize - 1);
}

uint16_t HundredMsUnits(int milliseconds) {
    const auto units = static_cast<uint16_t>(milliseconds / kMillisecondsPerUnit);
    return units == 0 ? 1 : units;
}

uint8_t ClampRings(int rings) { return static_cast<uint8_t>(std::clamp(rings, 0, kMostRings)); }

uint32_t CapHeartbeat(uint32_t milliseconds) {
    return std::min<uint32_t>(milliseconds, PETREL_HEARTBEAT_MAX_MS);
}

}  // namespace petrel
