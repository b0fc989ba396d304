#include "offload/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "offload/sha256.h"

namespace petrelctl {
namespace {

constexpr std::size_t kBlock = 1 << 20;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now: a network file system may report a failed write only here.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

CopyFailure Failure(const char* code, const std::string& file, const std::string& what) {
    return {code, file + ": " + what};
}

CopyFailure WriteFailure(const std::string& file, int error) {
    const bool full = error == ENOSPC || error == EDQUOT || error == EFBIG;
    return Failure(full ? "DESTINATION_FULL" : "WRITE_FAILED", file,
                   std::string(full ? "the destination is full: " : "cannot write the copy: ") +
                       std::strerror(error));
}

bool Same(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Unchanged while read: the same file, size and times.
bool Unchanged(const struct stat& before, const struct stat& after) {
    return before.st_dev == after.st_dev && before.st_ino == after.st_ino &&
           before.st_size == after.st_size && Same(before.st_mtim, after.st_mtim) &&
           Same(before.st_ctim, after.st_ctim);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// Reads `fd` to its end into `hash`, and into `copy` when it is open; the bytes read.
// -1 with errno on a failed read, -2 on a failed write, -3 when stopped.
long long Stream(int fd, Sha256& hash, int copy, const FileCopyEvents& events) {
    std::vector<char> block(kBlock);
    long long total = 0;
    for (;;) {
        if (events.stopped && events.stopped()) return -3;
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) return total;
        hash.Update(block.data(), static_cast<std::size_t>(got));
        if (copy >= 0 && !WriteAll(copy, block.data(), static_cast<std::size_t>(got))) return -2;
        total += got;
        if (events.onBlock) events.onBlock(static_cast<std::uint64_t>(total));
    }
}

// Where rename cannot refuse to replace, an existing name is refused first; the folder
// is this offload's own, so nothing else adds names to it meanwhile.
int RenameNew(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

// The copy as it is on the destination: cached pages are dropped first where the file
// system allows, so that what is hashed is what was stored.
CopyOutcome ReadBack(const std::string& to, const CopiedFile& copied) {
    Descriptor fd(::open(to.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) return Failure("VERIFY_FAILED", to, std::strerror(errno));
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_DONTNEED);
    Sha256 hash;
    const long long size = Stream(fd.get(), hash, -1, {});
    if (size < 0) return Failure("VERIFY_FAILED", to, std::strerror(errno));
    if (static_cast<std::uint64_t>(size) != copied.size || hash.Hex() != copied.sha256)
        return Failure("MISMATCH", to, "the copy read back differs from what was read");
    return std::nullopt;
}

// Everything from opening the source to the durable temporary copy.
CopyOutcome WriteTemporary(const std::string& from, int source, int copy,
                           const FileCopyEvents& events, CopiedFile& copied) {
    struct stat before {};
    if (::fstat(source, &before) != 0) return Failure("READ_FAILED", from, std::strerror(errno));
    Sha256 hash;
    const long long got = Stream(source, hash, copy, events);
    if (got == -1) return Failure("READ_FAILED", from, std::strerror(errno));
    if (got == -2) return WriteFailure(from, errno);
    if (got == -3) return Failure("INTERRUPTED", from, "interrupted");
    if (got < before.st_size)
        return Failure("SHORT_READ", from,
                       "short read: " + std::to_string(got) + " of " +
                           std::to_string(before.st_size) + " bytes");
    struct stat after {
    }, again{};
    if (::fstat(source, &after) != 0 || ::stat(from.c_str(), &again) != 0 ||
        got != before.st_size || !Unchanged(before, after) || !Unchanged(before, again))
        return Failure("FILE_CHANGED", from, "changed while it was read");
    // Evidence is not edited in place: read-only for everyone.
    const timespec times[2] = {before.st_atim, before.st_mtim};
    if (::fchmod(copy, 0444) != 0 || ::futimens(copy, times) != 0 || ::fsync(copy) != 0)
        return WriteFailure(from, errno);
    copied.size = static_cast<std::uint64_t>(got);
    copied.mtime = before.st_mtim;
    copied.sha256 = hash.Hex();
    return std::nullopt;
}

}  // namespace

// EINVAL: the file system offers no folder sync (some network shares); nothing more can
// be done there.
bool SyncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.get() >= 0 && (::fsync(fd.get()) == 0 || errno == EINVAL);
}

CopyOutcome CopyFile(const std::string& from, const std::string& to, const FileCopyEvents& events,
                     CopiedFile& copied) {
    Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (source.get() < 0) return Failure("READ_FAILED", from, std::strerror(errno));
    std::string temp = to + ".partial-XXXXXX";
    Descriptor copy(::mkostemp(temp.data(), O_CLOEXEC));
    if (copy.get() < 0) return WriteFailure(to, errno);
    auto failure = WriteTemporary(from, source.get(), copy.get(), events, copied);
    if (!failure && !copy.Close()) failure = WriteFailure(to, errno);
    if (!failure && RenameNew(temp, to) != 0) {
        failure = errno == EEXIST ? Failure("ALREADY_PRESENT", to,
                                            "already present at the destination; not replaced")
                                  : WriteFailure(to, errno);
    }
    if (failure) {
        ::unlink(temp.c_str());
        return failure;
    }
    const auto slash = to.rfind('/');
    if (!SyncFolder(slash == std::string::npos ? "." : to.substr(0, slash)))
        return WriteFailure(to, errno);
    return ReadBack(to, copied);
}

}  // namespace petrelctl
