// petrelctl battery and disk: what the camera has left.
#include "camera/session.h"
#include "commands/command_set.h"

namespace petrelctl {

int RunBattery(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    uint16_t percent = 0;
    if (const int status = GetBattery(session->get(), &percent); status != STATUS_OK) {
        return output.Fail("read battery", status);
    }
    output.Field("battery percent", percent);
    return 0;
}

int RunDisk(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    uint32_t totalMb = 0, freeMb = 0;
    if (const int status = GetDiskSpaceInfo(session->get(), &totalMb, &freeMb);
        status != STATUS_OK) {
        return output.Fail("read disk space", status);
    }
    int32_t locked = 0;
    if (const int status = GetLockMemoryState(session->get(), &locked); status != STATUS_OK) {
        return output.Fail("read storage lock", status);
    }
    output.Field("total MiB", totalMb);
    output.Field("free MiB", freeMb);
    output.Value("storage locked", locked ? "true" : "false", locked ? "yes" : "no");
    return 0;
}

}  // namespace petrelctl
