// Where a login password comes from when it is not on the command line: a file (a
// service's credential), standard input (a script's pipe) or the person at the terminal.
#pragma once

#include <optional>
#include <string>

namespace petrelctl {

// The first line of `path` ("-": standard input), without its line end; nothing, with
// `problem` saying why, when it cannot be read or the line is empty.
std::optional<std::string> ReadPasswordFrom(const std::string& path, std::string& problem);

// Asks on the terminal with echo off; nothing when standard input is not a terminal.
std::optional<std::string> PromptPassword(const std::string& prompt);

}  // namespace petrelctl
