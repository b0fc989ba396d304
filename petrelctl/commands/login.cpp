// petrelctl login: has the camera check the password, nothing more.
#include "camera/session.h"
#include "commands/command_set.h"

namespace petrelctl {

int RunLogin(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAnyLevel);
    if (!session) return 1;
    output.Field("level", options.level);
    output.Field("user type",
                 options.level == PETREL_USER_ADMINISTRATOR ? "Administrator" : "General User");
    return 0;
}

}  // namespace petrelctl
