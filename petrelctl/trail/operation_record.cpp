#include "trail/operation_record.h"

#include <algorithm>
#include <iostream>

#include "utf8_text.h"

namespace petrelctl {
namespace {

using petrel::audit::Change;
using petrel::audit::Event;

struct Gathered {
    CameraIdentity camera;
    bool loggedIn = false;
    bool loginRefused = false;
    std::vector<Change> changes;
    std::optional<bool> readBackAgreed;
};

// One command on one camera per process: workers are forked before they open theirs.
Gathered gathered;

// A change command that changed only secrets is a secret change.
Event EventOf(const Command& command) {
    if (gathered.loginRefused) return Event::kLoginRefused;
    const bool onlySecrets = !gathered.changes.empty() &&
                             std::all_of(gathered.changes.begin(), gathered.changes.end(),
                                         [](const Change& change) { return change.secret; });
    return *command.recorded == Event::kChange && onlySecrets ? Event::kSecretChange
                                                              : *command.recorded;
}

bool Performed(const Command& command) {
    if (gathered.loginRefused) return true;
    if (!command.recorded || !gathered.loggedIn) return false;
    return *command.recorded != Event::kChange || !gathered.changes.empty();
}

}  // namespace

void NoteCamera(const CameraIdentity& camera) { gathered.camera = camera; }

void NoteLoggedIn() { gathered.loggedIn = true; }

void NoteLoginRefused() { gathered.loginRefused = true; }

void NoteChange(const std::string& field, const std::string& oldValue,
                const std::string& newValue) {
    gathered.changes.push_back(Change::Value(field, oldValue, newValue));
}

void NoteSecretChange(const std::string& field) {
    gathered.changes.push_back(Change::Secret(field));
}

void NoteReadBack(bool agreed) {
    gathered.readBackAgreed = gathered.readBackAgreed.value_or(true) && agreed;
}

int RunRecorded(const Command& command, const Options& options, Output& output) {
    const int failed = command.run(options, output);
    const int status = std::max(failed, output.Finish());
    if (!Performed(command)) return status;
    const std::string operation = gathered.loginRefused ? "login" : command.name;
    auto record =
        petrel::audit::NewRecord(EventOf(command), operation, "petrelctl", PETRELCTL_VERSION);
    const CameraIdentity& camera = gathered.camera;
    record.carrier = camera.carrier;
    record.location = camera.location;
    record.cameraSerial = camera.serial;
    record.cameraBarCode = camera.barCode;
    record.cameraModel = camera.model;
    record.cameraFirmware = camera.firmware;
    record.changes = gathered.changes;
    record.result = output.Code().empty() ? "STATUS_OK" : output.Code();
    record.readBackAgreed = gathered.readBackAgreed;
    std::string error;
    if (petrel::audit::Writer(petrel::audit::ConfiguredDestination()).Write(std::move(record), &error)) return status;
    std::cerr << "petrelctl: the audit record of " << operation << " on camera "
              << fields::Printable(camera.serial)
              << " could not be written: " << fields::Printable(error) << "\n";
    return 1;
}

}  // namespace petrelctl
