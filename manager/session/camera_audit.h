// Vireo's audit trail: one record per operation on the connected camera, saying who
// did it, from where, to which camera (as far as Vireo has read it), what changed and
// how it ended. Free of Qt, like the camera seam the windows reach it through.
#pragma once

#include <audit/audit.h>
#include <petrel.h>

#include <string>
#include <vector>

class Camera;

class CameraAudit {
public:
    // The camera as far as Vireo has read it; an empty text is not known.
    struct Identity {
        std::string barCode;
        std::string model;
        std::string firmware;
    };

    struct Operation {
        petrel::audit::Event event;
        std::string name;  // "apply settings", "format", "login as administrator", ...
        int status;        // the library's result
        std::vector<petrel::audit::Change> changes = {};
    };

    CameraAudit(const Camera& camera, std::string programVersion);

    // A new connection to the camera of `entry` as the library listed it: where it is
    // attached and its serial number. What was known of the previous camera is forgotten.
    void Connected(const DeviceListEntry* entry);
    // What a page read of the camera; texts left empty keep what was known.
    void Identified(const Identity& identity);

    // Records one operation where the administrator sends records. An export that is
    // missing reached no camera: nothing to record. False, with the reason in *error, when
    // the record could be written nowhere.
    bool Write(const Operation& operation, std::string* error) const;

private:
    std::string StatusName(int status) const;

    const Camera& m_camera;
    std::string m_version;
    std::string m_carrier;
    std::string m_location;
    std::string m_serial;
    Identity m_identity;
};
