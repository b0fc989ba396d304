// The narrow volume layer: what the library needs from the system to reach a camera disk.
// Drive letters D..Y keep their meaning; on Linux each letter maps to a SCSI generic node.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace petrel::platform {

struct VolumeHandle {
    int fd = -1;
    bool IsOpen() const { return fd >= 0; }
};

// True when the letter is mapped to a candidate camera disk ("removable drive").
bool IsRemovableDrive(char letter);

// Opens the letter's disk for reading and writing, shared, existing device only.
VolumeHandle OpenVolume(char letter);
void CloseVolume(VolumeHandle& volume);

// A stable name of the letter's device, written as text into out.
bool VolumeNameOf(char letter, char* out, size_t capacity);

// Unmounts every file system of the letter's device; true when none is left mounted.
bool TakeVolumeOffline(char letter);

// Mount point of a file system mounted from the letter's device; empty when none is.
std::string MountPointOf(char letter);

// Forgets the letter for the rest of the process.
void RemoveDriveMapping(char letter);

// Total and free bytes of the file system mounted from the letter's device.
bool DiskSpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes);

}  // namespace petrel::platform
