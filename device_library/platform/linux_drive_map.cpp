#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"

namespace petrel::platform {
namespace {

constexpr char kFirstLetter = 'D';
constexpr char kLastLetter = 'Y';
constexpr const char* kGenericClass = "/sys/class/scsi_generic";

struct DriveMap {
    std::array<std::optional<MappedDisk>, 26> letters;
    std::set<std::string> forgotten;  // nodes whose letter was removed stay unmapped
    bool scanned = false;
};

DriveMap& Map() {
    static DriveMap map;
    return map;
}

std::string ReadAttribute(const std::string& path) {
    char text[64] = {};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    std::string value(text, got > 0 ? static_cast<size_t>(got) : 0);
    while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
    return value;
}

std::vector<std::string> ListDirectory(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    }
    closedir(dir);
    return names;
}

// Lexically resolves a sysfs class link; realpath is avoided so the result stays in /sys.
std::string ResolveLink(const std::string& link) {
    char target[512] = {};
    const ssize_t got = readlink(link.c_str(), target, sizeof target - 1);
    if (got <= 0) return {};
    std::string path =
        target[0] == '/' ? std::string(target) : link.substr(0, link.rfind('/') + 1) + target;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const auto& part : parts) resolved += "/" + part;
    return resolved;
}

std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// The nearest USB device above a sysfs device (the one with a vendor); empty when none.
std::string UsbAncestorPath(std::string device) {
    for (; device.size() > std::strlen("/sys/devices"); device = ParentOf(device)) {
        if (!ReadAttribute(device + "/idVendor").empty()) return device;
    }
    return {};
}

bool HasCameraVendorAncestor(const std::string& device) {
    const std::string usb = UsbAncestorPath(device);
    char vendor[8];
    std::snprintf(vendor, sizeof vendor, "%04x", PETREL_VENDOR_ID);
    return !usb.empty() && ReadAttribute(usb + "/idVendor") == vendor;
}

int NumberAttribute(const std::string& path) {
    const std::string text = ReadAttribute(path);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return text.empty() || *end != '\0' || value < 0 || value > 0xFFFF ? 0
                                                                       : static_cast<int>(value);
}

// A generic node is a candidate when its SCSI device has a removable disk or sits on a
// camera's USB device: USB disks often report themselves as fixed.
std::optional<MappedDisk> CandidateOf(const std::string& genericName) {
    const std::string device = ResolveLink(std::string(kGenericClass) + "/" + genericName);
    // A link left behind by an unplugged disk resolves to nothing that exists.
    if (device.empty() || access(device.c_str(), F_OK) != 0) return std::nullopt;
    const std::string scsiDevice = ParentOf(ParentOf(device));
    std::string blockName;
    bool removable = false;
    for (const auto& name : ListDirectory(scsiDevice + "/block")) {
        blockName = name;
        removable = ReadAttribute(scsiDevice + "/block/" + name + "/removable") == "1";
        break;
    }
    if (!removable && !HasCameraVendorAncestor(scsiDevice)) return std::nullopt;
    return MappedDisk{"/dev/" + genericName, blockName};
}

bool NaturalLess(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::vector<MappedDisk> ScanCandidates() {
    auto names = ListDirectory(kGenericClass);
    std::sort(names.begin(), names.end(), NaturalLess);
    std::vector<MappedDisk> found;
    for (const auto& name : names) {
        if (auto candidate = CandidateOf(name)) found.push_back(*candidate);
    }
    return found;
}

void ApplyFixedMap(DriveMap& map, const char* text) {
    for (auto& slot : map.letters) slot.reset();
    std::string spec(text);
    size_t start = 0;
    while (start < spec.size()) {
        const size_t end = std::min(spec.find(',', start), spec.size());
        const std::string item = spec.substr(start, end - start);
        start = end + 1;
        if (item.size() < 3 || item[1] != '=') continue;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[0])));
        if (letter < kFirstLetter || letter > kLastLetter) continue;
        const std::string node = item.substr(2);
        if (map.forgotten.count(node) != 0) continue;
        const std::string name = node.substr(node.rfind('/') + 1);
        map.letters[letter - 'A'] =
            MappedDisk{node, CandidateOf(name).value_or(MappedDisk{}).blockName};
    }
}

void MergeScan(DriveMap& map) {
    const auto candidates = ScanCandidates();
    auto present = [&](const MappedDisk& disk) {
        return std::any_of(candidates.begin(), candidates.end(),
                           [&](const MappedDisk& c) { return c.genericNode == disk.genericNode; });
    };
    for (auto& slot : map.letters) {
        if (slot && !present(*slot)) slot.reset();
    }
    for (const auto& candidate : candidates) {
        if (map.forgotten.count(candidate.genericNode) != 0) continue;
        const bool mapped = std::any_of(map.letters.begin(), map.letters.end(), [&](const auto& s) {
            return s && s->genericNode == candidate.genericNode;
        });
        if (mapped) continue;
        for (char letter = kFirstLetter; letter <= kLastLetter; ++letter) {
            auto& slot = map.letters[letter - 'A'];
            if (!slot) {
                slot = candidate;
                break;
            }
        }
    }
}

}  // namespace

void RefreshDriveMap() {
    DriveMap& map = Map();
    map.scanned = true;
    if (const char* fixed = std::getenv("PETREL_DRIVES"); fixed != nullptr && *fixed != '\0') {
        ApplyFixedMap(map, fixed);
    } else {
        MergeScan(map);
    }
}

std::optional<MappedDisk> MappedDiskOf(char letter) {
    if (letter < kFirstLetter || letter > kLastLetter) return std::nullopt;
    if (!Map().scanned) RefreshDriveMap();
    return Map().letters[letter - 'A'];
}

void ForgetDrive(char letter) {
    if (letter < kFirstLetter || letter > kLastLetter) return;
    auto& slot = Map().letters[letter - 'A'];
    if (slot) Map().forgotten.insert(slot->genericNode);
    slot.reset();
}

std::optional<UsbAncestor> UsbAncestorOf(char letter) {
    const auto disk = MappedDiskOf(letter);
    if (!disk) return std::nullopt;
    const std::string name = disk->genericNode.substr(disk->genericNode.rfind('/') + 1);
    const std::string usb = UsbAncestorPath(ResolveLink(std::string(kGenericClass) + "/" + name));
    if (usb.empty()) return UsbAncestor{};
    const long vendor = std::strtol(ReadAttribute(usb + "/idVendor").c_str(), nullptr, 16);
    return UsbAncestor{static_cast<int>(vendor), NumberAttribute(usb + "/busnum"),
                       NumberAttribute(usb + "/devnum"), ReadAttribute(usb + "/serial")};
}

std::string UsbSerialAt(int busNumber, int deviceNumber) {
    if (busNumber == 0 || deviceNumber == 0) return {};
    const std::string devices = "/sys/bus/usb/devices";
    for (const std::string& name : ListDirectory(devices)) {
        const std::string device = devices + "/" + name;
        if (NumberAttribute(device + "/busnum") == busNumber &&
            NumberAttribute(device + "/devnum") == deviceNumber)
            return ReadAttribute(device + "/serial");
    }
    return {};
}

bool IsRemovableDrive(char letter) { return MappedDiskOf(letter).has_value(); }

void RemoveDriveMapping(char letter) { ForgetDrive(letter); }

}  // namespace petrel::platform
