#include "fleet/stop_signals.h"

#include <cerrno>
#include <csignal>

namespace petrelctl {
namespace {

volatile std::sig_atomic_t stopSignals = 0;
volatile std::sig_atomic_t reloadSignals = 0;

void CountStop(int) { stopSignals = stopSignals + 1; }
void CountReload(int) { reloadSignals = reloadSignals + 1; }

}  // namespace

StopSignals::StopSignals() {
    sigset_t caught;
    sigemptyset(&caught);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&caught, signal);
    sigprocmask(SIG_BLOCK, &caught, &waiting_);
    struct sigaction action {};
    action.sa_handler = CountStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    action.sa_handler = CountReload;
    sigaction(SIGHUP, &action, nullptr);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&waiting_, signal);
}

bool StopSignals::Wait(std::vector<pollfd>& descriptors) {
    return ppoll(descriptors.data(), descriptors.size(), nullptr, &waiting_) >= 0 || errno == EINTR;
}

StopSignals::Stop StopSignals::Taken() {
    Stop stop = Stop::kNone;
    for (; stopsTaken_ != stopSignals; ++stopsTaken_) {
        const auto now = std::chrono::steady_clock::now();
        if (stopped_ && now - stoppedAt_ <= kAbortWindow) return Stop::kAbort;
        stopped_ = true;
        stoppedAt_ = now;
        stop = Stop::kStop;
    }
    return stop;
}

bool StopSignals::Reloaded() {
    const bool reloaded = reloadsTaken_ != reloadSignals;
    reloadsTaken_ = reloadSignals;
    return reloaded;
}

}  // namespace petrelctl
