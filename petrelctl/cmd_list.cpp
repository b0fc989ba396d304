// petrelctl list: every camera on USB and every camera disk.
#include <array>

#include "command_set.h"
#include "petrel.h"

namespace petrelctl {

int RunList(const Options& /*options*/, Output& output) {
    std::array<DeviceListEntry*, 32> list{};
    const int usbCount = EnumDeviceList(list.data(), static_cast<int>(list.size()));
    ReleaseList(list.data(), usbCount);
    const int diskCount = EnumStorageList(list.data(), 0);
    output.Field("usb cameras", usbCount);
    output.BeginGroup("camera disks");
    output.Field("count", diskCount);
    for (int i = 0; i < diskCount; ++i) {
        const char letter = static_cast<char>(GetStorageDisk(list[i]));
        output.Field("drive " + std::to_string(i), std::string(1, letter));
    }
    output.EndGroup();
    ReleaseList(list.data(), diskCount);
    return 0;
}

}  // namespace petrelctl
