// An open connection to the camera the options name, closed when the session ends.
#pragma once

#include <optional>
#include <string>

#include "camera/identity.h"
#include "commands/command.h"
#include "petrel.h"

namespace petrelctl {

class Session {
public:
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    Session(Session&& other) noexcept
        : connection_(other.connection_), identity_(std::move(other.identity_)) {
        other.connection_ = nullptr;
    }

    // Connects the camera on options.drive, or the first camera found (USB before disk).
    // On failure the step and reason are recorded in output and nothing is returned.
    static std::optional<Session> Open(const Options& options, Output& output);

    // As Open, then has the camera check the password of options.level. A missing
    // password or a level below `access` is refused before the camera is opened.
    static std::optional<Session> OpenVerified(const Options& options, Output& output,
                                               Access access);

    DeviceConnection* get() const { return connection_; }
    // Who the camera said it is when it was opened.
    const CameraIdentity& identity() const { return identity_; }

private:
    Session(DeviceConnection* connection, CameraIdentity identity)
        : connection_(connection), identity_(std::move(identity)) {}
    DeviceConnection* connection_;
    CameraIdentity identity_;
};

// The login password: --password (or what GatherPassword read), else the
// environment's PETREL_PASSWORD.
std::optional<std::string> LoginPassword(const Options& options);

// Reads the password of --password-file or --password-stdin into options.password, or,
// for a command that logs in with no password given, asks on the terminal. False, with
// `problem` saying why, when the password sources conflict or cannot be read.
bool GatherPassword(Options& options, bool logsIn, std::string& problem);

// Explains a camera that exists but whose device node this user may not open, or "".
std::string PermissionProblem();

}  // namespace petrelctl
