// Files that appear whole or not at all: written to a temporary file beside the
// target, flushed to disk, then renamed into place.
#pragma once

#include <optional>
#include <string>

namespace petrelctl {

// What happens when the target exists (a symlink there is replaced, never followed).
enum class Existing {
    kRefuse,   // the write fails and the file stays as it was
    kReplace,  // the new file takes its place
    kNewName,  // the new file gets the next free name: NAME-2.json, NAME-3.json, ...
};

// Writes `text` to `path` with mode 0600 when it holds `secret`s, else 0644 less the
// umask. The path written, or nothing with `problem` saying why.
std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text,
                                          bool secret, Existing existing, std::string& problem);

// `text` made fit to be part of a file name: anything outside [A-Za-z0-9._-] becomes
// '_', and so does a leading dot.
std::string SafeNamePart(const std::string& text);

}  // namespace petrelctl
