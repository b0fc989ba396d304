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

void ReportStep(const std::string& step) {
    if (progressDescriptor >= 0) Report("step " + step);
}

void ReportIdentity(DeviceConnection* camera) {
    if (progressDescriptor < 0) return;
    char manufacturer[32] = {}, product[32] = {}, serial[32] = {}, barCode[33] = {};
    GetDescriptorString(camera, manufacturer, product, serial);
    GetBarCode(camera, barCode);
    Report(std::string("identity ") + serial + "\t" + barCode);
}

}  // namespace petrelctl
