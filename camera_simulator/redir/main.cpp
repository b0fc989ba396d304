// camera-redir: a simulated camera for a virtual machine. It listens on a Unix
// socket for QEMU's usb-redir device and presents the camera on the guest's USB bus.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "redir_camera.h"

namespace {

constexpr const char* kUsage =
    "usage: camera-redir --socket PATH [--unplug-on CODE] [--disk-image FILE]\n"
    "Waits for one usb-redir connection on the Unix socket PATH and serves a camera on it\n"
    "until the peer hangs up.\n"
    "  --unplug-on CODE   the camera is pulled out while it is being sent command CODE\n"
    "                     (0x29 or 41), on either interface\n"
    "  --disk-image FILE  the camera's disk starts with FILE's blocks (512 bytes each, at\n"
    "                     most 64 MiB); writes stay in memory. Default: 2 MiB of zeros\n";

// The camera keeps its disk in memory: a test disk, not a card's worth.
constexpr std::uintmax_t kMaxDiskImage = std::uintmax_t{64} << 20;

int listenOn(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 1) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// The image's blocks, or an empty result and a message saying why not.
camsim::model::Bytes loadDiskImage(const char* path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file) {
        std::fprintf(stderr, "camera-redir: cannot read %s\n", path);
        return {};
    }
    if (size == 0 || size % camsim::redir::ScsiTarget::kBlockSize != 0 || size > kMaxDiskImage) {
        std::fprintf(stderr,
                     "camera-redir: %s holds %ju bytes, not a whole number of 512-byte blocks "
                     "up to 64 MiB\n",
                     path, size);
        return {};
    }
    camsim::model::Bytes blocks(size);
    if (!file.read(reinterpret_cast<char*>(blocks.data()), static_cast<std::streamsize>(size))) {
        std::fprintf(stderr, "camera-redir: short read of %s\n", path);
        return {};
    }
    return blocks;
}

int usageError() {
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    camsim::redir::RedirOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--socket" && i + 1 < argc) {
            path = argv[++i];
        } else if (flag == "--unplug-on" && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long code = std::strtoul(argv[++i], &end, 0);
            if (*end != '\0' || code > 0xFFFF) return usageError();
            options.unplugOn = static_cast<std::uint16_t>(code);
        } else if (flag == "--disk-image" && i + 1 < argc) {
            options.disk = loadDiskImage(argv[++i]);
            if (options.disk.empty()) return 1;
        } else {
            return usageError();
        }
    }
    if (path.empty()) return usageError();
    const int listener = listenOn(path);
    if (listener < 0) {
        std::fprintf(stderr, "camera-redir: cannot listen on %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const int peer = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    close(listener);
    unlink(path.c_str());
    if (peer < 0) {
        std::fprintf(stderr, "camera-redir: accept: %s\n", std::strerror(errno));
        return 1;
    }
    camsim::redir::RedirCamera camera(peer, options);
    const bool served = camera.serve();
    close(peer);
    return served ? 0 : 1;
}
