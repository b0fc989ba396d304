// Opening and closing connections, and the facts a connection keeps.
#include <time.h>

#include <cstring>
#include <iterator>

#include "discovery/open_carrier.h"
#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"

namespace {

constexpr char kInterfaceVersion[] = "API_1.0.8";
constexpr long kSettleNanoseconds = 100L * 1000 * 1000;
constexpr size_t kDescriptorCopy = 32;

void PauseAfterSystemType() {
    timespec pause{0, kSettleNanoseconds};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

// The steps every connect export shares once its carrier is open.
int FinishConnect(DeviceConnection* connection, DeviceConnection** out) {
    SetSystemType(connection, 1);
    PauseAfterSystemType();
    *out = connection;
    GetBarCode(connection, connection->barCode);
    char version[64] = {};
    const int versionStatus = GetDeviceVersion(connection, version);
    connection->verifiedLevel = kNotVerified;
    if (versionStatus != STATUS_OK) return STATUS_OK;
    return std::strstr(version, kInterfaceVersion) != nullptr ? STATUS_OK
                                                               : STATUS_VERSION_MISMATCH;
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
    if (entry == nullptr || entry->tag != kListEntryTag || connection == nullptr) {
        return STATUS_FAILED;
    }
    DeviceConnection* opened = nullptr;
    if (entry->kind == kUsbCarrier) {
        opened = petrel::OpenUsbConnection(entry->device);
    } else if (entry->kind == kDiskCarrier) {
        opened = petrel::OpenDiskConnection(LetterOf(entry->driveLetter));
    }
    if (opened == nullptr) return STATUS_FAILED;
    return FinishConnect(opened, connection);
}

PETREL_API int ConnectStorageDevice(int letter, DeviceConnection** connection) {
    // The camera may have appeared as a disk since the last enumeration.
    petrel::platform::RefreshDriveMap();
    if (connection == nullptr || !petrel::platform::IsRemovableDrive(LetterOf(letter))) {
        return STATUS_FAILED;
    }
    DeviceConnection* opened = petrel::OpenDiskConnection(LetterOf(letter));
    if (opened == nullptr) return STATUS_FAILED;
    return FinishConnect(opened, connection);
}

PETREL_API int CloseDevice(DeviceConnection* connection) {
    if (connection != nullptr) petrel::FreeConnection(connection);
    return 0;
}

PETREL_API int GetDescriptorString(const DeviceConnection* connection, char* manufacturer,
                                   char* product, char* serial) {
    if (connection == nullptr || connection->usbHandle == nullptr) return STATUS_FAILED;
    if (manufacturer == nullptr || product == nullptr || serial == nullptr) {
        return STATUS_BAD_ARGUMENT;
    }
    CopyDescriptor(manufacturer, connection->manufacturer);
    CopyDescriptor(product, connection->product);
    CopyDescriptor(serial, connection->serialNumber);
    return STATUS_OK;
}

PETREL_API int GetStorageID(const DeviceConnection* connection) {
    return connection == nullptr ? 0 : connection->driveLetter;
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

PETREL_API const char* PetrelStatusName(int status) {
    static constexpr const char* kNames[] = {
        "STATUS_OK",           "STATUS_FAILED",           "STATUS_NO_CONNECTION",
        "STATUS_BAD_ARGUMENT", "STATUS_NOT_VERIFIED",     "STATUS_VERSION_MISMATCH",
        "STATUS_PASSWORD_LOCKED", "STATUS_NOT_SUPPORTED"};
    if (status < 0 || status >= static_cast<int>(std::size(kNames))) return "STATUS_UNKNOWN";
    return kNames[status];
}

}  // extern "C"
