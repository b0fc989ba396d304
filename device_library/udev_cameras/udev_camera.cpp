#include "udev_camera.h"

#include <libudev.h>

#include <charconv>
#include <cstring>

#include "petrel.h"

namespace udev_cameras {
namespace {

std::string Text(const char* text) { return text != nullptr ? text : ""; }

// sysfs writes ids in hexadecimal without a prefix.
bool HasId(udev_device* device, const char* attribute, unsigned id) {
    const char* text = udev_device_get_sysattr_value(device, attribute);
    if (text == nullptr) return false;
    const char* end = text + std::strlen(text);
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(text, end, value, 16);
    return error == std::errc() && stop == end && stop != text && value == id;
}

bool IsCamerasUsbDevice(udev_device* device) {
    return device != nullptr && HasId(device, "idVendor", PETREL_VENDOR_ID);
}

}  // namespace

std::optional<UdevCamera> AsCamera(udev_device* device) {
    if (device == nullptr) return std::nullopt;
    UdevCamera camera;
    camera.node = Text(udev_device_get_devnode(device));
    if (camera.node.empty()) return std::nullopt;
    udev_device* usb = device;
    camera.disk = Text(udev_device_get_subsystem(device)) == "scsi_generic";
    if (camera.disk) {
        usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    } else {
        if (Text(udev_device_get_devtype(device)) != "usb_device" ||
            !HasId(device, "idProduct", PETREL_PRODUCT_USB))
            return std::nullopt;
        camera.bus = Text(udev_device_get_property_value(device, "BUSNUM"));
        camera.number = Text(udev_device_get_property_value(device, "DEVNUM"));
        if (camera.bus.empty() || camera.number.empty()) return std::nullopt;
    }
    if (!IsCamerasUsbDevice(usb)) return std::nullopt;
    camera.serial = Text(udev_device_get_sysattr_value(usb, "serial"));
    return camera;
}

udev_monitor* OpenCameraMonitor(udev* context) {
    if (context == nullptr) return nullptr;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor != nullptr &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device") < 0 ||
         udev_monitor_filter_add_match_subsystem_devtype(monitor, "scsi_generic", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor) < 0))
        monitor = udev_monitor_unref(monitor);
    return monitor;
}

}  // namespace udev_cameras
