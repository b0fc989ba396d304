#include "fleet/progress.h"

#include <unistd.h>

namespace petrelctl {
namespace {

int progressDescriptor = -1;

void Report(const std::string& line) {
    const std::string text = line + "\n";
    // Short lines on a pipe arrive whole; a lost report must not fail the camera's work.
    if (write(progressDescriptor, text.data(), text.size()) < 0) return;
}

}  // namespace

void ReportTo(int descriptor) { progressDescriptor = descriptor; }

bool Listened() { return progressDescriptor >= 0; }

void ReportStep(const std::string& step) {
    if (progressDescriptor >= 0) Report("step " + step);
}

void ReportIdentity(const std::string& serial, const std::string& barCode) {
    if (progressDescriptor >= 0) Report("identity " + serial + "\t" + barCode);
}

}  // namespace petrelctl
