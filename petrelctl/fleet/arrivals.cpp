#include "fleet/arrivals.h"

#include <libudev.h>

#include <memory>
#include <string>

#include "camera/cameras.h"

namespace petrelctl {
namespace {

// Handed to the worker as the only drive it knows.
constexpr char kWorkerDrive = 'D';

std::string Text(const char* text) { return text != nullptr ? text : ""; }

bool Is(udev_device* device, const char* subsystem) {
    return Text(udev_device_get_subsystem(device)) == subsystem;
}

bool IsCameraUsbDevice(udev_device* device) {
    return device != nullptr &&
           Text(udev_device_get_sysattr_value(device, "idVendor")) == SysfsId(PETREL_VENDOR_ID);
}

std::optional<CameraRef> UsbCamera(udev_device* device) {
    if (Text(udev_device_get_devtype(device)) != "usb_device" || !IsCameraUsbDevice(device) ||
        Text(udev_device_get_sysattr_value(device, "idProduct")) != SysfsId(PETREL_PRODUCT_USB))
        return std::nullopt;
    const std::string bus = Text(udev_device_get_property_value(device, "BUSNUM"));
    const std::string number = Text(udev_device_get_property_value(device, "DEVNUM"));
    if (bus.empty() || number.empty()) return std::nullopt;
    CameraRef camera;
    camera.usbAddress = bus + "/" + number;
    camera.serial = Text(udev_device_get_sysattr_value(device, "serial"));
    return camera;
}

// A disk is a camera's when it sits on the camera's USB device; the library reaches it
// through its generic node.
std::optional<CameraRef> CameraDisk(udev_device* device) {
    const char* node = udev_device_get_devnode(device);
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (node == nullptr || !IsCameraUsbDevice(usb)) return std::nullopt;
    CameraRef camera;
    camera.drive = kWorkerDrive;
    camera.diskNode = node;
    camera.serial = Text(udev_device_get_sysattr_value(usb, "serial"));
    return camera;
}

}  // namespace

Arrivals::Arrivals() : udev_(udev_new()) {
    if (udev_ == nullptr) return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", "usb_device") < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "scsi_generic", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        monitor_ = udev_monitor_unref(monitor_);
    }
}

Arrivals::~Arrivals() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

int Arrivals::Descriptor() const { return udev_monitor_get_fd(monitor_); }

std::optional<CameraRef> Arrivals::Next() {
    const std::unique_ptr<udev_device, decltype(&udev_device_unref)> device(
        udev_monitor_receive_device(monitor_), udev_device_unref);
    if (!device || Text(udev_device_get_action(device.get())) != "add") return std::nullopt;
    return Is(device.get(), "usb") ? UsbCamera(device.get()) : CameraDisk(device.get());
}

}  // namespace petrelctl
