// The subcommands' entry points; commands.cpp lists them.
#pragma once

#include "command.h"

namespace petrelctl {

int RunList(const Options& options, Output& output);
int RunInfo(const Options& options, Output& output);

}  // namespace petrelctl
