// Where one camera is: its place on USB or its drive, and who it says it is.
#pragma once

#include <string>

namespace petrelctl {

struct CameraRef {
    int usb = 0;         // position among the USB cameras found, from 1; 0 for a disk
    char drive = 0;      // drive letter of a camera disk
    std::string serial;  // empty until identified, and always on a disk
    std::string barCode;

    // "usb:2" or "drive:E", the form --camera takes.
    std::string Label() const {
        return usb != 0 ? "usb:" + std::to_string(usb) : std::string("drive:") + drive;
    }
};

}  // namespace petrelctl
