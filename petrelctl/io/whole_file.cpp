#include "io/whole_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace petrelctl {
namespace {

// Enough for every camera of a rack to share one name.
constexpr int kMostSuffixes = 1000;

mode_t PublicMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0644 & ~mask;
}

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// The file flushed to disk under a temporary name in `folder`; "" with errno set.
std::string WriteTemporary(const std::string& folder, const std::string& text, bool secret) {
    std::string name = folder + "/.petrelctl-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);  // mode 0600 from the start
    if (fd < 0) return {};
    const bool written =
        (secret || fchmod(fd, PublicMode()) == 0) && WriteAll(fd, text) && fsync(fd) == 0;
    const int error = errno;
    if (close(fd) == 0 && written) return name;
    unlink(name.c_str());
    errno = written ? errno : error;
    return {};
}

std::string Numbered(const std::filesystem::path& path, int number) {
    if (number == 1) return path.string();
    std::filesystem::path numbered = path;
    numbered.replace_filename(path.stem().string() + "-" + std::to_string(number) +
                              path.extension().string());
    return numbered.string();
}

// Renames `temporary` to `path` (or the next free name); the name taken, or "".
std::string PutInPlace(const std::string& temporary, const std::string& path, Existing existing) {
    if (existing == Existing::kReplace)
        return rename(temporary.c_str(), path.c_str()) == 0 ? path : "";
    const int tries = existing == Existing::kNewName ? kMostSuffixes : 1;
    for (int number = 1; number <= tries; ++number) {
        const std::string name = Numbered(path, number);
        if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0)
            return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace

std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text,
                                          bool secret, Existing existing, std::string& problem) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    const std::string temporary = WriteTemporary(folder, text, secret);
    if (temporary.empty()) {
        problem = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::string placed = PutInPlace(temporary, path, existing);
    if (placed.empty()) {
        problem = errno == EEXIST ? path + " exists; give --force to replace it"
                                  : path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return std::nullopt;
    }
    // The rename itself reaches the disk with the folder.
    if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return placed;
}

std::string SafeNamePart(const std::string& text) {
    std::string safe = text;
    for (char& c : safe) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!allowed) c = '_';
    }
    if (safe.starts_with('.')) safe[0] = '_';
    return safe;
}

}  // namespace petrelctl
