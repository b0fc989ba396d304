// Ctrl-C, SIGTERM and SIGHUP for a petrelctl that waits on workers: counted by handlers,
// and blocked except while it waits, so that none slips in between a check and the wait.
// The first stop takes no new cameras; a second one soon after aborts those at work.
#pragma once

#include <poll.h>
#include <signal.h>

#include <chrono>
#include <vector>

namespace petrelctl {

class StopSignals {
public:
    static constexpr std::chrono::seconds kAbortWindow{5};
    enum class Stop { kNone, kStop, kAbort };

    StopSignals();

    // poll on `descriptors` with the signals let in; false when waiting failed.
    bool Wait(std::vector<pollfd>& descriptors);

    // What the stop signals since the last call ask for.
    Stop Taken();

    // True when SIGHUP came since the last call.
    bool Reloaded();

private:
    sigset_t waiting_;
    int stopsTaken_ = 0, reloadsTaken_ = 0;
    bool stopped_ = false;
    std::chrono::steady_clock::time_point stoppedAt_;
};

}  // namespace petrelctl
