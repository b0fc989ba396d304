// Cameras being plugged in, as udev announces them once it has set them up: a
// camera on its USB command interface, or a camera disk by its generic SCSI node.
#pragma once

#include <optional>

#include "camera/camera_ref.h"

struct udev;
struct udev_monitor;

namespace petrelctl {

class Arrivals {
public:
    Arrivals();
    ~Arrivals();
    Arrivals(const Arrivals&) = delete;
    Arrivals& operator=(const Arrivals&) = delete;

    // False when udev's monitor could not be opened.
    bool Listening() const { return monitor_ != nullptr; }
    // Readable when an announcement is waiting.
    int Descriptor() const;
    // Takes one announcement in: the camera it names when it is a camera arriving.
    std::optional<CameraRef> Next();

private:
    struct udev* udev_;
    struct udev_monitor* monitor_ = nullptr;
};

}  // namespace petrelctl
