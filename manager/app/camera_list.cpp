#include "camera_list.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "text8.h"

namespace {

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

void ReadIdentity(const Camera& library, DeviceConnection* connection, FoundCamera& camera) {
    const BorrowedConnection probe(library, connection);
    std::array<char, 64> barCode{};
    if (PETREL_CALL(probe, GetBarCode, barCode.data()) == STATUS_OK)
        camera.barCode = dialog::FromText8(barCode.data(), barCode.size());
    if (!camera.serial.isEmpty()) return;
    // USB only: a camera disk's connection has no descriptors and says so.
    const auto descriptors = PETREL_EXPORT(library, GetDescriptorString);
    std::array<char, 33> manufacturer{}, product{}, serial{};
    if (descriptors != nullptr &&
        descriptors(connection, manufacturer.data(), product.data(), serial.data()) == STATUS_OK)
        camera.serial = dialog::FromText8(serial.data(), serial.size());
}

std::vector<FoundCamera> ListCameras(const Camera& library, const std::vector<FoundCamera>& known) {
    const CameraEntries entries(library, Carriers::All);
    std::vector<FoundCamera> cameras;
    const auto connect = PETREL_EXPORT(library, ConnectDevice);
    const auto close = PETREL_EXPORT(library, CloseDevice);
    for (const auto& [entry, found] : entries.Entries()) {
        FoundCamera camera = found;
        // A camera still on the node it was read on keeps what was read: no new connection.
        const auto before = std::find_if(known.begin(), known.end(), [&](const FoundCamera& k) {
            return !k.node.isEmpty() && k.node == camera.node && k.disk == camera.disk;
        });
        if (before != known.end() && !before->barCode.isEmpty()) camera = *before;
        // One camera needs no telling apart: the login then looks and acts as it always did.
        DeviceConnection* connection = nullptr;
        if (camera.barCode.isEmpty() && entries.Entries().size() > 1 && connect != nullptr &&
            close != nullptr) {
            const int status = connect(entry, &connection);
            if (status == STATUS_OK) ReadIdentity(library, connection, camera);
            if (connection != nullptr)
                close(connection);  // also after a refusal that handed one over
        }
        cameras.push_back(camera);
    }
    return cameras;
}

QString CameraSummary(const FoundCamera& camera, const dialog::TextLookup& texts,
                      const QString& userName) {
    QStringList parts{CarrierText(camera, texts)};
    for (const QString& part : {camera.barCode, camera.serial, userName})
        if (!part.isEmpty()) parts << part;
    return parts.join(QStringLiteral(" \u00B7 "));
}
