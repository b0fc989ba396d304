// petrelctl: administer a body-worn camera from the command line or a script.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>

#include "command.h"

namespace {

void PrintHelp() {
    std::cout
        << "usage: petrelctl [OPTIONS] COMMAND [ARGS...]\n\n"
           "  --json            print one JSON object instead of text\n"
           "  --drive LETTER    use the camera disk on drive LETTER (D..Y) instead of the\n"
           "                    first camera found (USB cameras come first)\n"
           "  --level 0|1       log in as general user (0) or administrator (1, the default)\n"
           "  --password TEXT   login password; without it PETREL_PASSWORD is used\n"
           "  --yes             confirm destructive commands without asking\n\n"
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
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--yes") {
            options.assumeYes = true;
        } else if (arg == "--drive" && hasValue) {
            const std::string letter = argv[++i];
            options.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
            if (letter.size() > 2 || options.drive < 'D' || options.drive > 'Y') {
                return Usage("--drive takes a letter from D to Y");
            }
        } else if (arg == "--level" && hasValue) {
            const std::string level = argv[++i];
            if (level != "0" && level != "1") return Usage("--level takes 0 or 1");
            options.level = level[0] - '0';
        } else if (arg == "--password" && hasValue) {
            options.password = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        } else {
            return Usage("unknown option " + arg);
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
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
    petrelctl::Output output(options.json);
    const int failed = command->run(options, output);
    return std::max(failed, output.Finish());
}
