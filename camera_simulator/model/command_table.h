// The camera's command set: one row per code, read by the camera and by tests.
#pragma once

#include <span>

#include "camera_core.h"

namespace camsim::model {

struct CommandSpec {
    std::uint16_t code;
    const char* name;
    std::size_t requestLength;
    std::size_t replyLength;
    CommandHandler handler;
};

std::span<const CommandSpec> commandTable();
// nullptr for a code the camera does not know.
const CommandSpec* findCommand(std::uint16_t code);

}  // namespace camsim::model
