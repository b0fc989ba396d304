// Finding the connected cameras and picking those --all or --camera name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "camera/camera_ref.h"
#include "commands/command.h"
#include "petrel.h"

namespace petrelctl {

// Every camera found, USB cameras first. With `identify` each is opened to read its
// serial number and bar code.
std::vector<CameraRef> FindCameras(bool identify);

// Where the library found the camera of `entry` (its place on USB) and its serial number.
void Locate(const DeviceListEntry* entry, CameraRef& camera);

// Opens the camera `camera` names; a status as ConnectDevice returns it, -1 when absent.
int Connect(const CameraRef& camera, DeviceConnection** connection);

// A USB ID as sysfs and udev write it: four lowercase hexadecimal digits.
std::string SysfsId(unsigned id);

// True when `selector` is well formed: usb:N, drive:D or any other non-empty text.
bool ValidSelector(const std::string& selector);

// The cameras --all or --camera select, each once, in the order found; nothing with
// `problem` naming a selector that matches no camera.
std::optional<std::vector<CameraRef>> SelectCameras(const Options& options, std::string& problem);

}  // namespace petrelctl
