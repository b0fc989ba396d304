// What a worker tells the petrelctl that started it for several cameras: who its
// camera is and which step it is at, a line at a time on a pipe.
#pragma once

#include <string>

namespace petrelctl {

// Reports go to `descriptor` from now on; none are sent when petrelctl runs alone.
void ReportTo(int descriptor);

// True when a parent listens to the reports.
bool Listened();

// Reports that the worker is at `step`; nothing when no one listens.
void ReportStep(const std::string& step);

// Reports the serial number and bar code of the camera just opened.
void ReportIdentity(const std::string& serial, const std::string& barCode);

}  // namespace petrelctl
