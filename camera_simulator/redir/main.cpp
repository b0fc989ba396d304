// camera-redir: a simulated camera for a virtual machine. It listens on a Unix
// socket for QEMU's usb-redir device and presents the camera on the guest's USB bus.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "redir_camera.h"

namespace {

constexpr const char* kUsage =
    "usage: camera-redir --socket PATH [--unplug-on CODE]\n"
    "Waits for one usb-redir connection on the Unix socket PATH and serves a camera on it\n"
    "until the peer hangs up.\n"
    "  --unplug-on CODE  the camera is pulled out while it is being sent command CODE\n"
    "                    (0x29 or 41), on either interface\n";

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
