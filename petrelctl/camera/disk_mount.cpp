#include "camera/disk_mount.h"

#include <libmount/libmount.h>
#include <libudev.h>
#include <sys/mount.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

#include "petrel.h"

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;

// The generic node (/dev/sgN) the library opens for camera disk `drive`.
std::string GenericNode(char drive) {
    std::array<DeviceListEntry*, kListCapacity> list{};
    const int count = EnumStorageList(list.data(), 0);
    std::string node;
    for (int i = 0; i < count; ++i) {
        PetrelEntryInfo info{};
        if (GetStorageDisk(list[static_cast<std::size_t>(i)]) == drive &&
            PetrelGetEntryInfo(list[static_cast<std::size_t>(i)], &info) == STATUS_OK)
            node = info.node;
    }
    ReleaseList(list.data(), std::max(count, 0));
    return node;
}

// The block nodes of the SCSI device behind `generic`: its partitions first, then the
// whole disk (a camera may format its storage without a partition table).
std::vector<std::string> BlockNodes(const std::string& generic) {
    std::vector<std::string> partitions, disks;
    struct udev* udev = udev_new();
    const std::string name = generic.substr(generic.rfind('/') + 1);
    struct udev_device* sg =
        udev ? udev_device_new_from_subsystem_sysname(udev, "scsi_generic", name.c_str()) : nullptr;
    struct udev_device* scsi =
        sg ? udev_device_get_parent_with_subsystem_devtype(sg, "scsi", "scsi_device") : nullptr;
    struct udev_enumerate* found = scsi ? udev_enumerate_new(udev) : nullptr;
    if (found != nullptr && udev_enumerate_add_match_subsystem(found, "block") >= 0 &&
        udev_enumerate_add_match_parent(found, scsi) >= 0 &&
        udev_enumerate_scan_devices(found) >= 0) {
        struct udev_list_entry* entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(found)) {
            struct udev_device* block =
                udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
            const char* node = block ? udev_device_get_devnode(block) : nullptr;
            const char* type = block ? udev_device_get_devtype(block) : nullptr;
            if (node != nullptr)
                (type && std::strcmp(type, "partition") == 0 ? partitions : disks).push_back(node);
            udev_device_unref(block);
        }
    }
    udev_enumerate_unref(found);
    udev_device_unref(sg);
    udev_unref(udev);
    std::sort(partitions.begin(), partitions.end());
    partitions.insert(partitions.end(), disks.begin(), disks.end());
    return partitions;
}

// As root: read-only, nothing on it run or taken as a device, its type detected.
std::optional<std::string> MountPrivately(const std::string& node, std::string& problem) {
    char folder[] = "/run/petrelctl-offload-XXXXXX";
    char fallback[] = "/tmp/petrelctl-offload-XXXXXX";
    const char* point = mkdtemp(folder) ? folder : mkdtemp(fallback);
    if (point == nullptr) {
        problem = std::string("cannot make a mount point: ") + std::strerror(errno);
        return std::nullopt;
    }
    struct libmnt_context* context = mnt_new_context();
    const bool mounted =
        context != nullptr && mnt_context_set_source(context, node.c_str()) == 0 &&
        mnt_context_set_target(context, point) == 0 &&
        mnt_context_set_mflags(context, MS_RDONLY | MS_NOSUID | MS_NODEV | MS_NOEXEC) == 0 &&
        mnt_context_mount(context) == 0 && mnt_context_get_status(context) == 1;
    if (!mounted) {
        char message[256] = "";
        if (context != nullptr)
            mnt_context_get_excode(context, mnt_context_get_status(context) == 1 ? 0 : -1, message,
                                   sizeof message);
        problem = node + ": " + (message[0] ? message : "cannot be mounted");
        rmdir(point);
    }
    mnt_free_context(context);
    return mounted ? std::optional<std::string>(point) : std::nullopt;
}

// UDisks2 names a block device's object after its kernel name, other bytes as _XX.
std::string UdisksObject(const std::string& node) {
    std::string path = "/org/freedesktop/UDisks2/block_devices/";
    for (const char c : node.substr(node.rfind('/') + 1)) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            path += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "_%02x", static_cast<unsigned char>(c));
            path += escaped;
        }
    }
    return path;
}

// Mount or Unmount of UDisks2's file system interface; the mount point for Mount.
std::optional<std::string> Udisks(const char* method, const std::string& node,
                                  std::string& problem) {
    sd_bus* bus = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const bool mounting = std::strcmp(method, "Mount") == 0;
    int status = sd_bus_open_system(&bus);
    if (status >= 0) {
        status =
            mounting
                ? sd_bus_call_method(bus, "org.freedesktop.UDisks2", UdisksObject(node).c_str(),
                                     "org.freedesktop.UDisks2.Filesystem", method, &error, &reply,
                                     "a{sv}", 1, "options", "s", "ro")
                : sd_bus_call_method(bus, "org.freedesktop.UDisks2", UdisksObject(node).c_str(),
                                     "org.freedesktop.UDisks2.Filesystem", method, &error, &reply,
                                     "a{sv}", 0);
    }
    const char* point = nullptr;
    if (status >= 0 && mounting) status = sd_bus_message_read(reply, "s", &point);
    std::optional<std::string> result;
    if (status >= 0) {
        result = point ? point : "";
    } else {
        problem = node + ": UDisks2 " + method + ": " +
                  (error.message ? error.message : std::strerror(-status));
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    sd_bus_unref(bus);
    return result;
}

}  // namespace

std::optional<DiskMount> DiskMount::Of(char drive, std::string& problem) {
    char point[4096] = {};
    if (PetrelStorageMountPoint(drive, point, sizeof point) == STATUS_OK)
        return DiskMount(drive, point, Owner::kOther, "");
    const auto nodes = BlockNodes(GenericNode(drive));
    if (nodes.empty()) {
        problem = std::string("no block device found for drive ") + drive;
        return std::nullopt;
    }
    const bool root = geteuid() == 0;
    std::string why;
    for (const auto& node : nodes) {
        const auto folder = root ? MountPrivately(node, why) : Udisks("Mount", node, why);
        if (folder)
            return DiskMount(drive, *folder, root ? Owner::kPrivate : Owner::kDesktop, node);
        problem += (problem.empty() ? "" : "; ") + why;
    }
    problem = "the camera's storage is not mounted and cannot be mounted read-only: " + problem;
    return std::nullopt;
}

DiskMount::DiskMount(DiskMount&& other) noexcept
    : drive_(other.drive_),
      folder_(std::move(other.folder_)),
      owner_(other.owner_),
      node_(std::move(other.node_)) {
    other.owner_ = Owner::kOther;
}

DiskMount::~DiskMount() {
    std::string ignored;
    if (owner_ != Owner::kOther) Release(ignored);
}

bool DiskMount::Release(std::string& problem) {
    bool released = true;
    if (owner_ == Owner::kPrivate) {
        released = umount2(folder_.c_str(), 0) == 0;
        if (released) rmdir(folder_.c_str());
        if (!released) problem = folder_ + ": " + std::strerror(errno);
    } else if (owner_ == Owner::kDesktop) {
        released = Udisks("Unmount", node_, problem).has_value();
    }
    owner_ = Owner::kOther;
    if (!released) return false;
    if (PetrelUnmountStorage(drive_) == STATUS_OK) return true;
    problem = "a file system of the camera's storage stays mounted (in use?)";
    return false;
}

}  // namespace petrelctl
