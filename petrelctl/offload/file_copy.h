// One file copied to evidence storage so that the copy can be trusted: hashed while it is
// read, written under a temporary name, made durable, renamed without replacing anything,
// then read back and hashed again.
#pragma once

#include <functional>

#include "offload/copy_failure.h"

namespace petrelctl {

struct FileCopyEvents {
    // After each block read, with the bytes read of this file so far.
    std::function<void(std::uint64_t)> onBlock;
    // Asked between blocks; true ends the copy as interrupted.
    std::function<bool()> stopped;
};

// Copies `from` to `to`, which must not exist yet; `copied` gets the file's size, time and
// hash (its path is left to the caller). A failure before the rename leaves nothing at
// `to`; a copy that reads back differently stays there, to be looked at.
CopyOutcome CopyFile(const std::string& from, const std::string& to, const FileCopyEvents& events,
                     CopiedFile& copied);

// Makes the entries of `folder` durable (after a rename into it).
bool SyncFolder(const std::string& folder);

}  // namespace petrelctl
