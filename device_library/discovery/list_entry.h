// The record behind the public header's opaque list entry.
#pragma once

#include <cstdint>

#include "petrel.h"

struct usb_device;

enum EntryKind : int32_t { kUsbEntry = 0, kDiskEntry = 1 };

struct DeviceListEntry {
    struct usb_device* device;  // USB only
    PetrelEntryInfo info;       // where the camera was found, for PetrelGetEntryInfo
};

namespace petrel {

// True for an entry an enumeration export made and ReleaseList has not freed; decided by
// the address alone, so a released or made-up pointer is never read.
bool IsLiveEntry(const DeviceListEntry* entry);

}  // namespace petrel
