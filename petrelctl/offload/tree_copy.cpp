#include "offload/tree_copy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "offload/file_copy.h"

namespace petrelctl {
namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string path;  // relative to the source
    bool folder = false;
    struct stat status {};
};

// Every entry under `root`, each folder before what it holds, in path order.
CopyOutcome Scan(const std::string& root, const std::string& relative, std::vector<Entry>& into) {
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(root + "/" + relative, error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    if (error) return CopyFailure{"READ_FAILED", root + "/" + relative + ": " + error.message()};
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        Entry entry;
        entry.path = relative.empty() ? name : relative + "/" + name;
        const std::string full = root + "/" + entry.path;
        if (::lstat(full.c_str(), &entry.status) != 0)
            return CopyFailure{"READ_FAILED", full + ": " + std::strerror(errno)};
        entry.folder = S_ISDIR(entry.status.st_mode);
        if (!entry.folder && !S_ISREG(entry.status.st_mode))
            return CopyFailure{"NOT_A_FILE", full + ": neither a file nor a folder; not copied"};
        into.push_back(entry);
        if (entry.folder) {
            if (auto failure = Scan(root, entry.path, into)) return failure;
        }
    }
    return std::nullopt;
}

CopyOutcome MakeFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return CopyFailure{"WRITE_FAILED", folder + ": " + error.message()};
    return std::nullopt;
}

// Folder times last: copying into a folder changes its time.
void KeepFolderTimes(const std::string& destination, const std::vector<Entry>& entries) {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!entry->folder) continue;
        const timespec times[2] = {entry->status.st_atim, entry->status.st_mtim};
        ::utimensat(AT_FDCWD, (destination + "/" + entry->path).c_str(), times, 0);
    }
}

}  // namespace

TreeCopy CopyTree(const std::string& source, const std::string& destination,
                  const std::function<void(const CopyProgress&)>& onProgress,
                  const std::function<bool()>& stopped) {
    TreeCopy result;
    std::vector<Entry> entries;
    if ((result.failure = Scan(source, "", entries))) return result;
    if ((result.failure = MakeFolder(destination))) return result;
    CopyProgress progress;
    for (const auto& entry : entries) {
        if (entry.folder) continue;
        ++progress.files;
        progress.bytes += static_cast<std::uint64_t>(entry.status.st_size);
    }
    for (const auto& entry : entries) {
        const std::string to = destination + "/" + entry.path;
        if (entry.folder) {
            if ((result.failure = MakeFolder(to))) return result;
            continue;
        }
        progress.file = entry.path;
        const std::uint64_t before = progress.bytesDone;
        const FileCopyEvents events{[&](std::uint64_t read) {
                                        progress.bytesDone = before + read;
                                        if (onProgress) onProgress(progress);
                                    },
                                    stopped};
        CopiedFile copied;
        if ((result.failure = CopyFile(source + "/" + entry.path, to, events, copied)))
            return result;
        copied.path = entry.path;
        result.files.push_back(copied);
        ++progress.filesDone;
        if (onProgress) onProgress(progress);
    }
    KeepFolderTimes(destination, entries);
    return result;
}

}  // namespace petrelctl
