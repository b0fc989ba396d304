// A camera disk's file systems as this computer mounted them, for front-ends that show
// or release them before the camera changes its storage.
#include <cstring>
#include <string>

#include "discovery/camera_disk.h"
#include "petrel.h"
#include "platform/drive_map.h"
#include "platform/volume.h"

namespace {

// Only a camera's disk: never another removable disk of this computer. The camera's vendor
// settles it without a word to the camera; a disk mapped otherwise must answer as one.
// The drive map is refreshed first: the disk may have arrived since the last enumeration.
bool IsCameraDiskLetter(int letter) {
    if (letter < 0 || letter > 0xFF) return false;
    const char drive = static_cast<char>(letter);
    petrel::platform::RefreshDriveMap();
    if (!petrel::platform::IsRemovableDrive(drive)) return false;
    const auto usb = petrel::platform::UsbAncestorOf(drive);
    return (usb && usb->vendorId == PETREL_VENDOR_ID) || petrel::IsCameraDisk(drive);
}

}  // namespace

extern "C" {

PETREL_API int PetrelStorageMountPoint(int letter, char* out, int size) {
    if (out == nullptr || size <= 0 || !IsCameraDiskLetter(letter)) return STATUS_BAD_ARGUMENT;
    const std::string point = petrel::platform::MountPointOf(static_cast<char>(letter));
    if (point.empty()) return STATUS_FAILED;
    if (point.size() >= static_cast<size_t>(size)) return STATUS_BAD_ARGUMENT;
    std::memcpy(out, point.c_str(), point.size() + 1);
    return STATUS_OK;
}

PETREL_API int PetrelUnmountStorage(int letter) {
    if (!IsCameraDiskLetter(letter)) return STATUS_BAD_ARGUMENT;
    return petrel::platform::TakeVolumeOffline(static_cast<char>(letter)) ? STATUS_OK
                                                                          : STATUS_FAILED;
}

}  // extern "C"
