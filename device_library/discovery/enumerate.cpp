// Finding cameras: on the USB bus walk and among the mapped camera disks.
#include <dlfcn.h>
#include <usb.h>

#include <cstdlib>

#include "commands/model_code.h"
#include "discovery/list_entry.h"
#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"
#include "transport/connection.h"
#include "transport/disk_carrier.h"

namespace {

constexpr uint16_t kCameraVendor = 0x4255;
constexpr uint16_t kCameraProduct = 0x0001;
constexpr int kWalkLimit = 32;
constexpr char kFirstDrive = 'D';
constexpr char kLastDrive = 'Y';

DeviceListEntry* NewEntry(int32_t kind, int32_t letter, struct usb_device* device) {
    auto* entry = static_cast<DeviceListEntry*>(std::calloc(1, sizeof(DeviceListEntry)));
    if (entry != nullptr) *entry = DeviceListEntry{kListEntryTag, kind, letter, device};
    return entry;
}

// libusb 0.1 keeps its bus list for the life of the process and has no call to free it.
// A manager that unloads and reloads this library would leave one list behind each
// time, so libusb stays loaded once it has been used, and its list is reused.
void KeepUsbLibraryLoaded() {
    static const bool pinned = dlopen("libusb-0.1.so.4", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
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
            if (device->descriptor.idVendor != kCameraVendor ||
                device->descriptor.idProduct != kCameraProduct) {
                continue;
            }
            found[count++] = device;
            if (count >= limit) return count;
        }
    }
    return count;
}

bool IsCameraDisk(char letter) {
    DeviceConnection probe;
    probe.carrier = petrel::OpenDiskCarrier(letter);
    return probe.carrier != nullptr && petrel::ReadModelCode(&probe);
}

}  // namespace

extern "C" {

PETREL_API int EnumDeviceList(DeviceListEntry** list, int capacity) {
    struct usb_device* found[kWalkLimit] = {};
    const int count = WalkUsbBus(found, capacity);
    if (list == nullptr) return count;
    int stored = 0;
    for (int i = 0; i < count; ++i) {
        if (DeviceListEntry* entry = NewEntry(kUsbEntry, 0, found[i])) list[stored++] = entry;
    }
    return stored;
}

PETREL_API int EnumStorageList(DeviceListEntry** list, int /*ignored*/) {
    petrel::platform::RefreshDriveMap();
    int count = 0;
    for (char letter = kFirstDrive; letter <= kLastDrive; ++letter) {
        if (!petrel::platform::IsRemovableDrive(letter) || !IsCameraDisk(letter)) continue;
        if (list != nullptr) {
            DeviceListEntry* entry = NewEntry(kDiskEntry, letter, nullptr);
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
        list[i] = nullptr;
        std::free(entry);
    }
    return 0;
}

PETREL_API int GetStorageDisk(const DeviceListEntry* entry) {
    if (entry == nullptr || entry->tag != kListEntryTag || entry->kind != kDiskEntry) return 0;
    return static_cast<signed char>(entry->driveLetter & 0xFF);
}

}  // extern "C"
