#include "fleet/progress_board.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace petrelctl {

ProgressBoard::ProgressBoard(std::size_t cameras)
    : cameras_(cameras),
      live_(isatty(STDERR_FILENO) != 0 && std::getenv("TERM") != nullptr &&
            std::string_view(std::getenv("TERM")) != "dumb") {
    if (live_) std::cerr << std::string(cameras_, '\n') << std::flush;
}

void ProgressBoard::Report(std::size_t index, const std::string& text) {
    if (!live_) {
        std::cerr << text << "\n";
        return;
    }
    // Up to the camera's line, rewrite it, and back down below the board.
    const std::size_t up = cameras_ - index;
    std::cerr << "\033[" << up << "A\r\033[2K" << text << "\033[" << up << "B\r" << std::flush;
}

}  // namespace petrelctl
