// petrelctl change-password: a new password for either login level.
#include <cstdlib>

#include "camera/session.h"
#include "commands/command_set.h"
#include "trail/operation_record.h"

namespace petrelctl {
namespace {

constexpr std::size_t kPasswordLength = 6;  // the camera's passwords are exactly this long

}  // namespace

int RunChangePassword(const Options& options, Output& output) {
    const std::string& level = options.arguments[0];
    if (level != "0" && level != "1")
        return output.Refuse("the level is 0 (general user) or 1 (administrator)");
    std::string password;
    if (options.arguments.size() > 1) {
        password = options.arguments[1];
    } else if (const char* text = std::getenv("PETREL_NEW_PASSWORD")) {
        password = text;
    } else {
        return output.Refuse("give the new password or set PETREL_NEW_PASSWORD");
    }
    if (password.size() != kPasswordLength)
        return output.Refuse("the new password must be exactly 6 characters");

    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    NoteSecretChange(level == "0" ? "general user password" : "administrator password");
    if (const int status = SetPassword(session->get(), password.c_str(), level[0] - '0');
        status != STATUS_OK) {
        return output.Fail("change password", status);
    }
    output.Field("level", level[0] - '0');
    output.Field("password", "changed");
    return 0;
}

}  // namespace petrelctl
