#include "io/password_input.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "io/input_file.h"

namespace petrelctl {
namespace {

constexpr std::size_t kPasswordFileLimit = 4096;

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.ends_with('\r')) line.pop_back();
    return line;
}

}  // namespace

std::optional<std::string> ReadPasswordFrom(const std::string& path, std::string& problem) {
    const auto text = ReadInput(path, kPasswordFileLimit, problem);
    if (!text) return std::nullopt;
    std::string line = FirstLine(*text);
    if (line.empty()) {
        problem = (path == "-" ? std::string("standard input") : path) + " holds no password";
        return std::nullopt;
    }
    return line;
}

std::optional<std::string> PromptPassword(const std::string& prompt) {
    termios saved{};
    if (isatty(STDIN_FILENO) == 0 || tcgetattr(STDIN_FILENO, &saved) != 0) return std::nullopt;
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    std::cerr << prompt << std::flush;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    if (!read) return std::nullopt;
    return FirstLine(line);
}

}  // namespace petrelctl
