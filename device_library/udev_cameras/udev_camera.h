// Which devices udev tells of are our cameras: the camera's USB device on its command
// interface, or the generic SCSI node of a disk on the camera's USB device.
#pragma once

#include <optional>
#include <string>

struct udev;
struct udev_device;
struct udev_monitor;

namespace udev_cameras {

struct UdevCamera {
    bool disk = false;   // a generic SCSI node, else the USB device
    std::string node;    // never empty
    std::string serial;  // the USB device's; empty when it has none
    std::string bus;     // the USB device's bus and device number, as udev writes them;
    std::string number;  // never empty for a USB device, empty for a disk
};

// The camera `device` is; nothing for another device, or one udev no longer describes
// (a device that left has no attributes to read).
std::optional<UdevCamera> AsCamera(udev_device* device);

// udev's monitor of the devices a camera arrives and leaves as, receiving; null when it
// could not be opened.
udev_monitor* OpenCameraMonitor(udev* context);

}  // namespace udev_cameras
