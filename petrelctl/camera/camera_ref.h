// Where one camera is: its place on USB or its drive, and who it says it is.
#pragma once

#include <string>

namespace petrelctl {

struct CameraRef {
    int usb = 0;             // position among the USB cameras found, from 1
    std::string usbAddress;  // bus and device number, "001/005" (a disk: of its USB device)
    char drive = 0;          // drive letter of a camera disk
    std::string diskNode;    // the disk's generic node, when the drive is to be mapped to it
    std::string serial;      // empty until known
    std::string barCode;
    std::string model;

    // "usb:2", "usb:001/005" or "drive:E", the form --camera takes.
    std::string Label() const {
        if (drive != 0) return std::string("drive:") + drive;
        return usb != 0 ? "usb:" + std::to_string(usb) : "usb:" + usbAddress;
    }
};

}  // namespace petrelctl
