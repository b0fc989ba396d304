// A camera that is present but refused to open is nearly always a permission problem.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "camera/cameras.h"
#include "camera/session.h"

namespace petrelctl {
namespace {

std::string ReadLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
        }
        closedir(dir);
    }
    return names;
}

// Only a refusal is a permission problem; a node that is missing or busy is not.
bool Unopenable(const std::string& node) {
    const int descriptor = open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (descriptor >= 0) close(descriptor);
    return descriptor < 0 && (errno == EACCES || errno == EPERM);
}

bool UnderCamera(std::string device) {
    for (; device.size() > 12; device = device.substr(0, device.rfind('/'))) {
        if (ReadLine(device + "/idVendor") == SysfsId(PETREL_VENDOR_ID)) return true;
    }
    return false;
}

std::string UnopenableUsbCamera() {
    const std::string folder = "/sys/bus/usb/devices/";
    for (const auto& name : Entries(folder)) {
        if (ReadLine(folder + name + "/idVendor") != SysfsId(PETREL_VENDOR_ID)) continue;
        char node[64];
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d",
                      std::atoi(ReadLine(folder + name + "/busnum").c_str()),
                      std::atoi(ReadLine(folder + name + "/devnum").c_str()));
        if (Unopenable(node)) return node;
    }
    return {};
}

std::string UnopenableCameraDisk() {
    const std::string folder = "/sys/class/scsi_generic/";
    for (const auto& name : Entries(folder)) {
        char device[PATH_MAX];
        if (realpath((folder + name).c_str(), device) == nullptr || !UnderCamera(device)) continue;
        const std::string node = "/dev/" + name;
        if (Unopenable(node)) return node;
    }
    return {};
}

}  // namespace

std::string PermissionProblem() {
    std::string node = UnopenableUsbCamera();
    if (node.empty()) node = UnopenableCameraDisk();
    if (node.empty()) return {};
    return "permission denied on " + node +
           "; install the udev rule 70-petrel-camera.rules (see README) and plug the camera in "
           "again";
}

}  // namespace petrelctl
