// One command run on several cameras at once: a petrelctl process per camera, since
// the library keeps one camera's state per process.
#pragma once

#include <vector>

#include "camera/camera_ref.h"
#include "commands/command.h"

namespace petrelctl {

// Runs `command` on every camera in parallel, --jobs (else the command's own bound) at a
// time, with a progress line per camera on standard error and each camera's result and a
// summary on standard output. A first Ctrl-C starts no more cameras and waits for those at
// work; a second within a few seconds aborts them. 0 when every camera succeeded, else 1.
int RunOnEach(const Command& command, const Options& options,
              const std::vector<CameraRef>& cameras);

}  // namespace petrelctl
