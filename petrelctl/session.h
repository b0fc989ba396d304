// An open connection to the camera the options name, closed when the session ends.
#pragma once

#include <optional>
#include <string>

#include "command.h"
#include "petrel.h"

namespace petrelctl {

class Session {
public:
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    Session(Session&& other) noexcept : connection_(other.connection_) { other.connection_ = nullptr; }

    // Connects the camera on options.drive, or the first camera found (USB before disk).
    // On failure the step and reason are recorded in output and nothing is returned.
    static std::optional<Session> Open(const Options& options, Output& output);

    DeviceConnection* get() const { return connection_; }

private:
    explicit Session(DeviceConnection* connection) : connection_(connection) {}
    DeviceConnection* connection_;
};

// Explains a camera that exists but whose device node this user may not open, or "".
std::string PermissionProblem();

}  // namespace petrelctl
