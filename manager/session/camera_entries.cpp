#include "camera_entries.h"

#include <algorithm>

#include "text8.h"

namespace {

constexpr const char* kSection = "Default";  // shared by the login, the main window and the pages

}  // namespace

CameraEntries::CameraEntries(const Camera& library, Carriers carriers) : m_library(library) {
    const auto enumDevices = PETREL_EXPORT(library, EnumDeviceList);
    const auto enumStorage = PETREL_EXPORT(library, EnumStorageList);
    m_usable = enumDevices != nullptr && enumStorage != nullptr &&
               PETREL_EXPORT(library, ConnectDevice) != nullptr;
    if (!m_usable) return;
    // A count beyond the items would make the release run past them.
    if (carriers != Carriers::Disks) {
        m_usb.count = std::clamp(enumDevices(m_usb.items.data(), kListSize), 0, kListSize);
        Add(m_usb, false);
    }
    if (carriers != Carriers::UsbElseDisks || m_usb.count == 0) {
        m_disks.count = std::clamp(enumStorage(m_disks.items.data(), 0), 0, kListSize);
        Add(m_disks, true);
    }
}

CameraEntries::~CameraEntries() {
    const auto release = PETREL_EXPORT(m_library, ReleaseList);
    if (release == nullptr) return;
    for (List* list : {&m_usb, &m_disks})
        if (list->count > 0) release(list->items.data(), list->count);
}

void CameraEntries::Add(const List& list, bool disk) {
    const auto entryInfo = PETREL_EXPORT(m_library, PetrelGetEntryInfo);
    for (int i = 0; i < list.count; ++i) {
        const DeviceListEntry* entry = list.items[static_cast<std::size_t>(i)];
        FoundCamera camera;
        camera.disk = disk;
        camera.position = i;
        PetrelEntryInfo info{};
        if (entryInfo != nullptr && entryInfo(entry, &info) == STATUS_OK) {
            camera.letter = info.driveLetter;
            camera.node = dialog::FromText8(info.node, sizeof info.node);
            camera.serial = dialog::FromText8(info.serial, sizeof info.serial);
        }
        m_entries.push_back({entry, camera});
    }
}

const CameraEntries::Entry* CameraEntries::Find(const FoundCamera& camera) const {
    // By its node while it stays plugged in; by its place only when the library cannot say.
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        const FoundCamera& listed = entry.camera;
        return listed.disk == camera.disk &&
               (camera.node.isEmpty() ? listed.position == camera.position
                                      : listed.node == camera.node);
    });
    return found != m_entries.end() ? &*found : nullptr;
}

QString CarrierText(const FoundCamera& camera, const dialog::TextLookup& texts) {
    if (!camera.disk) return texts(kSection, "CarrierUsb", QStringLiteral("USB"));
    const QString letter = camera.letter > ' ' && camera.letter < 0x7F
                               ? QString(QChar(camera.letter))
                               : QStringLiteral("?");
    return texts(kSection, "CarrierDisk", QStringLiteral("camera disk %1")).arg(letter);
}
