#include "camera/cameras.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;

struct FoundList {
    std::array<DeviceListEntry*, kListCapacity> entries{};
    int count = 0;
    ~FoundList() { ReleaseList(entries.data(), count); }
};

// The USB cameras of the last walk of the bus, kept so that Connect, here or in a worker
// forked a moment later, opens its camera without walking the bus again.
const FoundList& UsbCameras(bool walkAgain) {
    static FoundList found;
    if (walkAgain || found.count == 0) {
        ReleaseList(found.entries.data(), found.count);
        found.count = std::max(0, EnumDeviceList(found.entries.data(), kListCapacity));
    }
    return found;
}

// The USB camera at `address` ("001/005") in the list.
const DeviceListEntry* AtAddress(const FoundList& list, const std::string& address) {
    for (int i = 0; i < list.count; ++i) {
        CameraRef listed;
        Locate(list.entries[static_cast<std::size_t>(i)], listed);
        if (listed.usbAddress == address) return list.entries[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

// What only the camera itself can say: its bar code and model.
void Identify(CameraRef& camera) {
    DeviceConnection* connection = nullptr;
    if (Connect(camera, &connection) == STATUS_OK) {
        char barCode[33] = {}, model[33] = {};
        if (GetBarCode(connection, barCode) == STATUS_OK) camera.barCode = barCode;
        if (GetModelID(connection, model) == STATUS_OK) camera.model = model;
    }
    CloseDevice(connection);
}

bool Matches(const CameraRef& camera, const std::string& selector) {
    return selector == camera.Label() || (!camera.serial.empty() && selector == camera.serial) ||
           (!camera.barCode.empty() && selector == camera.barCode);
}

bool NeedsIdentity(const std::vector<std::string>& selectors) {
    return std::any_of(selectors.begin(), selectors.end(), [](const std::string& selector) {
        return !selector.starts_with("usb:") && !selector.starts_with("drive:");
    });
}

// "usb:001/005": a camera by its bus and device number, as hotplug names it.
bool IsUsbAddress(const std::string& selector) {
    static const std::regex address(R"(usb:\d{3}/\d{3})");
    return std::regex_match(selector, address);
}

}  // namespace

void Locate(const DeviceListEntry* entry, CameraRef& camera) {
    PetrelEntryInfo info{};
    if (PetrelGetEntryInfo(entry, &info) != STATUS_OK) return;
    camera.serial = info.serial;
    if (info.busNumber == 0) return;
    char address[16];
    std::snprintf(address, sizeof address, "%03d/%03d", info.busNumber, info.deviceNumber);
    camera.usbAddress = address;
}

std::vector<CameraRef> FindCameras(bool identify) {
    std::vector<CameraRef> cameras;
    const FoundList& usb = UsbCameras(true);
    for (int i = 0; i < usb.count; ++i) {
        CameraRef& camera = cameras.emplace_back();
        camera.usb = i + 1;
        Locate(usb.entries[static_cast<std::size_t>(i)], camera);
    }
    {
        FoundList disks;
        disks.count = std::max(0, EnumStorageList(disks.entries.data(), 0));
        for (int i = 0; i < disks.count; ++i) {
            CameraRef& camera = cameras.emplace_back();
            camera.drive =
                static_cast<char>(GetStorageDisk(disks.entries[static_cast<std::size_t>(i)]));
            Locate(disks.entries[static_cast<std::size_t>(i)], camera);
        }
    }
    if (identify) std::for_each(cameras.begin(), cameras.end(), Identify);
    return cameras;
}

int Connect(const CameraRef& camera, DeviceConnection** connection) {
    if (camera.drive != 0) return ConnectStorageDevice(camera.drive, connection);
    if (camera.usbAddress.empty()) {
        const FoundList& usb = UsbCameras(false);
        if (camera.usb < 1 || camera.usb > usb.count) return -1;
        return ConnectDevice(usb.entries[static_cast<std::size_t>(camera.usb - 1)], connection);
    }
    // By its place on the bus: in the list at hand, else in a fresh one (a camera that
    // arrived since).
    const DeviceListEntry* entry = AtAddress(UsbCameras(false), camera.usbAddress);
    if (entry == nullptr) entry = AtAddress(UsbCameras(true), camera.usbAddress);
    return entry != nullptr ? ConnectDevice(entry, connection) : -1;
}

std::string SysfsId(unsigned id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id & 0xFFFFu);
    return text;
}

bool ValidSelector(const std::string& selector) {
    if (IsUsbAddress(selector)) return true;
    if (selector.starts_with("usb:")) {
        const std::string number = selector.substr(4);
        return !number.empty() && number.size() < 3 &&
               number.find_first_not_of("0123456789") == std::string::npos && number[0] != '0';
    }
    if (selector.starts_with("drive:"))
        return selector.size() == 7 && selector[6] >= 'D' && selector[6] <= 'Y';
    return !selector.empty();
}

std::optional<std::vector<CameraRef>> SelectCameras(const Options& options, std::string& problem) {
    // Workers report their cameras' identities themselves, in parallel.
    const auto found = FindCameras(NeedsIdentity(options.selectors));
    if (options.all) {
        if (found.empty()) problem = "no camera found on USB or as a removable disk";
        return found.empty() ? std::nullopt : std::optional(found);
    }
    std::vector<CameraRef> selected;
    for (const auto& selector : options.selectors) {
        if (IsUsbAddress(selector)) {
            selected.emplace_back().usbAddress = selector.substr(4);
            continue;
        }
        const auto match = std::find_if(found.begin(), found.end(), [&](const CameraRef& camera) {
            return Matches(camera, selector);
        });
        if (match == found.end()) {
            problem = selector.starts_with("drive:")
                          ? std::string("no camera disk on drive ") + selector.back()
                          : "no camera found as " + selector;
            return std::nullopt;
        }
        if (std::none_of(selected.begin(), selected.end(), [&](const CameraRef& camera) {
                return camera.Label() == match->Label();
            })) {
            selected.push_back(*match);
        }
    }
    return selected;
}

}  // namespace petrelctl
