// Cameras written to and read from a text file, so a camera's state outlives one
// run of the simulator program: "camera usb|disk" starts a camera, "name=value" lines follow.
#pragma once

#include <camsim/camera_state.h>
#include <camsim/types.h>

#include <optional>
#include <string>
#include <vector>

namespace camsim::plumbing {

struct SavedCamera {
    Carrier home = Carrier::Usb;
    CameraState state;
};

std::string formatStateFile(const std::vector<SavedCamera>& cameras);
// nullopt when a line is not understood; unknown names are an error too, so a typo is noticed.
std::optional<std::vector<SavedCamera>> parseStateFile(const std::string& text,
                                                       std::string& problem);

}  // namespace camsim::plumbing
