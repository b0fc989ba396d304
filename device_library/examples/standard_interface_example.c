/* A management program's view of Petrel: the standard-interface family alone, from
 * plain C and the public header. Connects the first camera, verifies a password,
 * prints the camera's identity and battery level and disconnects.
 *
 *   standard_interface_example [PASSWORD [LEVEL]]   (defaults: 123456, general user)
 *
 * Exit status: 0 when every step succeeded, 1 otherwise. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "petrel.h"

/* Prints a failed step with its result code and says whether to go on. The code is
 * read through a pointer: an argument by value could be read before the member ran. */
static int Check(ZfyBool ok, const char* step, const uint16_t* result) {
    if (!ok) fprintf(stderr, "%s failed: %s (%u)\n", step, ZfyResultName(*result), *result);
    return ok == ZFY_TRUE;
}

/* A ZfyInfo field holds at most size - 1 characters before its terminator position. */
static void PrintField(const char* label, const char* field, size_t size) {
    printf("%-12s %.*s\n", label, (int)(size - 1), field);
}

int main(int argc, char** argv) {
    const char* password = argc > 1 ? argv[1] : "123456";
    const int32_t level = argc > 2 ? (int32_t)atoi(argv[2]) : PETREL_USER_GENERAL;
    uint16_t result = 0;
    int ok = 1;

    if (!Check(Init_Device(NULL, &result), "Init_Device", &result)) return 1;
    if (result == ZFY_RESULT_VERSION_MISMATCH) {
        fprintf(stderr, "warning: the camera speaks another interface version\n");
    }

    if (Check(VerificationPassword(password, level, &result), "VerificationPassword", &result)) {
        char idCode[ZFY_ID_CODE_SIZE + 1] = {0};
        char serial[ZFY_SERIAL_ID_SIZE + 1] = {0};
        ZfyInfo info;
        int32_t battery = 0;
        memset(&info, 0, sizeof info);

        ok = Check(GetIDCode(idCode, &result), "GetIDCode", &result) &&
             Check(GetSerialID(serial, &result), "GetSerialID", &result) &&
             Check(GetZFYInfo(&info, password, &result), "GetZFYInfo", &result) &&
             Check(ReadDeviceBatteryDumpEnergy(&battery, password, &result),
                   "ReadDeviceBatteryDumpEnergy", &result);
        if (ok) {
            printf("%-12s %s\n", "model:", idCode);
            printf("%-12s %s\n", "serial:", serial);
            PrintField("device id:", info.deviceId, sizeof info.deviceId);
            PrintField("user id:", info.userId, sizeof info.userId);
            PrintField("user name:", info.userName, sizeof info.userName);
            PrintField("unit number:", info.unitNumber, sizeof info.unitNumber);
            PrintField("unit name:", info.unitName, sizeof info.unitName);
            printf("%-12s %d%%\n", "battery:", (int)battery);
        }
    } else {
        ok = 0;
    }

    Uninit_Device(NULL, &result);
    return ok ? 0 : 1;
}
