// One SCSI pass-through request and the one function that carries it out.
#pragma once

#include <array>
#include <cstdint>

#include "platform/volume.h"

namespace petrel::platform {

enum class DataDirection : uint8_t { kNone, kToDevice, kFromDevice };

struct PassThroughRequest {
    std::array<uint8_t, 16> commandBlock{};
    DataDirection direction = DataDirection::kNone;
    uint8_t* data = nullptr;
    uint32_t length = 0;  // bytes to move; after a good read from the device, bytes moved
    std::array<uint8_t, 32> sense{};
    uint32_t timeoutMs = 5000;
};

// kCheckCondition stands for any SCSI status but GOOD. On kDeviceGone and kOsError the
// cause is left in errno; the category never depends on reading it again.
enum class PassThroughResult { kGood, kCheckCondition, kTransportError, kDeviceGone, kOsError };

PassThroughResult ExecutePassThrough(VolumeHandle volume, PassThroughRequest& request);

}  // namespace petrel::platform
