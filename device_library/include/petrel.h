/* Petrel: device library for the body-worn camera.
 *
 * Flat C exports with undecorated names. Every integer-returning export of the
 * connection-based family returns one of the PETREL status codes below; outputs
 * are written only on STATUS_OK. Records and text buffers belong to the caller.
 * The library keeps working storage shared by all connections: callers must
 * serialise every call (one thread at a time). Nothing is logged or printed.
 */
#ifndef PETREL_H
#define PETREL_H

#include <stdint.h>

#if defined(__GNUC__)
#define PETREL_API __attribute__((visibility("default")))
#else
#define PETREL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ------------------------------------------------------ */

enum {
    STATUS_OK = 0,
    STATUS_FAILED = 1,            /* carrier failed, no valid reply, or the camera reported failure */
    STATUS_NO_CONNECTION = 2,     /* null handle, or a connection without a carrier */
    STATUS_BAD_ARGUMENT = 3,      /* null pointer or value out of range */
    STATUS_NOT_VERIFIED = 4,      /* needs a verified password; also a rejected password */
    STATUS_VERSION_MISMATCH = 5,  /* camera does not speak this interface version */
    STATUS_PASSWORD_LOCKED = 6,   /* camera refuses password checks for a while */
    STATUS_NOT_SUPPORTED = 7      /* export exists but performs nothing */
};

/* Name of a status ("STATUS_NO_CONNECTION") for messages and logs of callers.
 * Returns "STATUS_UNKNOWN" for a value that is not a status. */
PETREL_API const char* PetrelStatusName(int status);

/* ---- Opaque handles ---------------------------------------------------- */

/* One found camera, allocated by the enumeration exports, freed by ReleaseList. */
typedef struct DeviceListEntry DeviceListEntry;
/* An open connection, from ConnectDevice or ConnectStorageDevice, freed by CloseDevice. */
typedef struct DeviceConnection DeviceConnection;

/* ---- Discovery and connections ----------------------------------------- */

/* Finds USB cameras and stores up to max(capacity, 1) (at most 32) entries in list.
 * Returns the number found; with a null list nothing is allocated. */
PETREL_API int EnumDeviceList(DeviceListEntry** list, int capacity);

/* Finds camera disks among drive letters D..Y; list needs room for 22 entries (or null).
 * Returns the number found; the second argument is ignored. */
PETREL_API int EnumStorageList(DeviceListEntry** list, int ignored);

/* Frees list[0..count-1] and sets each slot to null. Always returns 0. */
PETREL_API int ReleaseList(DeviceListEntry** list, int count);

/* Drive letter (character code) of a disk entry; 0 for a USB entry or an invalid one. */
PETREL_API int GetStorageDisk(const DeviceListEntry* entry);

/* Drive letter (character code) of a disk connection; 0 for USB or a null handle. */
PETREL_API int GetStorageID(const DeviceConnection* connection);

/* Writes the volume name of drive `letter` (low byte) into out (>= 260 bytes) and takes
 * the disk away from the file system. Returns 0 on success, 1 on failure. */
PETREL_API int StorageToVolumeName(int letter, char* out);

/* Opens a connection on a list entry and stores it in *connection.
 * STATUS_OK; STATUS_VERSION_MISMATCH with the connection stored (caller closes it);
 * STATUS_FAILED when the entry is invalid or the camera cannot be opened. */
PETREL_API int ConnectDevice(const DeviceListEntry* entry, DeviceConnection** connection);

/* As ConnectDevice, on the camera disk of drive `letter` (low byte). */
PETREL_API int ConnectStorageDevice(int letter, DeviceConnection** connection);

/* Closes and frees a connection (null is allowed). Always returns 0. */
PETREL_API int CloseDevice(DeviceConnection* connection);

/* Copies the USB string descriptors read at connect time into three 32-byte buffers.
 * STATUS_OK; STATUS_FAILED for a null handle or a connection without USB handle. */
PETREL_API int GetDescriptorString(const DeviceConnection* connection, char* manufacturer,
                                   char* product, char* serial);

/* Firmware version text into out (>= 48 bytes; 47 are written). No password needed. */
PETREL_API int GetDeviceVersion(DeviceConnection* connection, char* out);

/* Restores the camera's default settings. Needs a verified password. */
PETREL_API int ResetDevice(DeviceConnection* connection);

/* Model identifier text into out (>= 32 bytes). No password needed. */
PETREL_API int GetModelID(DeviceConnection* connection, char* out);

/* Bar code text into out (>= 32 bytes). No password needed. */
PETREL_API int GetBarCode(DeviceConnection* connection, char* out);

/* Tells the camera which kind of host talks to it (1 = this manager). */
PETREL_API int SetSystemType(DeviceConnection* connection, int type);

/* @@COMMAND_SET@@ */

#ifdef __cplusplus
}
#endif

#endif /* PETREL_H */
