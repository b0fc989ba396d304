#include <dirent.h>
#include <mntent.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/drive_map.h"
#include "platform/volume.h"

namespace petrel::platform {
namespace {

constexpr const char* kByIdFolder = "/dev/disk/by-id";

// Mount points of every file system on the disk or one of its partitions (sdb, sdb1, ...).
std::vector<std::string> MountPointsOf(const std::string& blockName) {
    std::vector<std::string> points;
    if (blockName.empty()) return points;
    const std::string device = "/dev/" + blockName;
    FILE* table = setmntent("/proc/self/mounts", "r");
    if (table == nullptr) return points;
    while (const mntent* entry = getmntent(table)) {
        const char* name = entry->mnt_fsname;
        if (std::strncmp(name, device.c_str(), device.size()) == 0 &&
            (name[device.size()] == '\0' ||
             std::isdigit(static_cast<unsigned char>(name[device.size()])))) {
            points.emplace_back(entry->mnt_dir);
        }
    }
    endmntent(table);
    return points;
}

std::string StableNameOf(const std::string& blockName) {
    const std::string device = "/dev/" + blockName;
    DIR* dir = opendir(kByIdFolder);
    if (dir == nullptr) return device;
    std::string stable = device;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string link = std::string(kByIdFolder) + "/" + entry->d_name;
        char target[256] = {};
        const ssize_t got = readlink(link.c_str(), target, sizeof target - 1);
        if (got <= 0) continue;
        const std::string text(target);
        if (text.size() >= blockName.size() &&
            text.compare(text.size() - blockName.size(), blockName.size(), blockName) == 0 &&
            (text.size() == blockName.size() || text[text.size() - blockName.size() - 1] == '/')) {
            stable = link;
            break;
        }
    }
    closedir(dir);
    return stable;
}

}  // namespace

bool VolumeNameOf(char letter, char* out, size_t capacity) {
    const auto disk = MappedDiskOf(letter);
    if (!disk || capacity == 0) return false;
    const std::string name =
        disk->blockName.empty() ? disk->genericNode : StableNameOf(disk->blockName);
    if (name.size() >= capacity) return false;
    std::memcpy(out, name.c_str(), name.size() + 1);
    return true;
}

bool TakeVolumeOffline(char letter) {
    const auto disk = MappedDiskOf(letter);
    if (!disk) return false;
    for (const auto& point : MountPointsOf(disk->blockName)) umount2(point.c_str(), 0);
    // The table judges, not each call: a point mounted twice is listed twice.
    return MountPointsOf(disk->blockName).empty();
}

std::string MountPointOf(char letter) {
    const auto disk = MappedDiskOf(letter);
    if (!disk) return {};
    const auto points = MountPointsOf(disk->blockName);
    return points.empty() ? std::string() : points.front();
}

bool DiskSpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) {
    const auto disk = MappedDiskOf(letter);
    if (!disk) return false;
    const auto points = MountPointsOf(disk->blockName);
    struct statvfs figures {};
    if (points.empty() || statvfs(points.front().c_str(), &figures) != 0) return false;
    totalBytes = static_cast<uint64_t>(figures.f_blocks) * figures.f_frsize;
    freeBytes = static_cast<uint64_t>(figures.f_bfree) * figures.f_frsize;
    return true;
}

}  // namespace petrel::platform
