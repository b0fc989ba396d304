// A camera's clock as an offset from this computer's local time, which is what a
// backup keeps: the time itself is stale the moment it is written down.
#pragma once

#include "petrel.h"

namespace petrelctl {

// The camera keeps the year as 16 bits counted from 1900.
inline constexpr int kFirstCameraYear = 1900;
inline constexpr int kLastCameraYear = 1900 + 65535;

// True when the camera's clock can hold `year`.
bool CameraYear(int year);

// True when local time plus `offset` seconds is a time the camera's clock can hold.
bool ClockOffsetFits(long long offset);

// Seconds the camera's clock runs ahead of local time, into *offset.
int ReadClockOffset(DeviceConnection* camera, long long* offset);

// Sets the camera's clock to local time plus `offset` seconds; STATUS_BAD_ARGUMENT,
// with nothing sent, when the camera cannot hold that time.
int WriteClockOffset(DeviceConnection* camera, long long offset);

}  // namespace petrelctl
