// What the recorder reports: storage capacity, battery, recording resolution, clock.
#include <cstdint>
#include <cstdio>

#include "petrel.h"
#include "standard_interface/member_pattern.h"

namespace {

constexpr uint64_t kBytesPerMb = 1048576;

struct Resolution {
    uint8_t code;
    int32_t width;
    int32_t height;
};

#define PETREL_ZFY_RESOLUTION_ROW(code, width, height) {code, width, height},
constexpr Resolution kResolutions[] = {PETREL_ZFY_RESOLUTIONS(PETREL_ZFY_RESOLUTION_ROW)};
#undef PETREL_ZFY_RESOLUTION_ROW

Resolution ResolutionOf(uint8_t code) {
    for (const Resolution& row : kResolutions) {
        if (row.code == code) return row;
    }
    return {code, ZFY_RESOLUTION_OTHER_WIDTH, ZFY_RESOLUTION_OTHER_HEIGHT};
}

}  // namespace

extern "C" {

PETREL_API ZfyBool ReadDeviceCapacity(uint64_t* capacity, const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (capacity == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        uint32_t totalMb = 0;
        uint32_t freeMb = 0;
        const int status = GetDiskSpaceInfo(connection, &totalMb, &freeMb);
        if (status == STATUS_OK) *capacity = totalMb * kBytesPerMb;
        return status;
    });
}

PETREL_API ZfyBool ReadDeviceBatteryDumpEnergy(int32_t* battery, const char* password,
                                               uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (battery == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        uint16_t percent = 0;
        const int status = GetBattery(connection, &percent);
        if (status == STATUS_OK) *battery = percent;
        return status;
    });
}

PETREL_API ZfyBool ReadDeviceResolution(int32_t* width, int32_t* height, const char* password,
                                        uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (width == nullptr || height == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        SysParam settings{};
        const int status = GetSysParam(connection, &settings);
        if (status == STATUS_OK) {
            const Resolution resolution = ResolutionOf(settings.videoResolution);
            *width = resolution.width;
            *height = resolution.height;
        }
        return status;
    });
}

PETREL_API ZfyBool ReadDeviceDateTime(char* text, const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, [&](DeviceConnection* connection) {
        if (text == nullptr) return static_cast<int>(STATUS_BAD_ARGUMENT);
        DeviceTime time{};
        const int status = GetTime(connection, &time);
        // Bounded: a camera's out-of-range numbers cut the text instead of overrunning it.
        if (status == STATUS_OK) {
            std::snprintf(text, ZFY_DATE_TIME_SIZE, "%04d/%02d/%02d %02d:%02d:%02d", time.year,
                          time.month, time.day, time.hour, time.minute, time.second);
        }
        return status;
    });
}

}  // extern "C"
