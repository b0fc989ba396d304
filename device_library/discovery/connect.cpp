// Opening and closing connections, and the facts a connection keeps.
#include <time.h>

#include <cstring>

#include "commands/model_code.h"
#include "discovery/list_entry.h"
#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"
#include "transport/connection.h"
#include "transport/disk_carrier.h"
#include "transport/usb_carrier.h"

namespace {

constexpr char kInterfaceVersion[] = "API_1.0.8";
constexpr long kSettleNanoseconds = 100L * 1000 * 1000;
constexpr size_t kDescriptorCopy = 32;

void PauseAfterSystemType() {
    timespec pause{0, kSettleNanoseconds};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

// The steps every connect export shares once its carrier is open; the record is freed
// when the camera does not even give its model identifier.
int FinishConnect(DeviceConnection* connection, DeviceConnection** out) {
    if (connection == nullptr) return STATUS_FAILED;
    if (!petrel::ReadModelCode(connection)) {
        petrel::FreeConnection(connection);
        return STATUS_FAILED;
    }
    SetSystemType(connection, 1);
    PauseAfterSystemType();
    *out = connection;
    // The bar code belongs to the sequence the camera expects; its answer is not kept.
    char barCode[32] = {};
    GetBarCode(connection, barCode);
    char version[64] = {};
    if (GetDeviceVersion(connection, version) != STATUS_OK) return STATUS_OK;
    return std::strstr(version, kInterfaceVersion) != nullptr ? STATUS_OK : STATUS_VERSION_MISMATCH;
}

DeviceConnection* OpenUsbConnection(struct usb_device* device) {
    char manufacturer[kDescriptorCopy];
    char product[kDescriptorCopy];
    char serial[kDescriptorCopy];
    DeviceConnection* connection =
        petrel::NewConnection(petrel::OpenUsbCarrier(device, manufacturer, product, serial));
    if (connection == nullptr) return nullptr;
    std::memcpy(connection->manufacturer, manufacturer, sizeof manufacturer);
    std::memcpy(connection->product, product, sizeof product);
    std::memcpy(connection->serialNumber, serial, sizeof serial);
    return connection;
}

DeviceConnection* OpenDiskConnection(char letter) {
    DeviceConnection* connection = petrel::NewConnection(petrel::OpenDiskCarrier(letter));
    if (connection != nullptr) connection->driveLetter = letter;
    return connection;
}

char LetterOf(int letter) { return static_cast<char>(letter & 0xFF); }

void CopyDescriptor(char* destination, const char* field) {
    const size_t length = strnlen(field, kDescriptorCopy - 1);
    std::memcpy(destination, field, length);
    std::memset(destination + length, 0, kDescriptorCopy - length);
}

}  // namespace

extern "C" {

PETREL_API int ConnectDevice(const DeviceListEntry* entry, DeviceConnection** connection) {
    if (!petrel::IsLiveEntry(entry) || connection == nullptr) return STATUS_BAD_ARGUMENT;
    DeviceConnection* opened = nullptr;
    if (entry->info.kind == kUsbEntry) {
        opened = OpenUsbConnection(entry->device);
    } else if (entry->info.kind == kDiskEntry) {
        opened = OpenDiskConnection(LetterOf(entry->info.driveLetter));
    }
    return FinishConnect(opened, connection);
}

PETREL_API int ConnectStorageDevice(int letter, DeviceConnection** connection) {
    // The camera may have appeared as a disk since the last enumeration.
    petrel::platform::RefreshDriveMap();
    if (connection == nullptr || !petrel::platform::IsRemovableDrive(LetterOf(letter))) {
        return STATUS_FAILED;
    }
    return FinishConnect(OpenDiskConnection(LetterOf(letter)), connection);
}

PETREL_API int CloseDevice(DeviceConnection* connection) {
    if (connection == nullptr) return 0;
    if (!petrel::IsLiveConnection(connection)) return STATUS_BAD_ARGUMENT;
    petrel::FreeConnection(connection);
    return 0;
}

PETREL_API int GetDescriptorString(const DeviceConnection* connection, char* manufacturer,
                                   char* product, char* serial) {
    if (connection != nullptr && !petrel::IsLiveConnection(connection)) return STATUS_BAD_ARGUMENT;
    // The descriptors belong to the USB interface, gone once the camera left for its disk.
    if (!petrel::HasCarrier(connection) ||
        connection->carrier->Kind() != petrel::CarrierKind::kUsb) {
        return STATUS_FAILED;
    }
    if (manufacturer == nullptr || product == nullptr || serial == nullptr) {
        return STATUS_BAD_ARGUMENT;
    }
    CopyDescriptor(manufacturer, connection->manufacturer);
    CopyDescriptor(product, connection->product);
    CopyDescriptor(serial, connection->serialNumber);
    return STATUS_OK;
}

PETREL_API int GetStorageID(const DeviceConnection* connection) {
    return petrel::IsLiveConnection(connection) ? connection->driveLetter : 0;
}

PETREL_API int StorageToVolumeName(int letter, char* out) {
    const char drive = LetterOf(letter);
    constexpr size_t kVolumeNameCapacity = 260;
    if (out == nullptr || !petrel::platform::VolumeNameOf(drive, out, kVolumeNameCapacity)) {
        return 1;
    }
    petrel::platform::TakeVolumeOffline(drive);
    petrel::platform::RemoveDriveMapping(drive);
    return 0;
}

}  // extern "C"
