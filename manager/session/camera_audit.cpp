#include "camera_audit.h"

#include <cstring>
#include <utility>

#include "camera.h"

namespace {

constexpr const char* kProgram = "vireo";
constexpr int kDiskEntry = 1;  // PetrelEntryInfo::kind of a camera disk

template <std::size_t size>
std::string TextOf(const char (&text)[size]) {
    return std::string(text, strnlen(text, size));
}

// "E:" for a camera disk, "bus 1 device 4" on USB, else the node the library opens.
std::string LocationOf(const PetrelEntryInfo& info) {
    if (info.kind == kDiskEntry && info.driveLetter >= 'A' && info.driveLetter <= 'Z')
        return std::string(1, static_cast<char>(info.driveLetter)) + ":";
    if (info.kind != kDiskEntry && info.busNumber > 0 && info.deviceNumber > 0)
        return "bus " + std::to_string(info.busNumber) + " device " +
               std::to_string(info.deviceNumber);
    return TextOf(info.node);
}

void Keep(std::string& known, const std::string& read) {
    if (!read.empty()) known = read;
}

}  // namespace

CameraAudit::CameraAudit(const Camera& camera, std::string programVersion)
    : m_camera(camera), m_version(std::move(programVersion)) {}

void CameraAudit::Connected(const DeviceListEntry* entry) {
    m_carrier.clear();
    m_location.clear();
    m_serial.clear();
    m_identity = {};
    PetrelEntryInfo info{};
    const auto describe = PETREL_EXPORT(m_camera, PetrelGetEntryInfo);
    if (describe == nullptr || describe(entry, &info) != STATUS_OK) return;
    m_carrier = info.kind == kDiskEntry ? "disk" : "usb";
    m_location = LocationOf(info);
    m_serial = TextOf(info.serial);
}

void CameraAudit::Identified(const Identity& identity) {
    Keep(m_identity.barCode, identity.barCode);
    Keep(m_identity.model, identity.model);
    Keep(m_identity.firmware, identity.firmware);
}

std::string CameraAudit::StatusName(int status) const {
    const auto name = PETREL_EXPORT(m_camera, PetrelStatusName);
    const char* named = name != nullptr ? name(status) : nullptr;
    return named != nullptr ? named : "status " + std::to_string(status);
}

bool CameraAudit::Write(const Operation& operation, std::string* error) const {
    if (operation.status == kExportMissing) return true;
    petrel::audit::Record record =
        petrel::audit::NewRecord(operation.event, operation.name, kProgram, m_version);
    record.carrier = m_carrier;
    record.location = m_location;
    record.cameraSerial = m_serial;
    record.cameraBarCode = m_identity.barCode;
    record.cameraModel = m_identity.model;
    record.cameraFirmware = m_identity.firmware;
    record.changes = operation.changes;
    record.result = StatusName(operation.status);
    return petrel::audit::Writer(petrel::audit::ConfiguredDestination())
        .Write(std::move(record), error);
}
