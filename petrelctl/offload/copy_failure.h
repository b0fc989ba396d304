// Why a copy to evidence storage failed, naming the file, in a form for people and for
// scripts ("FILE_CHANGED", "SHORT_READ", "DESTINATION_FULL", ...).
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace petrelctl {

struct CopyFailure {
    std::string code;
    std::string message;
};

using CopyOutcome = std::optional<CopyFailure>;  // nothing: done

// A file copied and verified: the path is relative to the copied folder.
struct CopiedFile {
    std::string path;
    std::uint64_t size = 0;
    timespec mtime{};
    std::string sha256;
};

}  // namespace petrelctl
