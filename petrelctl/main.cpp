// petrelctl: administer a body-worn camera from the command line or a script.
#include <cctype>
#include <cstring>
#include <iostream>
#include <string>

#include "command.h"

namespace {

void PrintHelp() {
    std::cout << "usage: petrelctl [--json] [--drive LETTER] [--yes] COMMAND [ARGS...]\n\n"
                 "  --json          print one JSON object instead of text\n"
                 "  --drive LETTER  use the camera disk on drive LETTER (D..Y) instead of the\n"
                 "                  first camera found (USB cameras come first)\n"
                 "  --yes           confirm destructive commands without asking\n\n"
                 "commands:\n";
    for (const auto& command : petrelctl::Commands()) {
        std::string line = std::string("  ") + command.name + " " + command.usage;
        line.resize(std::max<size_t>(line.size() + 1, 34), ' ');
        std::cout << line << command.summary << "\n";
    }
    std::cout << "\nExit status 0 on success; on failure the failed step and the status name are\n"
                 "printed to standard error (or as \"error\" in JSON).\n";
}

}  // namespace

int main(int argc, char** argv) {
    petrelctl::Options options;
    const char* name = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (name != nullptr) {
            options.arguments.push_back(arg);
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--yes") {
            options.assumeYes = true;
        } else if (arg == "--drive" && i + 1 < argc) {
            const std::string letter = argv[++i];
            options.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
            if (letter.size() > 2 || options.drive < 'D' || options.drive > 'Y') {
                std::cerr << "petrelctl: --drive takes a letter from D to Y\n";
                return 2;
            }
        } else if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        } else if (arg[0] == '-') {
            std::cerr << "petrelctl: unknown option " << arg << " (see --help)\n";
            return 2;
        } else {
            name = argv[i];
        }
    }
    if (name == nullptr) {
        PrintHelp();
        return 2;
    }
    for (const auto& command : petrelctl::Commands()) {
        if (std::strcmp(command.name, name) != 0) continue;
        petrelctl::Output output(options.json);
        const int failed = command.run(options, output);
        const int finished = output.Finish();
        return failed != 0 ? failed : finished;
    }
    std::cerr << "petrelctl: unknown command " << name << " (see --help)\n";
    return 2;
}
