#include "progress.h"

#include <unistd.h>

#include <cstdlib>

namespace petrelctl {
namespace {

int ProgressDescriptor() {
    static const int descriptor = [] {
        const char* text = std::getenv(kProgressVariable);
        return text != nullptr ? std::atoi(text) : -1;
    }();
    return descriptor;
}

void Report(const std::string& line) {
    const std::string text = line + "\n";
    // Short lines on a pipe arrive whole; a lost report must not fail the camera's work.
    if (write(ProgressDescriptor(), text.data(), text.size()) < 0) return;
}

}  // namespace

void ReportStep(const std::string& step) {
    if (ProgressDescriptor() >= 0) Report("step " + step);
}

void ReportIdentity(DeviceConnection* camera) {
    if (ProgressDescriptor() < 0) return;
    char manufacturer[32] = {}, product[32] = {}, serial[32] = {}, barCode[33] = {};
    GetDescriptorString(camera, manufacturer, product, serial);
    GetBarCode(camera, barCode);
    Report(std::string("identity ") + serial + "\t" + barCode);
}

}  // namespace petrelctl
