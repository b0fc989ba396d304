// The cameras the library finds, USB cameras before camera disks, and what tells
// them apart for the operator: carrier, bar code and serial number.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "camera.h"
#include "text_lookup.h"

struct FoundCamera {
    bool disk = false;
    int letter = 0;    // drive letter of a camera disk; 0 on USB
    int position = 0;  // place in its carrier's list
    QString node;      // the device node the library opens; empty when unknown
    QString serial;    // empty when unknown
    QString barCode;   // empty when unread
};

// Which of the library's lists are walked.
enum class Carriers {
    UsbElseDisks,  // the USB cameras; the camera disks only when there is none
    All,
    Disks,  // leaves the USB bus alone, where a connection may still hold a camera that left
};

// The library's list of USB cameras and its list of camera disks, as `carriers`
// asks; freed when this object ends.
class CameraEntries {
public:
    struct Entry {
        const DeviceListEntry* entry;
        FoundCamera camera;  // without its bar code, which takes a connection to read
    };

    CameraEntries(const Camera& library, Carriers carriers);
    // False when the library lacks an export that finding or connecting cameras needs.
    bool Usable() const { return m_usable; }
    ~CameraEntries();
    CameraEntries(const CameraEntries&) = delete;
    CameraEntries& operator=(const CameraEntries&) = delete;

    const std::vector<Entry>& Entries() const { return m_entries; }
    // The entry that stands for `camera` in this list, or null when it is gone.
    const Entry* Find(const FoundCamera& camera) const;

private:
    static constexpr int kListSize = 32;  // room for the longest list either export writes
    struct List {
        std::array<DeviceListEntry*, kListSize> items{};
        int count = 0;
    };
    void Add(const List& list, bool disk);

    const Camera& m_library;
    bool m_usable = false;
    List m_usb;
    List m_disks;
    std::vector<Entry> m_entries;
};

// Its carrier, "USB" or "camera disk E".
QString CarrierText(const FoundCamera& camera, const dialog::TextLookup& texts);
