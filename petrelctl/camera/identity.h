// Who an opened camera is and where it hangs, as far as petrelctl knows it: for the
// progress of several cameras and for the audit trail.
#pragma once

#include <string>

#include "camera/camera_ref.h"
#include "petrel.h"

namespace petrelctl {

struct CameraIdentity {
    std::string carrier;   // "usb" or "disk"
    std::string location;  // "usb 001/005", "drive E: (usb 001/005)"
    std::string serial, barCode, model, firmware;
};

// Reads what the camera says of itself (no login needed); `where` is where it was found.
CameraIdentity ReadIdentity(DeviceConnection* camera, const CameraRef& where);

}  // namespace petrelctl
