// A camera's clock as an offset from this computer's local time, which is what a
// backup keeps: the time itself is stale the moment it is written down.
#pragma once

#include "petrel.h"

namespace petrelctl {

// Seconds the camera's clock runs ahead of local time, into *offset.
int ReadClockOffset(DeviceConnection* camera, long long* offset);

// Sets the camera's clock to local time plus `offset` seconds.
int WriteClockOffset(DeviceConnection* camera, long long offset);

}  // namespace petrelctl
