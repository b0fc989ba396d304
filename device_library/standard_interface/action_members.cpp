// What the recorder is told to do: clock, mass-storage mode, format, defaults, power.
#include <cstdint>

#include "petrel.h"
#include "standard_interface/member_pattern.h"

extern "C" {

PETREL_API ZfyBool SyncDevTime(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, SyncDateTime, ZFY_RESULT_TIME_SET,
                                 ZFY_RESULT_TIME_FAILED);
}

PETREL_API ZfyBool SetMSDC(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, SetMSCMode, ZFY_RESULT_MSDC_SET,
                                 ZFY_RESULT_MSDC_FAILED);
}

PETREL_API ZfyBool FormatDeviceDisk(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, FormatDisk, ZFY_RESULT_DISK_FORMATTED);
}

PETREL_API ZfyBool SetDeviceDefaultSetting(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, ResetDevice);
}

PETREL_API ZfyBool SetDeviceShutdown(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, SetCameraShutdown);
}

PETREL_API ZfyBool SetDeviceReboot(const char* password, uint16_t* result) {
    return petrel::zfy::RunGated(password, result, CameraReboot);
}

}  // extern "C"
