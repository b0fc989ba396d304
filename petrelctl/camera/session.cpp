#include "camera/session.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "camera/cameras.h"
#include "camera/identity.h"
#include "fleet/progress.h"
#include "io/password_input.h"
#include "trail/operation_record.h"

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;

// The first camera found, USB before disk; `where` says where it was found.
int ConnectFirst(DeviceConnection** connection, CameraRef& where) {
    std::array<DeviceListEntry*, kListCapacity> list{};
    int count = EnumDeviceList(list.data(), kListCapacity);
    if (count < 1) count = EnumStorageList(list.data(), 0);
    if (count < 1) return -1;
    Locate(list[0], where);
    const int status = ConnectDevice(list[0], connection);
    ReleaseList(list.data(), count);
    return status;
}

std::string LoginProblem(int status, int level) {
    const std::string name = PetrelStatusName(status);
    if (status == STATUS_NOT_VERIFIED) {
        return name + " (the camera rejected the " +
               (level == PETREL_USER_ADMINISTRATOR ? "administrator" : "general user") +
               " password)";
    }
    if (status == STATUS_PASSWORD_LOCKED)
        return name + " (too many wrong passwords; try again later)";
    return name;
}

}  // namespace

std::optional<std::string> LoginPassword(const Options& options) {
    if (options.password) return options.password;
    if (const char* text = std::getenv("PETREL_PASSWORD")) return std::string(text);
    return std::nullopt;
}

bool GatherPassword(Options& options, bool logsIn, std::string& problem) {
    if (options.password && options.passwordFile) {
        problem = "give the password one way: --password, --password-file or --password-stdin";
        return false;
    }
    if (options.passwordFile) {
        const bool stdinTaken = std::find(options.arguments.begin(), options.arguments.end(),
                                          "-") != options.arguments.end();
        if (*options.passwordFile == "-" && stdinTaken) {
            problem = "--password-stdin and a file on standard input (-) cannot share it";
            return false;
        }
        options.password = ReadPasswordFrom(*options.passwordFile, problem);
        return options.password.has_value();
    }
    if (logsIn && !LoginPassword(options)) {
        const char* level =
            options.level == PETREL_USER_ADMINISTRATOR ? "Administrator" : "General User";
        options.password = PromptPassword(std::string(level) + " password: ");
    }
    return true;
}

Session::~Session() { CloseDevice(connection_); }

std::optional<Session> Session::Open(const Options& options, Output& output) {
    DeviceConnection* connection = nullptr;
    CameraRef where = options.camera.value_or(CameraRef{});
    const int status =
        options.camera ? Connect(*options.camera, &connection) : ConnectFirst(&connection, where);
    if (status == STATUS_OK) {
        const CameraIdentity identity = ReadIdentity(connection, where);
        ReportIdentity(identity.serial, identity.barCode);
        NoteCamera(identity);
        return Session(connection, identity);
    }
    CloseDevice(connection);
    // A camera this user may not open is not found either: the first-camera path asks why.
    const std::string problem = options.camera && status < 0 ? "" : PermissionProblem();
    if (!problem.empty()) {
        output.FailWith("connect", problem, "PERMISSION_DENIED");
    } else if (status < 0) {
        output.FailWith("connect",
                        options.camera ? options.camera->Label() + " is gone"
                                       : "no camera found on USB or as a removable disk",
                        "NO_CAMERA");
    } else if (status == STATUS_VERSION_MISMATCH) {
        output.FailWith("connect",
                        "STATUS_VERSION_MISMATCH: the camera's firmware does not "
                        "speak interface API_1.0.8",
                        "STATUS_VERSION_MISMATCH");
    } else {
        output.Fail("connect", status);
    }
    return std::nullopt;
}

std::optional<Session> Session::OpenVerified(const Options& options, Output& output,
                                             Access access) {
    const auto password = LoginPassword(options);
    if (!password) {
        output.Refuse(
            "this command needs a login: give --password-file, --password-stdin or "
            "--password, set PETREL_PASSWORD, or run it on a terminal",
            "NEEDS_PASSWORD");
        return std::nullopt;
    }
    if (access == Access::kAdministrator && options.level != PETREL_USER_ADMINISTRATOR) {
        output.Refuse("this command needs the administrator level (--level 1)",
                      "NEEDS_ADMINISTRATOR");
        return std::nullopt;
    }
    auto session = Open(options, output);
    if (!session) return std::nullopt;
    if (const int status = VerifiPassword(session->get(), password->c_str(), options.level);
        status != STATUS_OK) {
        if (status == STATUS_NOT_VERIFIED || status == STATUS_PASSWORD_LOCKED) NoteLoginRefused();
        output.FailWith("login", LoginProblem(status, options.level), PetrelStatusName(status));
        return std::nullopt;
    }
    NoteLoggedIn();
    ReportStep("logged in");
    return session;
}

}  // namespace petrelctl
