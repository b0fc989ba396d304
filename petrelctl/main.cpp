// petrelctl: administer a body-worn camera from the command line or a script.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>
#include <string>

#include "camera/cameras.h"
#include "camera/session.h"
#include "commands/command.h"
#include "commands/completion.h"
#include "fleet/fleet.h"

namespace {

void PrintHelp() {
    std::cout
        << "Usage: petrelctl [OPTIONS] COMMAND [ARGS...]\n\n"
           "  --json            print one JSON object instead of text\n"
           "  --all             run on every camera found, one process per camera\n"
           "  --camera WHICH    run on the camera WHICH names: its serial number, its bar\n"
           "                    code, usb:N (the Nth USB camera), usb:BUS/DEVICE\n"
           "                    (usb:001/005) or drive:D; repeatable.\n"
           "                    Without --all or --camera the first camera found is used\n"
           "                    (USB cameras come first)\n"
           "  --drive LETTER    the same as --camera drive:LETTER (D..Y)\n"
           "  --dry-run         restore and apply show what would change and write nothing\n"
           "  --include-secrets backup keeps passwords and keys (the file gets mode 0600)\n"
           "  --show-secrets    show the passwords and keys the camera reports\n"
           "  --sync-clock      apply and watch set the camera's clock to this computer's\n"
           "  --apply PROFILE   watch applies PROFILE to every camera plugged in\n"
           "  --level 0|1       log in as general user (0) or administrator (1, the default)\n"
           "  --password-file FILE  read the login password from the first line of FILE\n"
           "                    (for a service: a systemd credential file)\n"
           "  --password-stdin  read the login password from standard input\n"
           "  --password TEXT   login password; other users see it in ps, prefer the two above\n"
           "                    Without any of them PETREL_PASSWORD is used, else a command\n"
           "                    that logs in asks on the terminal\n"
           "  --yes             confirm destructive commands without asking\n"
           "  --version         show the version and exit\n\n"
           "Options may also follow the command; \"--\" ends them. Commands that change\n"
           "the camera need the administrator level, except clock sync and mass-storage.\n\n"
           "commands:\n";
    for (const auto& command : petrelctl::Commands()) {
        std::string line = std::string("  ") + command.name + " " + command.usage;
        line.resize(std::max<size_t>(line.size() + 1, 34), ' ');
        std::cout << line << command.summary << "\n";
    }
    std::cout << "\nExit status 0 on success; 1 when a step failed, with the step and the status\n"
                 "name printed to standard error (or as \"error\" in JSON); 2 for input refused\n"
                 "before anything was sent to the camera.\n";
}

int Usage(const std::string& problem) {
    std::cerr << "petrelctl: " << problem << " (see --help)\n";
    return 2;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

const std::map<std::string, bool petrelctl::Options::*> kFlags = {
    {"--json", &petrelctl::Options::json},
    {"--yes", &petrelctl::Options::assumeYes},
    {"--all", &petrelctl::Options::all},
    {"--dry-run", &petrelctl::Options::dryRun},
    {"--include-secrets", &petrelctl::Options::includeSecrets},
    {"--show-secrets", &petrelctl::Options::showSecrets},
    {"--sync-clock", &petrelctl::Options::syncClock},
};

// The options that take the next word as their value, as ParseOptions reads them.
const std::vector<std::string> kValueOptions = {"--drive",    "--camera",        "--level",
                                                "--password", "--password-file", "--apply"};

std::vector<std::string> AllOptions() {
    std::vector<std::string> options = kValueOptions;
    for (const auto& flag : kFlags) options.push_back(flag.first);
    options.push_back("--password-stdin");
    options.push_back("--help");
    options.push_back("--version");
    return options;
}

// Parses the options wherever they stand; the other words are left in `words`.
// Returns an exit status when the process should stop now.
std::optional<int> ParseOptions(int argc, char** argv, petrelctl::Options& options,
                                std::vector<std::string>& words) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            words.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (const auto flag = kFlags.find(arg); flag != kFlags.end()) {
            options.*(flag->second) = true;
        } else if (arg == "--drive" && hasValue) {
            const std::string selector = std::string("drive:") + UpperCase(argv[++i]);
            if (!petrelctl::ValidSelector(selector))
                return Usage("--drive takes a letter from D to Y");
            options.selectors.push_back(selector);
        } else if (arg == "--camera" && hasValue) {
            std::string selector = argv[++i];
            if (selector.starts_with("drive:")) selector = "drive:" + UpperCase(selector.substr(6));
            if (!petrelctl::ValidSelector(selector))
                return Usage(
                    "--camera takes a serial number, a bar code, usb:N, usb:BUS/DEVICE or drive:D");
            options.selectors.push_back(selector);
        } else if (arg == "--level" && hasValue) {
            const std::string level = argv[++i];
            if (level != "0" && level != "1") return Usage("--level takes 0 or 1");
            options.level = level[0] - '0';
        } else if (arg == "--apply" && hasValue) {
            options.applyProfile = argv[++i];
        } else if (arg == "--password" && hasValue) {
            options.password = argv[++i];
        } else if (arg == "--password-file" && hasValue) {
            options.passwordFile = argv[++i];
        } else if (arg == "--password-stdin") {
            options.passwordFile = "-";
        } else if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        } else if (arg == "--version") {
            std::cout << "petrelctl " PETRELCTL_VERSION "\n";
            return 0;
        } else {
            return Usage("unknown option " + arg);
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    // Hidden: the shell's completion asks what may follow the words typed so far.
    if (argc > 1 && std::string(argv[1]) == "__complete") {
        petrelctl::PrintCompletions(std::vector<std::string>(argv + 2, argv + argc), AllOptions(),
                                    kValueOptions);
        return 0;
    }
    petrelctl::Options options;
    std::vector<std::string> words;
    if (const auto stop = ParseOptions(argc, argv, options, words)) return *stop;
    if (words.empty()) {
        PrintHelp();
        return 2;
    }
    const std::string typed = words.front();
    const petrelctl::Command* command = petrelctl::FindCommand(words);
    if (command == nullptr) return Usage("unknown command " + typed);
    const int count = static_cast<int>(words.size());
    if (count < command->minArguments ||
        (command->maxArguments >= 0 && count > command->maxArguments)) {
        return Usage(std::string("usage: petrelctl ") + command->name + " " + command->usage);
    }
    options.arguments = std::move(words);
    if (std::string problem; !petrelctl::GatherPassword(options, command->logsIn, problem))
        return Usage(problem);
    options.several = options.all || options.selectors.size() > 1;
    petrelctl::Output output(options.json);
    if (command->check != nullptr && command->check(options, output) != 0) return output.Finish();
    if (command->perCamera && (options.all || !options.selectors.empty())) {
        std::string problem;
        const auto cameras = petrelctl::SelectCameras(options, problem);
        if (!cameras) {
            output.FailWith("select", problem);
            return output.Finish();
        }
        if (options.several) return petrelctl::RunOnEach(*command, options, *cameras);
        options.camera = cameras->front();
    }
    const int failed = command->run(options, output);
    return std::max(failed, output.Finish());
}
