// One command run on several cameras at once: a petrelctl process per camera, since
// the library keeps one camera's state per process.
#pragma once

#include <vector>

#include "camera/camera_ref.h"
#include "commands/command.h"

namespace petrelctl {

// Runs `command` on every camera in parallel, with a progress line per camera on
// standard error and each camera's result and a summary on standard output. 0 when
// every camera succeeded, else 1.
int RunOnEach(const Command& command, const Options& options,
              const std::vector<CameraRef>& cameras);

}  // namespace petrelctl
