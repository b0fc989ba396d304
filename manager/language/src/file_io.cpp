#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vireo::language_io {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    int Get() const { return m_fd; }
    // Closing reports late write errors (for instance of network file systems).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Keep the permissions of the file being replaced; a new file gets the usual ones.
mode_t ModeFor(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writing through a symbolic link replaces the file it names, not the link.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    auto target = std::filesystem::canonical(path, error);
    return error ? path : target;
}

void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

}  // namespace

FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t limit) {
    FilePrefix result;
    // Non-blocking, so that a pipe or a device answers at once (and is then refused)
    // instead of waiting for a writer; a regular file reads the same either way.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Get() < 0) {
        result.status =
            errno == ENOENT ? FilePrefix::Status::Missing : FilePrefix::Status::Unreadable;
        return result;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = FilePrefix::Status::Unreadable;
        return result;
    }

    // One byte past the limit tells a file of exactly the limit from a larger one.
    result.bytes.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const ssize_t got =
            ::read(file.Get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.status = FilePrefix::Status::Unreadable;
            result.bytes.clear();
            return result;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    result.truncated = filled > limit;
    result.bytes.resize(result.truncated ? limit : filled);
    result.status = FilePrefix::Status::Read;
    return result;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
    const std::filesystem::path target = ResolveLink(path);
    const std::filesystem::path folder = target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) return false;
    const bool written = ::fchmod(file.Get(), ModeFor(target)) == 0 && WriteAll(file.Get(), text) &&
                         ::fsync(file.Get()) == 0 && file.Close() &&
                         std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace vireo::language_io
