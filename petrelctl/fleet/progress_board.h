// Where the progress of several cameras is shown: on a terminal one line per camera,
// rewritten in place; elsewhere, for logs and scripts, a plain line per report.
#pragma once

#include <cstddef>
#include <string>

namespace petrelctl {

class ProgressBoard {
public:
    explicit ProgressBoard(std::size_t cameras);

    // Shows `text` as the state of the camera at `index`.
    void Report(std::size_t index, const std::string& text);

    // True on a terminal: nothing else may write there until the run ends.
    bool Live() const { return live_; }

private:
    std::size_t cameras_;
    bool live_;
};

}  // namespace petrelctl
