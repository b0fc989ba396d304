// The records behind the opaque handles of the public header.
#pragma once

#include <usb.h>

#include <cstdint>

#include "platform/volume.h"

constexpr uint32_t kListEntryTag = 0xA1;

enum CarrierKind : int32_t { kUsbCarrier = 0, kDiskCarrier = 1 };

constexpr int32_t kNotVerified = -1;

struct DeviceListEntry {
    uint32_t tag;
    int32_t kind;
    int32_t driveLetter;
    struct usb_device* device;
};

struct DeviceConnection {
    int32_t carrierKind;
    int32_t verifiedLevel;
    int32_t driveLetter;
    usb_dev_handle* usbHandle;
    petrel::platform::VolumeHandle volume;
    uint8_t connectionKey[32];
    char modelCode[16];
    char barCode[32];
    char manufacturer[128];
    char product[128];
    char serialNumber[128];
};

namespace petrel {

inline bool HasCarrier(const DeviceConnection* connection) {
    return connection != nullptr && (connection->usbHandle != nullptr || connection->volume.IsOpen());
}

}  // namespace petrel
