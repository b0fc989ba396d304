#include "io/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace petrelctl {
namespace {

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a pipe (FIFO); give its contents on standard input as -";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

std::string Size(std::size_t bytes) {
    return bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                      : std::to_string(bytes) + " bytes";
}

}  // namespace

std::optional<std::string> ReadInput(const std::string& path, std::size_t limit,
                                     std::string& problem) {
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : path;
    // Without O_NONBLOCK opening a FIFO would wait for a writer before it could be refused.
    const int fd =
        standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = name + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    const bool statted = fstat(fd, &info) == 0;
    // Standard input may be a pipe or a terminal; a named file must be a regular one.
    const bool acceptable =
        statted && (S_ISREG(info.st_mode) || (standardInput && !S_ISDIR(info.st_mode)));
    std::optional<std::string> text;
    if (!statted) {
        problem = name + ": " + std::strerror(errno);
    } else if (!acceptable) {
        problem = name + " is " + KindOf(info.st_mode);
    } else if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > limit) {
        problem = name + " is larger than " + Size(limit);
    } else {
        if (!standardInput) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        text.emplace();
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                problem = name + ": " + std::strerror(errno);
                text.reset();
                break;
            }
            if (got == 0) break;
            if (text->size() + static_cast<std::size_t>(got) > limit) {
                problem = name + " is larger than " + Size(limit);
                text.reset();
                break;
            }
            text->append(buffer, static_cast<std::size_t>(got));
        }
    }
    if (!standardInput) close(fd);
    return text;
}

}  // namespace petrelctl
