// One subcommand of petrelctl.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audit/audit.h"
#include "camera/camera_ref.h"
#include "io/output.h"

namespace petrelctl {

struct Profile;

struct Options {
    bool json = false;
    bool assumeYes = false;
    bool dryRun = false;
    bool force = false;                       // backup replaces an existing file
    bool includeSecrets = false;              // backup writes passwords and keys
    bool showSecrets = false;                 // shown records include passwords and keys
    bool syncClock = false;                   // apply also sets the camera's clock; watch sets it
    std::optional<std::string> applyProfile;  // watch applies it to every camera
    std::shared_ptr<const Profile> profile;   // apply's, restore's or watch's, once checked
    bool all = false;
    std::vector<std::string> selectors;       // --camera and --drive, as typed
    std::optional<CameraRef> camera;          // the one camera to open; none: the first found
    bool several = false;                     // the command runs on more than one camera
    int level = 1;                            // login level: 0 general user, 1 administrator
    std::optional<std::string> password;      // --password, or read by GatherPassword
    std::optional<std::string> passwordFile;  // --password-file; "-" for --password-stdin
    std::optional<std::string> since, until;  // history: the times it is limited to
    std::optional<std::string> offloadTo;     // watch offloads every camera to this folder
    bool formatAfter = false;                 // offload formats once every file is verified
    int jobs = 0;                             // cameras at once; 0: the command's own bound
    std::vector<std::string> arguments;
};

// The login level a command needs.
enum class Access { kAnyLevel, kAdministrator };

struct Command {
    const char* name;   // one or two words, e.g. "settings set"
    const char* usage;  // arguments after the name, for the help text
    const char* summary;
    int minArguments;
    int maxArguments;                                    // -1: no limit
    int (*run)(const Options& options, Output& output);  // process exit status
    // Checks the arguments before any camera is opened; null when there are none to check.
    // It may keep what it read in `options` for run (a checked profile).
    int (*check)(Options& options, Output& output) = nullptr;
    bool perCamera = true;  // false: the command looks at every camera itself
    bool logsIn = true;     // false: the command never asks for a password
    // What the command does to its camera, for the audit trail; none for a command that
    // only reads (a refused password is recorded whatever the command).
    std::optional<petrel::audit::Event> recorded = std::nullopt;
    int jobs = 0;  // cameras worked on at once by default; 0: all
};

// Every subcommand, in the order the help text lists them.
const std::vector<Command>& Commands();

// The command whose words begin `words` (the longest such name), or null; its words
// are taken off the front of `words`.
const Command* FindCommand(std::vector<std::string>& words);

}  // namespace petrelctl
