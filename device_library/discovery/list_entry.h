// The record behind the public header's opaque list entry.
#pragma once

#include <cstdint>

#include "petrel.h"

struct usb_device;

constexpr uint32_t kListEntryTag = 0xA1;

enum EntryKind : int32_t { kUsbEntry = 0, kDiskEntry = 1 };

struct DeviceListEntry {
    uint32_t tag;
    struct usb_device* device;  // USB only
    PetrelEntryInfo info;       // where the camera was found, for PetrelGetEntryInfo
};
