// The record behind the public header's opaque list entry.
#pragma once

#include <cstdint>

struct usb_device;

constexpr uint32_t kListEntryTag = 0xA1;

enum EntryKind : int32_t { kUsbEntry = 0, kDiskEntry = 1 };

struct DeviceListEntry {
    uint32_t tag;
    int32_t kind;
    int32_t driveLetter;
    struct usb_device* device;
};
