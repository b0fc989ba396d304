#include "camera_disk.h"

#include <cstdint>

#include "platform/drive_map.h"
#include "platform/volume.h"

namespace platform {

bool IsDriveVisible(char letter) {
    petrel::platform::RefreshDriveMap();
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    return petrel::platform::DiskSpaceOf(letter, total, free);
}

bool UnmountDrive(char letter) {
    petrel::platform::RefreshDriveMap();
    return petrel::platform::TakeVolumeOffline(letter);
}

}  // namespace platform
