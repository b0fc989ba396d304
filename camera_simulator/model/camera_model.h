// The camera itself: executes one command against its state. Knows nothing of
// carriers beyond the fact that the disk names the password level in its command block.
#pragma once

#include "camera_core.h"

namespace camsim::model {

struct Command {
    Carrier carrier = Carrier::Usb;
    std::uint16_t code = 0;
    std::array<std::uint8_t, 10> params{};
    Bytes payload;
};

struct Answer {
    bool known = false;  // false: the camera does not know the code and stays silent
    Bytes payload;
    Effect effect = Effect::None;
};

class CameraModel {
public:
    explicit CameraModel(const CameraState& initial);

    // A forgetful camera answers as usual and then forgets what the command changed.
    Answer execute(const Command& command, bool forgetful = false);

    CameraCore& core() { return core_; }
    const CameraCore& core() const { return core_; }
    // The session with its lock-out flag brought up to date.
    SessionState session() const;

private:
    CameraCore core_;
};

}  // namespace camsim::model
