#include "camera_list.h"

#include <QStringList>
#include <algorithm>

#include "text8.h"

namespace {

constexpr const char* kSection = "Default";  // shared by the login and the main window

// The library's exports over a connection of our own, not the application's.
class BorrowedConnection final : public Camera {
public:
    BorrowedConnection(const Camera& library, DeviceConnection* connection)
        : m_library(library), m_connection(connection) {}
    void* LookUpExport(const char* name) const override { return m_library.LookUpExport(name); }
    DeviceConnection* Connection() const override { return m_connection; }

private:
    const Camera& m_library;
    DeviceConnection* m_connection;
};

}  // namespace

CameraEntries::CameraEntries(const Camera& library, bool allCarriers) : m_library(library) {
    auto* enumDevices = PETREL_EXPORT(library, EnumDeviceList);
    auto* enumStorage = PETREL_EXPORT(library, EnumStorageList);
    m_usable = enumDevices != nullptr && enumStorage != nullptr &&
               PETREL_EXPORT(library, ConnectDevice) != nullptr;
    if (!m_usable) return;
    // A count beyond the items would make the release run past them.
    m_usb.count = std::clamp(enumDevices(m_usb.items.data(), kListSize), 0, kListSize);
    Add(m_usb, false);
    if (allCarriers || m_usb.count == 0) {
        m_disks.count = std::clamp(enumStorage(m_disks.items.data(), 0), 0, kListSize);
        Add(m_disks, true);
    }
}

CameraEntries::~CameraEntries() {
    auto* release = PETREL_EXPORT(m_library, ReleaseList);
    if (release == nullptr) return;
    for (List* list : {&m_usb, &m_disks})
        if (list->count > 0) release(list->items.data(), list->count);
}

void CameraEntries::Add(const List& list, bool disk) {
    auto* entryInfo = PETREL_EXPORT(m_library, PetrelGetEntryInfo);
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

void ReadIdentity(const Camera& library, DeviceConnection* connection, FoundCamera& camera) {
    const BorrowedConnection probe(library, connection);
    std::array<char, 64> barCode{};
    if (PETREL_CALL(probe, GetBarCode, barCode.data()) == STATUS_OK)
        camera.barCode = dialog::FromText8(barCode.data(), barCode.size());
    if (!camera.serial.isEmpty()) return;
    // USB only: a camera disk's connection has no descriptors and says so.
    auto* descriptors = PETREL_EXPORT(library, GetDescriptorString);
    std::array<char, 33> manufacturer{}, product{}, serial{};
    if (descriptors != nullptr &&
        descriptors(connection, manufacturer.data(), product.data(), serial.data()) == STATUS_OK)
        camera.serial = dialog::FromText8(serial.data(), serial.size());
}

std::vector<FoundCamera> ListCameras(const Camera& library) {
    const CameraEntries entries(library, true);
    std::vector<FoundCamera> cameras;
    auto* connect = PETREL_EXPORT(library, ConnectDevice);
    auto* close = PETREL_EXPORT(library, CloseDevice);
    for (const auto& [entry, found] : entries.Entries()) {
        FoundCamera camera = found;
        // One camera needs no telling apart: the login then looks and acts as it always did.
        DeviceConnection* connection = nullptr;
        if (entries.Entries().size() > 1 && connect != nullptr && close != nullptr) {
            const int status = connect(entry, &connection);
            if (status == STATUS_OK) ReadIdentity(library, connection, camera);
            if (connection != nullptr)
                close(connection);  // also after a refusal that handed one over
        }
        cameras.push_back(camera);
    }
    return cameras;
}

QString CarrierText(const FoundCamera& camera, const dialog::TextLookup& texts) {
    if (!camera.disk) return texts(kSection, "CarrierUsb", QStringLiteral("USB"));
    const QString letter = camera.letter > ' ' && camera.letter < 0x7F
                               ? QString(QChar(camera.letter))
                               : QStringLiteral("?");
    return texts(kSection, "CarrierDisk", QStringLiteral("camera disk %1")).arg(letter);
}

QString CameraSummary(const FoundCamera& camera, const dialog::TextLookup& texts,
                      const QString& userName) {
    QStringList parts{CarrierText(camera, texts)};
    for (const QString& part : {camera.barCode, camera.serial, userName})
        if (!part.isEmpty()) parts << part;
    return parts.join(QStringLiteral(" \u00B7 "));
}
