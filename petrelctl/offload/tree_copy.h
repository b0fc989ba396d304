// A folder tree copied to evidence storage, file by file as CopyFile does, keeping the
// folder structure and the times of files and folders. Knows nothing of cameras: the
// source is any folder, a camera's mounted disk or a test's stand-in.
#pragma once

#include <functional>
#include <vector>

#include "offload/copy_failure.h"

namespace petrelctl {

struct CopyProgress {
    std::string file;  // the file being copied, relative to the source
    std::uint64_t filesDone = 0, files = 0;
    std::uint64_t bytesDone = 0, bytes = 0;
};

struct TreeCopy {
    std::vector<CopiedFile> files;  // in the order copied: sorted by path
    CopyOutcome failure;            // the first failure; the copy stopped there
};

// Copies every file under `source` into `destination`, created when missing; a file
// already there is a failure, never replaced. Anything but files and folders (a link, a
// device) is a failure before anything is copied: the camera's storage must be wholly
// accounted for. `onProgress` follows every block; `stopped` is asked between blocks.
TreeCopy CopyTree(const std::string& source, const std::string& destination,
                  const std::function<void(const CopyProgress&)>& onProgress,
                  const std::function<bool()>& stopped);

}  // namespace petrelctl
