// petrelctl format, reset and mass-storage: actions that change what the camera is.
#include "camera/session.h"
#include "commands/command_set.h"
#include "commands/confirm.h"

namespace petrelctl {

int RunFormat(const Options& options, Output& output) {
    if (!Confirmed(options, "Format the camera's storage? Everything recorded is lost.", "format",
                   output))
        return 2;
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    if (const int status = FormatDisk(session->get()); status != STATUS_OK)
        return output.Fail("format", status);
    output.Value("formatted", "true", "yes");
    return 0;
}

int RunReset(const Options& options, Output& output) {
    if (!Confirmed(options, "Reset all settings to default?", "reset", output)) return 2;
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    if (const int status = ResetDevice(session->get()); status != STATUS_OK)
        return output.Fail("reset", status);
    output.Value("reset", "true", "yes");
    return 0;
}

int RunMassStorage(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    if (const int status = SetMSCMode(session->get()); status != STATUS_OK) {
        return output.Fail("mass-storage mode", status);
    }
    output.Value("mass storage", "true", "on (the camera now shows as a removable disk)");
    return 0;
}

}  // namespace petrelctl
