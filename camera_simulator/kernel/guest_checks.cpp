// The checks that run inside the guest: libPetrel.so and petrelctl against the camera
// on the guest's USB bus, through the kernel's usbfs, usb-storage, SCSI, sg and vfat
// drivers.
// Each check prints one line "CHECK <name> PASS" or "CHECK <name> FAIL <why>";
// --list prints the names only, for the host to know what to expect.
#include <camsim/camera_state.h>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "petrel.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kAdminPassword = "888888";  // CameraState's level 1
constexpr gid_t kPlugdev = 46;                    // the group the udev rule names
constexpr uid_t kUser = 1000;
constexpr const char* kMountPoint = "/mnt/camera";
constexpr const char* kHostSums = "/opt/camera-disk.sha256";  // the host's, of the disk's files
constexpr const char* kEvidence = "/evidence";                // a tmpfs
const camsim::CameraState kCamera;

struct Failure {
    std::string why;
};

void require(bool condition, const std::string& why) {
    if (!condition) throw Failure{why};
}

void requireStatus(int status, int wanted, const char* call) {
    require(status == wanted, std::string(call) + " gave " + PetrelStatusName(status) +
                                  ", wanted " + PetrelStatusName(wanted));
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

std::string readAttribute(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
        char line[128] = {};
        if (std::fgets(line, sizeof line, file)) text = line;
        std::fclose(file);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

// The sysfs folder of the USB device vendor:product as the kernel enumerated it.
std::optional<std::string> usbDevice(const char* product) {
    for (const auto& name : entriesOf("/sys/bus/usb/devices")) {
        const std::string folder = "/sys/bus/usb/devices/" + name;
        if (readAttribute(folder + "/idVendor") == "4255" &&
            readAttribute(folder + "/idProduct") == product)
            return folder;
    }
    return std::nullopt;
}

// The first node of a class (sg0, sda) that the kernel created under a USB device.
std::optional<std::string> nodeUnder(const std::string& usbFolder, const char* classFolder) {
    char resolved[PATH_MAX];
    if (!realpath(usbFolder.c_str(), resolved)) return std::nullopt;
    for (const auto& name : entriesOf(classFolder)) {
        char device[PATH_MAX];
        const std::string link = std::string(classFolder) + "/" + name;
        if (realpath(link.c_str(), device) &&
            std::strncmp(device, resolved, std::strlen(resolved)) == 0)
            return "/dev/" + name;
    }
    return std::nullopt;
}

// Opens the node as an unprivileged user, in plugdev or not; the errno of the open, or 0.
int openAsUser(const std::string& node, bool inPlugdev) {
    const pid_t child = fork();
    if (child == 0) {
        const gid_t group = inPlugdev ? kPlugdev : kUser;
        if (setgroups(1, &group) != 0 || setgid(kUser) != 0 || setuid(kUser) != 0) _exit(255);
        const int fd = open(node.c_str(), O_RDWR | O_NONBLOCK);
        _exit(fd >= 0 ? 0 : errno);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// The udev rule's ownership and mode, and what they let an unprivileged user do.
void requireCameraAccess(const std::string& node) {
    struct stat info {};
    require(eventually([&] { return stat(node.c_str(), &info) == 0 && info.st_gid == kPlugdev; }),
            node + " never got group plugdev");
    char mode[8];
    std::snprintf(mode, sizeof mode, "%o", info.st_mode & 0777);
    require((info.st_mode & 0777) == 0660, node + " has mode " + mode);
    require(openAsUser(node, true) == 0, "a member of plugdev cannot open " + node);
    require(openAsUser(node, false) == EACCES, "a user outside plugdev can open " + node);
}

// Pages written each with its own bytes, then read back; O_DIRECT, because the page
// cache would hide a block that went to the wrong address.
void requireBlocksAtTheirAddress(const std::string& node) {
    constexpr std::size_t kPage = 4096;
    alignas(kPage) static std::uint8_t page[kPage];
    const auto fill = [](std::uint8_t* bytes, off_t at) {
        for (std::size_t i = 0; i < kPage; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + at);
    };
    const int fd = open(node.c_str(), O_RDWR | O_DIRECT);
    require(fd >= 0, "cannot open " + node);
    bool moved = true;
    for (const off_t at : {3, 7}) {
        fill(page, at);
        moved = moved && pwrite(fd, page, kPage, at * kPage) == kPage;
    }
    bool same = true;
    for (const off_t at : {3, 7}) {
        std::uint8_t wanted[kPage];
        fill(wanted, at);
        moved = moved && pread(fd, page, kPage, at * kPage) == kPage;
        same = same && std::memcmp(page, wanted, kPage) == 0;
    }
    close(fd);
    require(moved, "block input/output failed on " + node);
    require(same, "a page read back other bytes than were written there");
}

// The start of the disk, past the page cache: zeros once the camera has formatted it.
bool diskStartsZeroed(const std::string& node) {
    constexpr std::size_t kLength = 64 * 1024;
    alignas(4096) static std::uint8_t start[kLength];
    const int fd = open(node.c_str(), O_RDONLY | O_DIRECT);
    const bool read = fd >= 0 && pread(fd, start, kLength, 0) == kLength;
    if (fd >= 0) close(fd);
    return read && std::all_of(std::begin(start), std::end(start), [](auto b) { return b == 0; });
}

bool mounted(const std::string& node) {
    std::ifstream table("/proc/self/mounts");
    std::string device;
    std::string rest;
    while (table >> device && std::getline(table, rest))
        if (device == node) return true;
    return false;
}

std::vector<std::string> sortedLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A shell command's exit status (-1: it did not end normally) and what it printed.
struct Ran {
    int status = -1;
    std::string output;
};

Ran run(const std::string& command) {
    Ran ran;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return ran;
    char chunk[512];
    while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, pipe))
        ran.output.append(chunk, got);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) ran.status = WEXITSTATUS(status);
    return ran;
}

void requireRan(const std::string& command) {
    const int status = run(command + " >&2").status;
    require(status == 0, "`" + command + "` ended with status " + std::to_string(status));
}

// The one copy an offload made, and petrelctl's JSON result.
struct Offload {
    std::string folder;
    nlohmann::json result;
};

// Offloads the camera as the administrator to a folder of its own, DEST/<name>.
Offload offload(const std::string& name, const char* options) {
    const std::string destination = std::string(kEvidence) + "/" + name;
    require(mkdir(destination.c_str(), 0700) == 0, "cannot make " + destination);
    const Ran ran = run(std::string("PETREL_PASSWORD=") + kAdminPassword + " petrelctl offload " +
                        destination + " " + options + " --json");
    require(ran.status == 0, "petrelctl offload ended with status " + std::to_string(ran.status) +
                                 ": " + ran.output);
    const std::string cameraFolder = destination + "/" + kCamera.serial;
    const auto copies = entriesOf(cameraFolder);
    require(copies.size() == 1, std::to_string(copies.size()) + " copies under " + cameraFolder);
    const auto result = nlohmann::json::parse(ran.output, nullptr, false);
    require(result.is_object(), "petrelctl printed no JSON object: " + ran.output);
    return {cameraFolder + "/" + copies.front(), result};
}

// The copy's manifest checks out, and it is the host's: every file the host put on the
// disk, with the hash the host computed.
void requireVerifiedCopy(const std::string& folder) {
    requireRan("cd " + folder + " && sha256sum -c SHA256SUMS");
    require(sortedLines(folder + "/SHA256SUMS") == sortedLines(kHostSums),
            "the manifest lists other files or hashes than the host put on the disk");
}

template <typename Record>
Record pattern(std::uint8_t seed) {
    Record record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return record;
}

template <typename Record>
bool sameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A write of one shape read back with a query.
template <typename Record>
void roundTrip(DeviceConnection* camera, int (*set)(DeviceConnection*, const Record*),
               int (*get)(DeviceConnection*, Record*), std::uint8_t seed, const char* name) {
    const Record written = pattern<Record>(seed);
    requireStatus(set(camera, &written), STATUS_OK, name);
    Record read = pattern<Record>(0);
    requireStatus(get(camera, &read), STATUS_OK, "the query after it");
    require(sameBytes(read, written),
            std::string("the query did not read back what ") + name + " wrote");
}

struct Session {
    DeviceConnection* usb = nullptr;
    DeviceConnection* disk = nullptr;
    int letter = 0;           // the disk's in the library's drive map
    std::string diskNode;     // sdX
    std::string genericNode;  // sgN
};

// One exchange shape, written and read back (or read) on a logged-in connection;
// seed makes what each carrier writes its own.
struct ShapeRow {
    const char* shape;
    void (*run)(DeviceConnection* camera, std::uint8_t seed);
};

constexpr ShapeRow kShapes[] = {
    {"two-way-password",
     [](DeviceConnection* camera, std::uint8_t) {
         requireStatus(VerifiPassword(camera, "000000", 1), STATUS_NOT_VERIFIED,
                       "VerifiPassword with a wrong password");
         requireStatus(VerifiPassword(camera, kAdminPassword, 1), STATUS_OK, "VerifiPassword");
     }},
    {"unconfirmed-write-and-query",
     [](DeviceConnection* camera, std::uint8_t seed) {
         roundTrip(camera, SetSysParam, GetSysParam, seed, "SetSysParam");
     }},
    {"confirmed-write",
     [](DeviceConnection* camera, std::uint8_t seed) {
         roundTrip(camera, SetNetworkInfo, GetNetworkInfo, seed + 1, "SetNetworkInfo");
     }},
    {"checked-two-way",
     [](DeviceConnection* camera, std::uint8_t seed) {
         const std::uint32_t timeout = 10000u + seed;
         std::uint32_t answered = 0;
         std::uint32_t read = 0;
         requireStatus(SendHeartbeat(camera, timeout, &answered), STATUS_OK, "SendHeartbeat");
         requireStatus(GetTimeOut(camera, &read), STATUS_OK, "GetTimeOut");
         require(answered == timeout && read == timeout, "the heartbeat's time-out did not stick");
     }},
    {"checked-query",
     [](DeviceConnection* camera, std::uint8_t) {
         std::uint32_t total = 0;
         std::uint32_t free = 0;
         requireStatus(GetDiskSpaceInfo(camera, &total, &free), STATUS_OK, "GetDiskSpaceInfo");
         require(total == kCamera.diskTotalMb && free == kCamera.diskFreeMb,
                 "GetDiskSpaceInfo read other figures than the camera holds");
     }},
};

// An entry names the USB device of vendor:product as the kernel enumerated it, with the
// serial the kernel read, and the node the library opens (the USB node when genericNode
// is empty).
void requireEntryInfo(const PetrelEntryInfo& info, const char* product,
                      const std::string& genericNode) {
    const auto folder = usbDevice(product);
    require(folder.has_value(), "the camera left the bus");
    const int bus = std::atoi(readAttribute(*folder + "/busnum").c_str());
    const int device = std::atoi(readAttribute(*folder + "/devnum").c_str());
    char usbNode[32];
    std::snprintf(usbNode, sizeof usbNode, "/dev/bus/usb/%03d/%03d", bus, device);
    const std::string node = genericNode.empty() ? usbNode : genericNode;
    require(info.busNumber == bus && info.deviceNumber == device,
            "entry at " + std::to_string(info.busNumber) + "-" + std::to_string(info.deviceNumber) +
                ", the kernel has it at " + std::to_string(bus) + "-" + std::to_string(device));
    require(kCamera.serial == info.serial, std::string("entry serial ") + info.serial);
    require(node == info.node, std::string("entry node ") + info.node + ", wanted " + node);
}

struct Check {
    std::string name;
    std::function<void(Session&)> run;
};

void addShapes(std::vector<Check>& checks, const char* carrier, DeviceConnection* Session::*camera,
               std::uint8_t seed) {
    for (const ShapeRow& row : kShapes)
        checks.push_back({std::string(carrier) + "-" + row.shape,
                          [&row, camera, seed](Session& s) { row.run(s.*camera, seed); }});
}

// The camera's files through the kernel's vfat: the disk the host made, mounted here
// read-only, then offloaded by petrelctl, which finds that mount through the library.
std::vector<Check> fileChecks() {
    return {
        {"kernel-mounts-camera-files",
         [](Session& s) {
             const int mountStatus =
                 mount(s.diskNode.c_str(), kMountPoint, "vfat", MS_RDONLY, nullptr);
             require(mountStatus == 0, "mounting " + s.diskNode + ": " + std::strerror(errno));
             requireRan(std::string("cd ") + kMountPoint + " && sha256sum -c -s " + kHostSums);
             char point[PATH_MAX] = {};
             requireStatus(PetrelStorageMountPoint(s.letter, point, sizeof point), STATUS_OK,
                           "PetrelStorageMountPoint");
             require(std::strcmp(point, kMountPoint) == 0,
                     std::string("the library has the disk mounted on ") + point);
         }},
        {"offload-verified-copy",
         [](Session& s) {
             requireVerifiedCopy(offload("kept", "").folder);
             require(!diskStartsZeroed(s.diskNode), "the offload alone cleared the camera");
         }},
        {"offload-format-after",
         [](Session& s) {
             const Offload done = offload("cleared", "--format-after");
             requireVerifiedCopy(done.folder);
             require(done.result.value("formatted", nlohmann::json()) == true,
                     "the result does not say formatted: " + done.result.dump());
             require(!mounted(s.diskNode), s.diskNode + " is still mounted");
             require(diskStartsZeroed(s.diskNode), "the camera's disk still holds its file system");
         }},
    };
}

std::vector<Check> checks() {
    std::vector<Check> all{
        {"kernel-enumerates-usb-camera",
         [](Session&) {
             std::optional<std::string> folder;
             require(eventually([&] { return (folder = usbDevice("0001")).has_value(); }),
                     "no 4255:0001 device in /sys/bus/usb/devices");
             require(readAttribute(*folder + "/manufacturer") == kCamera.manufacturer &&
                         readAttribute(*folder + "/product") == kCamera.product &&
                         readAttribute(*folder + "/serial") == kCamera.serial,
                     "the kernel read other descriptor strings");
         }},
        {"library-lists-usb-camera",
         [](Session& s) {
             DeviceListEntry* list[32] = {};
             const int found = EnumDeviceList(list, 32);
             require(found == 1, "EnumDeviceList found " + std::to_string(found));
             PetrelEntryInfo info{};
             const int infoStatus = PetrelGetEntryInfo(list[0], &info);
             const int status = ConnectDevice(list[0], &s.usb);
             ReleaseList(list, found);
             requireStatus(status, STATUS_OK, "ConnectDevice");
             requireStatus(infoStatus, STATUS_OK, "PetrelGetEntryInfo");
             requireEntryInfo(info, "0001", "");
             char texts[3][32] = {};
             requireStatus(GetDescriptorString(s.usb, texts[0], texts[1], texts[2]), STATUS_OK,
                           "GetDescriptorString");
             require(kCamera.serial == texts[2], std::string("serial number read as ") + texts[2]);
         }},
    };
    addShapes(all, "usb", &Session::usb, 0x10);
    all.insert(all.end(),
               {
                   {"usb-node-permissions",
                    [](Session&) {
                        const auto folder = usbDevice("0001");
                        require(folder.has_value(), "the camera left the bus");
                        char node[32];
                        std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d",
                                      std::atoi(readAttribute(*folder + "/busnum").c_str()),
                                      std::atoi(readAttribute(*folder + "/devnum").c_str()));
                        requireCameraAccess(node);
                    }},
                   {"usb-leave-for-disk",
                    [](Session& s) {
                        requireStatus(SetMSCMode(s.usb), STATUS_OK, "SetMSCMode");
                        requireStatus(GetTimeOut(s.usb, nullptr), STATUS_NO_CONNECTION,
                                      "a command after SetMSCMode");
                        CloseDevice(s.usb);
                        s.usb = nullptr;
                    }},
                   {"kernel-attaches-camera-disk",
                    [](Session& s) {
                        std::optional<std::string> generic;
                        std::optional<std::string> block;
                        require(eventually([&] {
                                    const auto folder = usbDevice("0002");
                                    if (!folder) return false;
                                    generic = nodeUnder(*folder, "/sys/class/scsi_generic");
                                    block = nodeUnder(*folder, "/sys/class/block");
                                    return generic && block;
                                }),
                                "no sg and block node under a 4255:0002 device");
                        s.genericNode = *generic;
                        s.diskNode = *block;
                    }},
                   {"library-maps-camera-disk",
                    [](Session& s) {
                        require(EnumDeviceList(nullptr, 32) == 0, "the USB camera is still listed");
                        DeviceListEntry* list[22] = {};
                        const int found = EnumStorageList(list, 0);
                        const int letter = found == 1 ? GetStorageDisk(list[0]) : 0;
                        PetrelEntryInfo info{};
                        const int infoStatus =
                            found == 1 ? PetrelGetEntryInfo(list[0], &info) : STATUS_FAILED;
                        ReleaseList(list, found);
                        require(found == 1, "EnumStorageList found " + std::to_string(found));
                        requireStatus(ConnectStorageDevice(letter, &s.disk), STATUS_OK,
                                      "ConnectStorageDevice");
                        s.letter = letter;
                        requireStatus(infoStatus, STATUS_OK, "PetrelGetEntryInfo");
                        requireEntryInfo(info, "0002", s.genericNode);
                    }},
               });
    addShapes(all, "disk", &Session::disk, 0x40);
    for (Check& check : fileChecks()) all.push_back(std::move(check));
    all.insert(all.end(),
               {
                   {"disk-blocks-at-their-address",
                    [](Session& s) { requireBlocksAtTheirAddress(s.diskNode); }},
                   {"sg-node-permissions", [](Session& s) { requireCameraAccess(s.genericNode); }},
                   {"unplug-mid-exchange",
                    [](Session& s) {
                        // The camera is set up to be pulled out when asked for its battery level.
                        std::uint16_t percent = 0;
                        requireStatus(GetBattery(s.disk, &percent), STATUS_FAILED, "GetBattery");
                        require(eventually([] { return !usbDevice("0002"); }),
                                "the kernel still has the camera after the unplug");
                        require(
                            EnumStorageList(nullptr, 0) == 0 && EnumDeviceList(nullptr, 32) == 0,
                            "the library still finds a camera after the unplug");
                        CloseDevice(s.disk);
                        s.disk = nullptr;
                    }},
               });
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    const bool listOnly = argc > 1 && std::strcmp(argv[1], "--list") == 0;
    Session session;
    int failed = 0;
    for (const Check& check : checks()) {
        if (listOnly) {
            std::printf("%s\n", check.name.c_str());
            continue;
        }
        try {
            check.run(session);
            std::printf("CHECK %s PASS\n", check.name.c_str());
        } catch (const Failure& failure) {
            ++failed;
            std::printf("CHECK %s FAIL %s\n", check.name.c_str(), failure.why.c_str());
        }
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
