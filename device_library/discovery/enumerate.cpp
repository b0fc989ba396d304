// Finding cameras: on the USB bus walk and among the mapped camera disks.
#include <dlfcn.h>
#include <usb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "commands/model_code.h"
#include "discovery/camera_disk.h"
#include "discovery/list_entry.h"
#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"
#include "transport/connection.h"
#include "transport/disk_carrier.h"
#include "transport/live_set.h"

namespace {

constexpr int kWalkLimit = 32;
constexpr char kFirstDrive = 'D';
constexpr char kLastDrive = 'Y';

void FreeEntry(DeviceListEntry* entry) { std::free(entry); }

// Library-wide, like every other piece of state: callers serialise all calls.
petrel::LiveSet<DeviceListEntry, FreeEntry>& LiveEntries() {
    static petrel::LiveSet<DeviceListEntry, FreeEntry> live;
    return live;
}

DeviceListEntry* NewEntry(struct usb_device* device, const PetrelEntryInfo& info) {
    auto* entry = static_cast<DeviceListEntry*>(std::calloc(1, sizeof(DeviceListEntry)));
    if (entry == nullptr) return nullptr;
    *entry = DeviceListEntry{device, info};
    if (!LiveEntries().Add(entry)) {
        std::free(entry);
        return nullptr;
    }
    return entry;
}

template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// libusb 0.1 names buses and devices by their usbfs folder and file ("001", "004").
int UsbNumber(const char* name) {
    char* end = nullptr;
    const long value = std::strtol(name, &end, 10);
    return end == name || *end != '\0' || value < 0 || value > 0xFFFF ? 0 : static_cast<int>(value);
}

PetrelEntryInfo UsbInfoOf(struct usb_device* device) {
    PetrelEntryInfo info{};
    info.kind = kUsbEntry;
    info.busNumber = UsbNumber(device->bus->dirname);
    info.deviceNumber = UsbNumber(device->filename);
    if (info.busNumber != 0 && info.deviceNumber != 0) {
        std::snprintf(info.node, sizeof info.node, "/dev/bus/usb/%03d/%03d", info.busNumber,
                      info.deviceNumber);
    }
    CopyText(info.serial, petrel::platform::UsbSerialAt(info.busNumber, info.deviceNumber));
    return info;
}

PetrelEntryInfo DiskInfoOf(char letter) {
    PetrelEntryInfo info{};
    info.kind = kDiskEntry;
    info.driveLetter = letter;
    if (const auto disk = petrel::platform::MappedDiskOf(letter))
        CopyText(info.node, disk->genericNode);
    if (const auto usb = petrel::platform::UsbAncestorOf(letter)) {
        info.busNumber = usb->busNumber;
        info.deviceNumber = usb->deviceNumber;
        CopyText(info.serial, usb->serial);
    }
    return info;
}

// libusb 0.1 keeps its bus list for the life of the process and has no call to free it.
// A manager that unloads and reloads this library would leave one list behind each
// time, so libusb stays loaded once it has been used, and its list is reused.
void KeepUsbLibraryLoaded() {
    static const bool pinned =
        dlopen("libusb-0.1.so.4", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
    (void)pinned;
}

int WalkUsbBus(struct usb_device** found, int capacity) {
    KeepUsbLibraryLoaded();
    usb_init();
    usb_find_busses();
    usb_find_devices();
    const int limit = capacity <= 1 ? 1 : (capacity > kWalkLimit ? kWalkLimit : capacity);
    int count = 0;
    for (struct usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
        for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
            if (device->descriptor.idVendor != PETREL_VENDOR_ID ||
                device->descriptor.idProduct != PETREL_PRODUCT_USB) {
                continue;
            }
            found[count++] = device;
            if (count >= limit) return count;
        }
    }
    return count;
}

}  // namespace

namespace petrel {

bool IsCameraDisk(char letter) {
    if (!platform::IsRemovableDrive(letter)) return false;
    DeviceConnection* probe = NewConnection(OpenDiskCarrier(letter));
    if (probe == nullptr) return false;
    const bool answered = ReadModelCode(probe);
    FreeConnection(probe);
    return answered;
}

bool IsLiveEntry(const DeviceListEntry* entry) { return LiveEntries().Contains(entry); }

}  // namespace petrel

extern "C" {

PETREL_API int EnumDeviceList(DeviceListEntry** list, int capacity) {
    struct usb_device* found[kWalkLimit] = {};
    const int count = WalkUsbBus(found, capacity);
    if (list == nullptr) return count;
    int stored = 0;
    for (int i = 0; i < count; ++i) {
        if (DeviceListEntry* entry = NewEntry(found[i], UsbInfoOf(found[i])))
            list[stored++] = entry;
    }
    return stored;
}

PETREL_API int EnumStorageList(DeviceListEntry** list, int /*ignored*/) {
    petrel::platform::RefreshDriveMap();
    int count = 0;
    for (char letter = kFirstDrive; letter <= kLastDrive; ++letter) {
        if (!petrel::IsCameraDisk(letter)) continue;
        if (list != nullptr) {
            DeviceListEntry* entry = NewEntry(nullptr, DiskInfoOf(letter));
            if (entry == nullptr) continue;
            list[count] = entry;
        }
        ++count;
    }
    return count;
}

PETREL_API int ReleaseList(DeviceListEntry** list, int count) {
    if (list == nullptr) return 0;
    for (int i = 0; i < count; ++i) {
        DeviceListEntry* entry = list[i];
        if (!petrel::IsLiveEntry(entry)) continue;
        list[i] = nullptr;
        LiveEntries().Retire(entry);
    }
    return 0;
}

PETREL_API int GetStorageDisk(const DeviceListEntry* entry) {
    if (!petrel::IsLiveEntry(entry) || entry->info.kind != kDiskEntry) return 0;
    return static_cast<signed char>(entry->info.driveLetter & 0xFF);
}

PETREL_API int PetrelGetEntryInfo(const DeviceListEntry* entry, PetrelEntryInfo* info) {
    if (!petrel::IsLiveEntry(entry) || info == nullptr) {
        return STATUS_BAD_ARGUMENT;
    }
    *info = entry->info;
    return STATUS_OK;
}

}  // extern "C"
