// petrelctl watch: a provisioning station. Every camera plugged in while it runs gets
// the clock and the profile once, from a worker process of its own, and one line.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
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

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

// What each camera's worker runs: the profile (and the clock with it), or the clock alone.
struct Job {
    const Command* command;
    Options options;
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

// SIGINT and SIGTERM stay blocked except while waiting, so that none slips in between.
sigset_t CatchStops() {
    sigset_t stops, waiting;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigprocmask(SIG_BLOCK, &stops, &waiting);
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigdelset(&waiting, SIGINT);
    sigdelset(&waiting, SIGTERM);
    return waiting;
}

void Report(const Worker& worker, const Job& job) {
    if (job.options.json)
        std::cout << JsonResult(worker) << std::endl;
    else
        std::cout << Identity(worker.camera) << ": " << job.description << ": " << Verdict(worker)
                  << std::endl;
}

}  // namespace

int CheckWatch(Options& options, Output& output) {
    if (!options.applyProfile && !options.syncClock)
        return output.Refuse("watch needs --apply PROFILE, --sync-clock or both");
    if (!LoginPassword(options))
        return output.Refuse(
            "watch needs a login: give --password-file, --password-stdin or "
            "--password, or set PETREL_PASSWORD");
    if (!options.applyProfile) return 0;
    std::string refusal;
    // A profile for any number of cameras to come, read once: the workers get this copy.
    options.profile = LoadCheckedProfile(*options.applyProfile, true, options.syncClock, refusal);
    return options.profile ? 0 : output.Refuse(refusal);
}

int RunWatch(const Options& options, Output& output) {
    const Job job = JobFor(options);
    Arrivals arrivals;
    if (!arrivals.Listening())
        return output.FailWith("watch", "cannot listen to udev for cameras being plugged in");
    const sigset_t waiting = CatchStops();
    output.Streamed();
    std::cerr << "petrelctl: waiting for cameras (" << job.description << "); stop with Ctrl-C"
              << std::endl;
    std::list<Worker> workers;
    while (!stopRequested || !workers.empty()) {
        std::vector<pollfd> descriptors;
        for (const auto& worker : workers) descriptors.push_back({worker.progress, POLLIN, 0});
        descriptors.push_back({stopRequested ? -1 : arrivals.Descriptor(), POLLIN, 0});
        if (ppoll(descriptors.data(), descriptors.size(), nullptr, &waiting) < 0) {
            if (errno == EINTR) continue;
            return output.FailWith("watch", "waiting for cameras failed");
        }
        auto readable = descriptors.begin();
        for (auto worker = workers.begin(); worker != workers.end(); ++readable) {
            if (readable->revents == 0 || ReadProgress(*worker, [](const std::string&) {})) {
                ++worker;
                continue;
            }
            close(worker->progress);
            Finish(*worker);
            Report(*worker, job);
            worker = workers.erase(worker);
        }
        if (readable->revents == 0) continue;
        if (const auto camera = arrivals.Next()) {
            Worker& worker = workers.emplace_back();
            worker.camera = *camera;
            Start(worker, *job.command, job.options);
            if (worker.pid < 0) {
                Report(worker, job);
                workers.pop_back();
            }
        }
    }
    return 0;
}

}  // namespace petrelctl
