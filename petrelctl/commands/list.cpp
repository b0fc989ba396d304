// petrelctl list: every camera on USB and every camera disk, one line each.
#include <cstdio>
#include <iostream>

#include "camera/cameras.h"
#include "commands/command_set.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

std::string OrDash(const std::string& text) { return text.empty() ? "-" : fields::Printable(text); }

}  // namespace

int RunList(const Options& options, Output& output) {
    const auto cameras = FindCameras(true);
    std::string json;
    for (const auto& camera : cameras) {
        const char* carrier = camera.drive != 0 ? "disk" : "usb";
        if (!options.json) {
            std::printf("%-9s %-5s %-8s %-16s %-16s %s\n", camera.Label().c_str(), carrier,
                        OrDash(camera.usbAddress).c_str(), OrDash(camera.serial).c_str(),
                        OrDash(camera.barCode).c_str(), OrDash(camera.model).c_str());
            continue;
        }
        json += std::string(json.empty() ? "" : ", ") +
                "{\"camera\": " + JsonQuote(camera.Label()) + ", \"carrier\": \"" + carrier +
                "\", \"location\": " + JsonQuote(camera.usbAddress) +
                ", \"serial\": " + JsonQuote(camera.serial) +
                ", \"barCode\": " + JsonQuote(camera.barCode) +
                ", \"model\": " + JsonQuote(camera.model) + "}";
    }
    if (options.json) output.Value("cameras", "[" + json + "]", "");
    return 0;
}

}  // namespace petrelctl
