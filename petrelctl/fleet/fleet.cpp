#include "fleet/fleet.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "fleet/progress_board.h"
#include "fleet/stop_signals.h"
#include "fleet/worker.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

bool Readable(int descriptor, const std::vector<pollfd>& waiting) {
    return std::any_of(waiting.begin(), waiting.end(), [&](const pollfd& entry) {
        return entry.fd == descriptor && entry.revents != 0;
    });
}

void PrintResult(const Worker& worker, bool json) {
    if (json)
        std::cout << JsonResult(worker) << "\n";
    else
        std::cout << "== " << Identity(worker.camera) << " ==\n" << worker.result;
}

void PrintSummary(const std::vector<Worker>& workers, std::ostream& out) {
    std::size_t succeeded = 0;
    char line[160];
    std::snprintf(line, sizeof line, "%-9s %-16s %-16s %s\n", "camera", "serial", "bar code",
                  "result");
    out << "\n" << line;
    for (const auto& worker : workers) {
        std::snprintf(line, sizeof line, "%-9s %-16s %-16s ", worker.camera.Label().c_str(),
                      fields::Printable(worker.camera.serial).c_str(),
                      fields::Printable(worker.camera.barCode).c_str());
        out << line << Verdict(worker) << "\n";
        succeeded += worker.status == 0 ? 1 : 0;
    }
    out << succeeded << " of " << workers.size() << " cameras succeeded\n";
}

}  // namespace

int RunOnEach(const Command& command, const Options& options,
              const std::vector<CameraRef>& cameras) {
    std::vector<Worker> workers;
    for (const auto& camera : cameras) {
        Worker worker;
        worker.camera = camera;
        worker.finishOnStop = true;
        workers.push_back(std::move(worker));
    }
    const int bound = options.jobs > 0 ? options.jobs : command.jobs;
    const std::size_t jobs = bound > 0 ? static_cast<std::size_t>(bound) : workers.size();
    std::cout.flush();
    StopSignals signals;
    ProgressBoard board(workers.size());
    const std::string step = command.name;
    std::size_t started = 0, running = 0;
    bool stopping = false;
    const auto finished = [&](std::size_t i) {
        board.Report(i, Identity(workers[i].camera) + ": " + step + " " + Verdict(workers[i]));
        if (!board.Live()) PrintResult(workers[i], options.json);
    };
    for (;;) {
        for (; !stopping && started < workers.size() && running < jobs; ++started) {
            Start(workers[started], command, options);
            running += workers[started].pid > 0 ? 1 : 0;
            if (workers[started].pid > 0)
                board.Report(started, Identity(workers[started].camera) + ": " + step + " started");
            else
                finished(started);
        }
        if (running == 0) break;
        std::vector<pollfd> waiting;
        for (const auto& worker : workers) {
            if (worker.progress >= 0) waiting.push_back({worker.progress, POLLIN, 0});
        }
        if (!signals.Wait(waiting)) break;
        if (const auto stop = signals.Taken(); stop != StopSignals::Stop::kNone) {
            stopping = true;
            for (auto& worker : workers) {
                if (stop == StopSignals::Stop::kAbort && worker.progress >= 0) {
                    kill(worker.pid, SIGKILL);
                    worker.code = "ABORTED";
                }
            }
            if (stop == StopSignals::Stop::kStop)
                std::cerr << "petrelctl: stopping: no new cameras; waiting for " << running
                          << " at work (Ctrl-C again within " << StopSignals::kAbortWindow.count()
                          << " s aborts them)\n";
        }
        for (std::size_t i = 0; i < workers.size(); ++i) {
            Worker& worker = workers[i];
            if (worker.progress < 0 || !Readable(worker.progress, waiting)) continue;
            const auto onStep = [&](const std::string& at) {
                board.Report(i, Identity(worker.camera) + ": " + step + ": " + at);
            };
            if (worker.code.empty() && ReadProgress(worker, onStep)) continue;
            close(worker.progress);
            worker.progress = -1;
            --running;
            Finish(worker);
            if (!worker.code.empty()) worker.problem = "aborted, left unfinished";
            finished(i);
        }
    }
    // Cameras never started, once stopped.
    for (std::size_t i = started; i < workers.size(); ++i) {
        workers[i].status = 1;
        workers[i].problem = "not started: stopped";
        workers[i].code = "STOPPED";
        finished(i);
    }
    // On a terminal the results wait until the board is finished.
    for (const auto& worker : workers) {
        if (board.Live()) PrintResult(worker, options.json);
    }
    PrintSummary(workers, options.json ? std::cerr : std::cout);
    for (const auto& worker : workers) {
        if (worker.status != 0) return 1;
    }
    return 0;
}

}  // namespace petrelctl
