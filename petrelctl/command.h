// One subcommand of petrelctl.
#pragma once

#include <string>
#include <vector>

#include "output.h"

namespace petrelctl {

struct Options {
    bool json = false;
    bool assumeYes = false;
    char drive = 0;  // 0: first camera found, USB preferred
    std::vector<std::string> arguments;
};

struct Command {
    const char* name;
    const char* usage;    // arguments after the name, for the help text
    const char* summary;
    int (*run)(const Options& options, Output& output);  // process exit status
};

// Every subcommand, in the order the help text lists them.
const std::vector<Command>& Commands();

}  // namespace petrelctl
