// The narrow volume layer: what the library needs from the system to reach a camera disk.
// Drive letters D..Y keep their meaning; on Linux each letter maps to a SCSI generic node.
#pragma once

#include <cstddef>
#include <cstdint>

namespace petrel::platform {

struct VolumeHandle {
    int fd = -1;
    bool IsOpen() const { return fd >= 0; }
};

// The pass-through record as the camera protocol defines it: 44-byte header, filler, sense.
// The 4-byte DataBuffer field cannot hold a 64-bit address, so the data travels beside it.
#pragma pack(push, 1)
struct ScsiPassThroughDirect {
    uint16_t length;
    uint8_t scsiStatus;
    uint8_t pathId;
    uint8_t targetId;
    uint8_t lun;
    uint8_t cdbLength;
    uint8_t senseInfoLength;
    uint8_t dataIn;
    uint8_t reserved[3];
    uint32_t dataTransferLength;
    uint32_t timeOutValue;
    uint32_t dataBuffer;
    uint32_t senseInfoOffset;
    uint8_t cdb[16];
    uint8_t filler[4];
    uint8_t sense[24];
};
#pragma pack(pop)
static_assert(sizeof(ScsiPassThroughDirect) == 72);

enum class PassThroughResult { kGood, kDeviceGone, kTransportError, kOsError };

// True when the letter is mapped to a candidate camera disk ("removable drive").
bool IsRemovableDrive(char letter);

// Opens the letter's disk for reading and writing, shared, existing device only.
VolumeHandle OpenVolume(char letter);
void CloseVolume(VolumeHandle& volume);

// Carries out the request; on kGood a read's dataTransferLength holds the bytes moved.
PassThroughResult ExecutePassThrough(VolumeHandle volume, ScsiPassThroughDirect& request, void* data);

// A stable name of the letter's device, written as text into out.
bool VolumeNameOf(char letter, char* out, size_t capacity);

// Unmounts every file system of the letter's device.
bool TakeVolumeOffline(char letter);

// Forgets the letter for the rest of the process.
void RemoveDriveMapping(char letter);

// Total and free bytes of the file system mounted from the letter's device.
bool DiskSpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes);

}  // namespace petrel::platform
