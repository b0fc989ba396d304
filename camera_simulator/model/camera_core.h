// What a command handler works on: the camera's state, its factory defaults and
// the bookkeeping of the current connection.
#pragma once

#include <camsim/camera_state.h>
#include <camsim/types.h>

#include <chrono>

#include "bytes.h"

namespace camsim::model {

using SteadyClock = std::chrono::steady_clock;

struct CameraCore {
    CameraState state;
    CameraState factory;  // what ResetDevice restores
    SessionState session;
    SteadyClock::time_point lockedUntil{};
    unsigned keyCursor = 0;  // next key chunk served on the disk carrier
    SteadyClock::time_point clockAnchor = SteadyClock::now();

    // Moves state.clock on by the whole seconds elapsed since it was last advanced.
    void advanceClock();
    // Forgets what the previous connection verified; the count of wrong checks stays.
    void startSession();
};

// Something the camera does to its presence once its reply is out.
enum class Effect { None, LeaveForDisk, PowerOff, Reboot };

struct CommandContext {
    Carrier carrier = Carrier::Usb;
    std::array<std::uint8_t, 10> params{};
    Bytes request;  // the payload, cut or zero-padded to the command's request length
    Bytes reply;    // starts as the request cut or zero-padded to the reply length
    Effect effect = Effect::None;
};

using CommandHandler = void (*)(CameraCore&, CommandContext&);

}  // namespace camsim::model
