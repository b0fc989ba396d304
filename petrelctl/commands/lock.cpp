// petrelctl lock and unlock: the storage lock, keyed with the administrator password.
#include "camera/session.h"
#include "commands/command_set.h"

namespace petrelctl {
namespace {

int SetLock(const Options& options, Output& output, bool lock) {
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    const std::string password = LoginPassword(options).value_or("");
    if (const int status = SetLockMemoryState(session->get(), lock ? 1 : 0, password.c_str());
        status != STATUS_OK) {
        return output.Fail(lock ? "lock storage" : "unlock storage", status);
    }
    output.Value("storage locked", lock ? "true" : "false", lock ? "yes" : "no");
    return 0;
}

}  // namespace

int RunLock(const Options& options, Output& output) { return SetLock(options, output, true); }

int RunUnlock(const Options& options, Output& output) { return SetLock(options, output, false); }

}  // namespace petrelctl
