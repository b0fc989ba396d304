#pragma once

#include <string>

namespace platform {

// Folder of the running program with a trailing '/', or the empty text when the
// program's path cannot be read.
std::string ProgramDirectory();

// The folder part of `path` up to and including its last '/'; empty without one.
std::string DirectoryOf(const std::string& path);

}  // namespace platform
