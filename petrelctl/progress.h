// What a worker tells the petrelctl that started it for several cameras: who its
// camera is and which step it is at, a line at a time on an inherited descriptor.
#pragma once

#include <string>

#include "petrel.h"

namespace petrelctl {

// The environment variable naming the descriptor; unset when petrelctl runs alone.
inline constexpr const char* kProgressVariable = "PETRELCTL_PROGRESS_FD";

// Reports that the worker is at `step`; nothing when no one listens.
void ReportStep(const std::string& step);

// Reports the serial number and bar code of the camera just opened.
void ReportIdentity(DeviceConnection* camera);

}  // namespace petrelctl
