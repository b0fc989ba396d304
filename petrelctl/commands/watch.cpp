// petrelctl watch: a provisioning station. Every camera plugged in while it runs gets
// the clock and the profile once, from a worker process of its own, and one line.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>
#include <list>

#include "camera/session.h"
#include "commands/command_set.h"
#include "fleet/arrivals.h"
#include "fleet/worker.h"
#include "records/profile.h"

namespace petrelctl {
namespace {

// A second Ctrl-C this soon after the first aborts the cameras still being written.
constexpr std::chrono::seconds kAbortWindow{5};

// Counted by the handlers, taken in by the loop; blocked except while it waits.
volatile std::sig_atomic_t stopSignals = 0;
volatile std::sig_atomic_t reloadSignals = 0;

void CountStop(int) { stopSignals = stopSignals + 1; }
void CountReload(int) { reloadSignals = reloadSignals + 1; }

// What each camera's worker runs: the profile (and the clock with it), or the clock alone.
struct Job {
    const Command* command;
    Options options;  // with the profile snapshot every camera gets
    std::string description;
};

Job JobFor(const Options& options) {
    Options worker = options;
    std::vector<std::string> words = {"clock", "sync"};
    std::string description = "sync clock";
    worker.arguments.clear();
    if (options.applyProfile) {
        words = {"apply"};
        worker.arguments = {*options.applyProfile};
        description = "apply " + *options.applyProfile + (options.syncClock ? ", sync clock" : "");
    }
    return Job{FindCommand(words), worker, description};
}

// SIGINT, SIGTERM and SIGHUP stay blocked except while waiting, so that none slips in
// between; the returned mask is the one to wait with.
sigset_t CatchSignals() {
    sigset_t caught, waiting;
    sigemptyset(&caught);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&caught, signal);
    sigprocmask(SIG_BLOCK, &caught, &waiting);
    struct sigaction action {};
    action.sa_handler = CountStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    action.sa_handler = CountReload;
    sigaction(SIGHUP, &action, nullptr);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&waiting, signal);
    return waiting;
}

void Report(const Worker& worker, const Job& job) {
    if (job.options.json)
        std::cout << JsonResult(worker) << std::endl;
    else
        std::cout << Identity(worker.camera) << ": " << job.description << ": " << Verdict(worker)
                  << std::endl;
}

// SIGHUP: the profile read again and checked as at the start; a refused one changes nothing.
void Reload(Job& job) {
    if (!job.options.applyProfile) {
        std::cerr << "petrelctl: SIGHUP: no profile to reload" << std::endl;
        return;
    }
    std::string refusal;
    auto profile =
        LoadCheckedProfile(*job.options.applyProfile, true, job.options.syncClock, refusal);
    if (!profile) {
        std::cerr << "petrelctl: SIGHUP: " << refusal << "\n  the profile read before stays in use"
                  << std::endl;
        return;
    }
    job.options.profile = std::move(profile);
    std::cerr << "petrelctl: SIGHUP: profile " << *job.options.applyProfile << " reloaded"
              << std::endl;
}

// A second Ctrl-C: the cameras still being written are left unfinished, and named.
int Abort(std::list<Worker>& workers, const Job& job) {
    std::string unfinished;
    for (auto& worker : workers) {
        kill(worker.pid, SIGKILL);
        close(worker.progress);
        Finish(worker);
        worker.problem = "aborted, left unfinished";
        worker.code = "ABORTED";
        Report(worker, job);
        unfinished += (unfinished.empty() ? "" : ", ") + Identity(worker.camera);
    }
    std::cerr << "petrelctl: aborted" << (unfinished.empty() ? "" : "; unfinished: " + unfinished)
              << std::endl;
    return 1;
}

}  // namespace

int CheckWatch(Options& options, Output& output) {
    if (!options.applyProfile && !options.syncClock)
        return output.Refuse("watch needs --apply PROFILE, --sync-clock or both");
    if (!LoginPassword(options))
        return output.Refuse(
            "watch needs a login: give --password-file, --password-stdin or "
            "--password, or set PETREL_PASSWORD",
            "NEEDS_PASSWORD");
    if (!options.applyProfile) return 0;
    std::string refusal;
    // A profile for any number of cameras to come, read once: the workers get this copy.
    options.profile = LoadCheckedProfile(*options.applyProfile, true, options.syncClock, refusal);
    return options.profile ? 0 : output.Refuse(refusal, "PROFILE_REFUSED");
}

int RunWatch(const Options& options, Output& output) {
    Job job = JobFor(options);
    Arrivals arrivals;
    if (!arrivals.Listening())
        return output.FailWith("watch", "cannot listen to udev for cameras being plugged in");
    const sigset_t waiting = CatchSignals();
    output.Streamed();
    std::cerr << "petrelctl: waiting for cameras (" << job.description
              << "); stop with Ctrl-C, reload the profile with SIGHUP" << std::endl;
    std::list<Worker> workers;
    std::sig_atomic_t stopsTaken = 0, reloadsTaken = 0;
    bool stopping = false, anyFailed = false;
    std::chrono::steady_clock::time_point stoppedAt;
    while (!stopping || !workers.empty()) {
        std::vector<pollfd> descriptors;
        for (const auto& worker : workers) descriptors.push_back({worker.progress, POLLIN, 0});
        descriptors.push_back({stopping ? -1 : arrivals.Descriptor(), POLLIN, 0});
        if (ppoll(descriptors.data(), descriptors.size(), nullptr, &waiting) < 0 && errno != EINTR)
            return output.FailWith("watch", "waiting for cameras failed");
        if (reloadsTaken != reloadSignals) {
            reloadsTaken = reloadSignals;
            Reload(job);
        }
        for (; stopsTaken != stopSignals; ++stopsTaken) {
            const auto now = std::chrono::steady_clock::now();
            if (stopping && now - stoppedAt <= kAbortWindow) return Abort(workers, job);
            stopping = true;
            stoppedAt = now;
            std::cerr << "petrelctl: stopping: no new cameras; waiting for " << workers.size()
                      << " being written (Ctrl-C again within " << kAbortWindow.count()
                      << " s aborts them)" << std::endl;
        }
        auto readable = descriptors.begin();
        for (auto worker = workers.begin(); worker != workers.end(); ++readable) {
            if (readable->revents == 0 || ReadProgress(*worker, [](const std::string&) {})) {
                ++worker;
                continue;
            }
            close(worker->progress);
            Finish(*worker);
            anyFailed = anyFailed || worker->status != 0;
            Report(*worker, job);
            worker = workers.erase(worker);
        }
        if (stopping || readable->revents == 0) continue;
        if (const auto camera = arrivals.Next()) {
            Worker& worker = workers.emplace_back();
            worker.camera = *camera;
            worker.finishOnStop = true;
            Start(worker, *job.command, job.options);
            if (worker.pid < 0) {
                anyFailed = true;
                Report(worker, job);
                workers.pop_back();
            }
        }
    }
    return anyFailed ? 1 : 0;
}

}  // namespace petrelctl
