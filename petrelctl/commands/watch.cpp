// petrelctl watch: a provisioning and offload station. Every camera plugged in while it
// runs gets the clock and the profile once, and its recordings offloaded, from worker
// processes of its own, and a line per step.
#include <unistd.h>

#include <deque>
#include <iostream>
#include <limits>
#include <list>
#include <set>

#include "camera/session.h"
#include "commands/command_set.h"
#include "fleet/arrivals.h"
#include "fleet/stop_signals.h"
#include "fleet/worker.h"
#include "records/profile.h"

namespace petrelctl {
namespace {

// One command of what each camera gets, run by a worker of its own.
struct Stage {
    const Command* command;
    Options options;  // with the profile snapshot every camera gets
    std::string description;
};

// The clock and the profile first; the offload last, since it leaves the camera a disk.
struct Job {
    std::vector<Stage> stages;
    std::size_t jobs;  // cameras at once
};

Stage StageOf(std::vector<std::string> words, const Options& options,
              std::vector<std::string> arguments, std::string description) {
    Options worker = options;
    worker.arguments = std::move(arguments);
    return Stage{FindCommand(words), worker, std::move(description)};
}

Job JobFor(const Options& options) {
    Job job{{}, std::numeric_limits<std::size_t>::max()};
    if (options.applyProfile) {
        job.stages.push_back(
            StageOf({"apply"}, options, {*options.applyProfile},
                    "apply " + *options.applyProfile + (options.syncClock ? ", sync clock" : "")));
    } else if (options.syncClock) {
        job.stages.push_back(StageOf({"clock", "sync"}, options, {}, "sync clock"));
    }
    if (options.offloadTo) {
        job.stages.push_back(StageOf({"offload"}, options, {*options.offloadTo},
                                     "offload to " + *options.offloadTo));
        job.jobs = static_cast<std::size_t>(job.stages.back().command->jobs);
    }
    if (options.jobs > 0) job.jobs = static_cast<std::size_t>(options.jobs);
    return job;
}

void Report(const Worker& worker, const Job& job) {
    if (job.stages[worker.stage].options.json)
        std::cout << JsonResult(worker) << std::endl;
    else
        std::cout << Identity(worker.camera) << ": " << job.stages[worker.stage].description << ": "
                  << Verdict(worker) << std::endl;
}

// SIGHUP: the profile read again and checked as at the start; a refused one changes nothing.
void Reload(Job& job, const Options& options) {
    if (!options.applyProfile) {
        std::cerr << "petrelctl: SIGHUP: no profile to reload" << std::endl;
        return;
    }
    std::string refusal;
    auto profile = LoadCheckedProfile(*options.applyProfile, true, options.syncClock, refusal);
    if (!profile) {
        std::cerr << "petrelctl: SIGHUP: " << refusal << "\n  the profile read before stays in use"
                  << std::endl;
        return;
    }
    job.stages.front().options.profile = std::move(profile);
    std::cerr << "petrelctl: SIGHUP: profile " << *options.applyProfile << " reloaded" << std::endl;
}

// A second Ctrl-C: the cameras still being worked on are left unfinished, and named.
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

// A worker for `camera` at `stage` of the job; false when it could not be started.
bool StartStage(std::list<Worker>& workers, const CameraRef& camera, std::size_t stage,
                const Job& job) {
    Worker& worker = workers.emplace_back();
    worker.camera = camera;
    worker.stage = stage;
    worker.finishOnStop = true;
    Start(worker, *job.stages[stage].command, job.stages[stage].options);
    if (worker.pid >= 0) return true;
    Report(worker, job);
    workers.pop_back();
    return false;
}

}  // namespace

int CheckWatch(Options& options, Output& output) {
    if (!options.applyProfile && !options.syncClock && !options.offloadTo)
        return output.Refuse(
            "watch needs --apply PROFILE, --sync-clock, --offload DEST or several of them");
    if (!LoginPassword(options))
        return output.Refuse(
            "watch needs a login: give --password-file, --password-stdin or "
            "--password, or set PETREL_PASSWORD",
            "NEEDS_PASSWORD");
    if (options.offloadTo) {
        Options offload = options;
        offload.arguments = {*options.offloadTo};
        if (const int refused = CheckOffload(offload, output)) return refused;
        options.offloadTo = offload.arguments[0];
    }
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
    StopSignals signals;
    output.Streamed();
    std::string description;
    for (const auto& stage : job.stages)
        description += (description.empty() ? "" : "; ") + stage.description;
    std::cerr << "petrelctl: waiting for cameras (" << description
              << "); stop with Ctrl-C, reload the profile with SIGHUP" << std::endl;
    std::list<Worker> workers;
    std::deque<CameraRef> queued;          // arrived while --jobs cameras were at work
    std::set<std::string> switchedToDisk;  // offloaded from USB: their disk is no new camera
    bool stopping = false, anyFailed = false;
    while (!stopping || !workers.empty()) {
        std::vector<pollfd> descriptors;
        for (const auto& worker : workers) descriptors.push_back({worker.progress, POLLIN, 0});
        descriptors.push_back({stopping ? -1 : arrivals.Descriptor(), POLLIN, 0});
        if (!signals.Wait(descriptors))
            return output.FailWith("watch", "waiting for cameras failed");
        if (signals.Reloaded()) Reload(job, options);
        if (const auto stop = signals.Taken(); stop == StopSignals::Stop::kAbort) {
            return Abort(workers, job);
        } else if (stop == StopSignals::Stop::kStop) {
            stopping = true;
            std::cerr << "petrelctl: stopping: no new cameras"
                      << (queued.empty()
                              ? ""
                              : " (" + std::to_string(queued.size()) + " waiting are left alone)")
                      << "; waiting for " << workers.size() << " at work (Ctrl-C again within "
                      << StopSignals::kAbortWindow.count() << " s aborts them)" << std::endl;
            queued.clear();
        }
        std::vector<Worker> done;  // their cameras go on to the job's next stage
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
            if (worker->status == 0 && worker->stage + 1 < job.stages.size() && !stopping)
                done.push_back(*worker);
            worker = workers.erase(worker);
        }
        if (!stopping && readable->revents != 0) {
            if (const auto camera = arrivals.Next()) {
                const bool ours = camera->drive != 0 && switchedToDisk.erase(camera->serial) > 0;
                if (!ours) queued.push_back(*camera);
            }
        }
        for (const auto& worker : done)
            anyFailed = !StartStage(workers, worker.camera, worker.stage + 1, job) || anyFailed;
        while (!stopping && !queued.empty() && workers.size() < job.jobs) {
            const CameraRef camera = queued.front();
            queued.pop_front();
            if (options.offloadTo && camera.drive == 0 && !camera.serial.empty())
                switchedToDisk.insert(camera.serial);
            anyFailed = !StartStage(workers, camera, 0, job) || anyFailed;
        }
    }
    return anyFailed ? 1 : 0;
}

}  // namespace petrelctl
