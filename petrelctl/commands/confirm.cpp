#include "commands/confirm.h"

#include <unistd.h>

#include <iostream>

namespace petrelctl {

bool Confirmed(const Options& options, const std::string& question, const std::string& action,
               Output& output) {
    if (options.assumeYes) return true;
    if (isatty(STDIN_FILENO) == 0) {
        output.Refuse(action + " refused: standard input is not a terminal, so confirm with --yes");
        return false;
    }
    std::cerr << question << " [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    if (answer == "y" || answer == "Y" || answer == "yes") return true;
    output.Refuse(action + " cancelled");
    return false;
}

}  // namespace petrelctl
