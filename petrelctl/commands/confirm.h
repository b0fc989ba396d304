// Destructive commands go ahead only on --yes, or on a "y" typed at a terminal.
#pragma once

#include <string>

#include "commands/command.h"

namespace petrelctl {

// True when the operator agreed; otherwise the refusal is recorded in output.
bool Confirmed(const Options& options, const std::string& question, const std::string& action,
               Output& output);

}  // namespace petrelctl
