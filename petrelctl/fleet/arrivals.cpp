#include "fleet/arrivals.h"

#include <libudev.h>

#include <memory>
#include <string>

#include "udev_camera.h"

namespace petrelctl {
namespace {

// Handed to the worker as the only drive it knows: the library reaches a camera disk
// through its generic node.
constexpr char kWorkerDrive = 'D';

std::string Text(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

Arrivals::Arrivals() : udev_(udev_new()) { monitor_ = udev_cameras::OpenCameraMonitor(udev_); }

Arrivals::~Arrivals() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

int Arrivals::Descriptor() const { return udev_monitor_get_fd(monitor_); }

std::optional<CameraRef> Arrivals::Next() {
    const std::unique_ptr<udev_device, decltype(&udev_device_unref)> device(
        udev_monitor_receive_device(monitor_), udev_device_unref);
    if (!device || Text(udev_device_get_action(device.get())) != "add") return std::nullopt;
    const std::optional<udev_cameras::UdevCamera> found = udev_cameras::AsCamera(device.get());
    if (!found) return std::nullopt;
    CameraRef camera;
    camera.serial = found->serial;
    if (found->disk) {
        camera.drive = kWorkerDrive;
        camera.diskNode = found->node;
    } else {
        camera.usbAddress = found->bus + "/" + found->number;
    }
    return camera;
}

}  // namespace petrelctl
