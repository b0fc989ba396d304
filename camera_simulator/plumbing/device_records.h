// How each simulated device looks in sysfs and /dev: umockdev records for a
// camera on its USB command interface, a camera disk and a plain disk.
#pragma once

#include <camsim/camera_state.h>

#include <cstdint>
#include <string>
#include <vector>

namespace camsim::plumbing {

// Where one appearance of a device lives; numbers are handed out by the simulator.
struct UsbPlace {
    unsigned port = 1;    // 1-<port> on bus 1
    unsigned devnum = 2;  // /dev/bus/usb/001/<devnum>
    std::string serial;   // the sysfs serial attribute, as the kernel copies it from the descriptor
};

struct DiskPlace {
    unsigned port = 1;
    unsigned devnum = 2;  // of the USB device the disk hangs from
    std::string serial;
    unsigned host = 0;     // SCSI host number
    unsigned generic = 0;  // /dev/sg<generic>
    std::string block;     // "sdb"
    bool camera = true;    // a camera's disk, or any other removable disk
};

std::string usbSysfsPath(unsigned port);
std::string usbNode(const UsbPlace& place);  // "/dev/bus/usb/001/002"
std::string genericNode(const DiskPlace& place);
std::string blockNode(const DiskPlace& place);

// The bus's root hub: a machine always has one, so /dev/bus/usb exists with no camera on it.
std::string rootHubRecord();
std::string usbRecord(const UsbPlace& place);
// The disk's SCSI device, block and generic nodes under its USB device.
std::string diskRecord(const DiskPlace& place);
// The SCSI device path; the disk's block and generic devices live under it.
std::string scsiDevicePath(const DiskPlace& place);

}  // namespace camsim::plumbing
