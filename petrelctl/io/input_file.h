// Files a user hands petrelctl (profiles, backups, password files): read once into
// memory, bounded, and only from a regular file or standard input.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace petrelctl {

// The whole of `path` ("-": standard input), at most `limit` bytes; nothing, with
// `problem` saying why, for a directory, a device, a FIFO, a larger file or a failed read.
std::optional<std::string> ReadInput(const std::string& path, std::size_t limit,
                                     std::string& problem);

}  // namespace petrelctl
