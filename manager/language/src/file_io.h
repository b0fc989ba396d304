#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vireo::language_io {

struct FilePrefix {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;       // at most the limit
    bool truncated = false;  // the file holds more than the limit
};

// Reads at most `limit` bytes of a regular file.
FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t limit);

// Replaces `path` with `text` through a temporary file in the same folder and a
// rename, so readers see the old file or the new one, never a part. False (and
// the old file untouched) when anything fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace vireo::language_io
