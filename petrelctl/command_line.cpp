#include "command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iostream>
#include <sstream>

#include "camera/cameras.h"
#include "records/records.h"

namespace petrelctl {
namespace {

enum LongOnly {
    kIncludeSecrets = 256,
    kShowSecrets,
    kSyncClock,
    kApply,
    kPasswordFile,
    kPasswordStdin,
    kPassword,
    kSince,
    kUntil,
    kOffload,
    kFormatAfter,
    kJobs,
};

const option kOptions[] = {
    {"json", no_argument, nullptr, 'j'},
    {"all", no_argument, nullptr, 'a'},
    {"camera", required_argument, nullptr, 'c'},
    {"drive", required_argument, nullptr, 'd'},
    {"dry-run", no_argument, nullptr, 'n'},
    {"include-secrets", no_argument, nullptr, kIncludeSecrets},
    {"force", no_argument, nullptr, 'f'},
    {"show-secrets", no_argument, nullptr, kShowSecrets},
    {"sync-clock", no_argument, nullptr, kSyncClock},
    {"apply", required_argument, nullptr, kApply},
    {"level", required_argument, nullptr, 'l'},
    {"password-file", required_argument, nullptr, kPasswordFile},
    {"password-stdin", no_argument, nullptr, kPasswordStdin},
    {"password", required_argument, nullptr, kPassword},
    {"since", required_argument, nullptr, kSince},
    {"until", required_argument, nullptr, kUntil},
    {"offload", required_argument, nullptr, kOffload},
    {"format-after", no_argument, nullptr, kFormatAfter},
    {"jobs", required_argument, nullptr, kJobs},
    {"yes", no_argument, nullptr, 'y'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};
// A leading ':' has getopt report a missing value apart from an unknown option.
constexpr const char* kShortOptions = ":jac:d:nfl:yhV";

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Takes in one option; false with `problem` when its value is refused.
bool Take(int code, const char* value, CommandLine& line, std::string& problem) {
    Options& options = line.options;
    switch (code) {
        case 'j':
            options.json = true;
            break;
        case 'a':
            options.all = true;
            break;
        case 'n':
            options.dryRun = true;
            break;
        case 'f':
            options.force = true;
            break;
        case 'y':
            options.assumeYes = true;
            break;
        case 'h':
            line.help = true;
            break;
        case 'V':
            line.version = true;
            break;
        case kIncludeSecrets:
            options.includeSecrets = true;
            break;
        case kShowSecrets:
            options.showSecrets = true;
            break;
        case kSyncClock:
            options.syncClock = true;
            break;
        case kApply:
            options.applyProfile = value;
            break;
        case kPasswordFile:
            options.passwordFile = value;
            break;
        case kPasswordStdin:
            options.passwordFile = "-";
            break;
        case kPassword:
            options.password = value;
            break;
        case kSince:
            options.since = value;
            break;
        case kUntil:
            options.until = value;
            break;
        case kOffload:
            options.offloadTo = value;
            break;
        case kFormatAfter:
            options.formatAfter = true;
            break;
        case kJobs: {
            const std::string jobs = value;
            if (jobs.empty() || jobs.size() > 2 ||
                jobs.find_first_not_of("0123456789") != std::string::npos || std::stoi(jobs) < 1) {
                problem = "--jobs takes a number from 1 to 99";
                return false;
            }
            options.jobs = std::stoi(jobs);
            break;
        }
        case 'd':
        case 'c': {
            std::string selector = code == 'd' ? "drive:" + UpperCase(value) : value;
            if (selector.starts_with("drive:")) selector = "drive:" + UpperCase(selector.substr(6));
            if (!ValidSelector(selector)) {
                problem = code == 'd' ? "--drive takes a letter from D to Y"
                                      : "--camera takes a serial number, a bar code, usb:N, "
                                        "usb:BUS/DEVICE or drive:D";
                return false;
            }
            options.selectors.push_back(selector);
            break;
        }
        case 'l':
            if (std::string(value) != "0" && std::string(value) != "1") {
                problem = "--level takes 0 or 1";
                return false;
            }
            options.level = value[0] - '0';
            break;
    }
    return true;
}

// The option as the user typed it, for a complaint.
std::string Typed(int argc, char** argv, int unknown) {
    if (unknown != 0) return std::string("-") + static_cast<char>(unknown);
    const int at = std::min(optind, argc) - 1;
    return at >= 0 ? argv[at] : "";
}

std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string FirstWord(const char* name) {
    const std::string text = name;
    return text.substr(0, text.find(' '));
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& problem) {
    CommandLine line;
    opterr = 0;
    optind = 1;
    for (int code; (code = getopt_long(argc, argv, kShortOptions, kOptions, nullptr)) != -1;) {
        if (code == '?') {
            problem = "unknown option " + Typed(argc, argv, optopt);
            return std::nullopt;
        }
        if (code == ':') {
            problem = "option " + Typed(argc, argv, 0) + " needs a value";
            return std::nullopt;
        }
        if (!Take(code, optarg, line, problem)) return std::nullopt;
    }
    line.words.assign(argv + optind, argv + argc);
    return line;
}

void BlankPasswords(int argc, char** argv, const std::vector<std::string>& passwords) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        char* value = argv[i];
        if (argument.starts_with("--password=")) value += std::strlen("--password=");
        if (std::find(passwords.begin(), passwords.end(), value) == passwords.end()) continue;
        std::memset(value, 'x', std::strlen(value));
    }
}

std::vector<std::string> AllOptions() {
    std::vector<std::string> options;
    for (const option* o = kOptions; o->name != nullptr; ++o)
        options.push_back(std::string("--") + o->name);
    return options;
}

std::vector<std::string> ValueOptions() {
    std::vector<std::string> options;
    for (const option* o = kOptions; o->name != nullptr; ++o) {
        if (o->has_arg == required_argument) options.push_back(std::string("--") + o->name);
    }
    return options;
}

void PrintHelp() {
    std::cout
        << "Usage: petrelctl [OPTIONS] COMMAND [ARGS...]\n"
           "       petrelctl help COMMAND\n\n"
           "  -j, --json             print one JSON object instead of text (JSON Lines with\n"
           "                         several cameras)\n"
           "  -a, --all              run on every camera found, one process per camera\n"
           "  -c, --camera WHICH     run on the camera WHICH names: its serial number, its\n"
           "                         bar code, usb:N (the Nth USB camera), usb:BUS/DEVICE\n"
           "                         (usb:001/005) or drive:D; repeatable. Without --all or\n"
           "                         --camera the first camera found is used (USB first)\n"
           "  -d, --drive LETTER     the same as --camera drive:LETTER (D..Y)\n"
           "  -n, --dry-run          restore and apply show what would change, write nothing\n"
           "      --include-secrets  backup keeps passwords, keys and the pairing code (the\n"
           "                         file gets mode 0600)\n"
           "  -f, --force            backup replaces an existing FILE (never one in a DIR)\n"
           "      --show-secrets     show the passwords and keys the camera reports\n"
           "      --sync-clock       apply and watch set the camera's clock to this computer's\n"
           "      --apply PROFILE    watch applies PROFILE to every camera plugged in\n"
           "  -l, --level 0|1        log in as general user (0) or administrator (1, default)\n"
           "      --password-file FILE  read the login password from the first line of FILE\n"
           "                         (for a service: a systemd credential file)\n"
           "      --password-stdin   read the login password from standard input\n"
           "      --password TEXT    login password; other users see it in ps, so prefer the\n"
           "                         two above. Without any of them PETREL_PASSWORD is used,\n"
           "                         else a command that logs in asks on the terminal\n"
           "      --since TIME, --until TIME  history shows only records from or until TIME\n"
           "                         (YYYY-MM-DD [HH:MM[:SS]], local time)\n"
           "      --offload DEST     watch offloads every camera plugged in to DEST\n"
           "      --format-after     offload formats the camera once every file of it is\n"
           "                         copied and verified (never otherwise)\n"
           "      --jobs N           cameras worked on at once (offload: 2; else all)\n"
           "  -y, --yes              confirm destructive commands without asking\n"
           "  -h, --help             show this help, or with a command that command's\n"
           "  -V, --version          show the version\n\n"
           "Options may also follow the command; \"--\" ends them. Commands that change\n"
           "the camera need the administrator level, except clock sync and mass-storage.\n"
           "Every change to a camera, and every refused password, is recorded in the\n"
           "system journal (else in a JSON Lines file); petrelctl history shows it.\n\n"
           "Commands:\n";
    for (const auto& command : Commands()) {
        std::string line = std::string("  ") + command.name + " " + command.usage;
        line.resize(std::max<size_t>(line.size() + 1, 34), ' ');
        std::cout << line << command.summary << "\n";
    }
}

void PrintCommandHelp(const Command& command) {
    std::cout << "Usage: petrelctl [OPTIONS] " << command.name
              << (*command.usage != '\0' ? " " : "") << command.usage << "\n\n"
              << command.summary << "\n";
    const std::string name = command.name;
    if (!name.ends_with(" set")) return;
    const std::string group = name.substr(0, name.size() - 4);
    const auto fields = SettableFieldNames(group);
    if (fields.empty()) return;
    std::cout << "\nFields (NAME=VALUE; petrelctl " << group << " shows their values):\n";
    for (const auto& field : fields) std::cout << "  " << field << "\n";
}

std::string DidYouMean(const std::string& typed) {
    std::string best;
    std::size_t bestDistance = 3;  // more than two edits away is no typo
    for (const auto& command : Commands()) {
        const std::string word = FirstWord(command.name);
        if (const std::size_t distance = Distance(typed, word); distance < bestDistance) {
            best = word;
            bestDistance = distance;
        }
    }
    return best.empty() ? "" : "; did you mean " + best + "?";
}

}  // namespace petrelctl
