#include "camera/cameras.h"

#include <usb.h>

#include <algorithm>
#include <array>
#include <regex>

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;
constexpr std::uint16_t kCameraVendor = 0x4255;
constexpr std::uint16_t kCameraProduct = 0x0001;

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

void Identify(CameraRef& camera) {
    DeviceConnection* connection = nullptr;
    if (Connect(camera, &connection) == STATUS_OK) {
        char manufacturer[32] = {}, product[32] = {}, serial[32] = {}, barCode[33] = {};
        if (GetDescriptorString(connection, manufacturer, product, serial) == STATUS_OK)
            camera.serial = serial;
        if (GetBarCode(connection, barCode) == STATUS_OK) camera.barCode = barCode;
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

// The position in the library's list of the USB camera at `address`, 0 when none. The
// library keeps libusb's bus walk, in its order, dropping what is not a camera; this
// process shares that walk, so the positions agree.
int PositionOf(const std::string& address, int listed) {
    int position = 0;
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
        for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
            if (device->descriptor.idVendor != kCameraVendor ||
                device->descriptor.idProduct != kCameraProduct)
                continue;
            ++position;
            if (address == std::string(bus->dirname) + "/" + device->filename)
                return position <= listed ? position : 0;
        }
    }
    return 0;
}

}  // namespace

std::vector<CameraRef> FindCameras(bool identify) {
    std::vector<CameraRef> cameras;
    const int usb = UsbCameras(true).count;
    for (int i = 0; i < usb; ++i) cameras.emplace_back().usb = i + 1;
    {
        FoundList disks;
        disks.count = std::max(0, EnumStorageList(disks.entries.data(), 0));
        for (int i = 0; i < disks.count; ++i)
            cameras.emplace_back().drive = static_cast<char>(GetStorageDisk(disks.entries[i]));
    }
    if (identify) std::for_each(cameras.begin(), cameras.end(), Identify);
    return cameras;
}

int Connect(const CameraRef& camera, DeviceConnection** connection) {
    if (camera.drive != 0) return ConnectStorageDevice(camera.drive, connection);
    const FoundList& usb = UsbCameras(false);
    const int position =
        camera.usbAddress.empty() ? camera.usb : PositionOf(camera.usbAddress, usb.count);
    if (position < 1 || position > usb.count) return -1;
    return ConnectDevice(usb.entries[static_cast<std::size_t>(position - 1)], connection);
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
