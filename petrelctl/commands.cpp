#include "command_set.h"

namespace petrelctl {

const std::vector<Command>& Commands() {
    static const std::vector<Command> kCommands = {
        {"list", "", "list cameras on USB and camera disks", RunList},
        {"info", "", "show model, bar code, firmware version and USB strings", RunInfo},
    };
    return kCommands;
}

}  // namespace petrelctl
