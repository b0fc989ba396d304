// petrelctl list: every camera on USB and every camera disk, each by name.
#include "camera/cameras.h"
#include "commands/command_set.h"

namespace petrelctl {

int RunList(const Options& /*options*/, Output& output) {
    const auto cameras = FindCameras(true);
    output.Field("cameras", static_cast<long long>(cameras.size()));
    for (const auto& camera : cameras) {
        output.BeginGroup(camera.Label());
        output.Field("carrier", camera.usb != 0 ? "usb" : "disk");
        if (camera.drive != 0) output.Field("drive", std::string(1, camera.drive));
        output.Field("serial number", camera.serial);
        output.Field("bar code", camera.barCode);
        output.EndGroup();
    }
    return 0;
}

}  // namespace petrelctl
