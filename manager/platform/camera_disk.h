// The camera's disk as this computer sees it, named by the drive letter the device
// library reports; letters map to disks exactly as they do inside the library.
#pragma once

namespace platform {

// True when a file system of the letter's disk is mounted here and its free space reads.
bool IsDriveVisible(char letter);

// Unmounts every file system of the letter's disk; true when none is left mounted.
bool UnmountDrive(char letter);

}  // namespace platform
