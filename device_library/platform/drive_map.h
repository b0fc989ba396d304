// Which disk a drive letter stands for in this process.
#pragma once

#include <optional>
#include <string>

namespace petrel::platform {

struct MappedDisk {
    std::string genericNode;  // /dev/sgN, where vendor commands need only file permissions
    std::string blockName;    // sdX, for mounts and stable names; empty when unknown
};

// PETREL_DRIVES ("E=/dev/sg1,F=/dev/sg2") fixes the map; otherwise candidate disks found in
// sysfs get the free letters from D on, and keep them while they stay present.
void RefreshDriveMap();

std::optional<MappedDisk> MappedDiskOf(char letter);

void ForgetDrive(char letter);

// The USB device a mapped disk hangs from, as sysfs describes it.
struct UsbAncestor {
    int vendorId = 0;      // 0 unknown
    int busNumber = 0;     // 0 unknown
    int deviceNumber = 0;  // 0 unknown
    std::string serial;    // empty when the device has none
};

std::optional<UsbAncestor> UsbAncestorOf(char letter);

// The serial-number string the kernel read from the USB device at bus/device; empty when
// unknown. Read from sysfs, so listing cameras never opens one.
std::string UsbSerialAt(int busNumber, int deviceNumber);

}  // namespace petrel::platform
