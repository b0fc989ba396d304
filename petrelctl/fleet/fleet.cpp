#include "fleet/fleet.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>

#include "fleet/progress_board.h"
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
        workers.push_back(std::move(worker));
    }
    std::cout.flush();
    ProgressBoard board(workers.size());
    const std::string step = command.name;
    for (std::size_t i = 0; i < workers.size(); ++i) {
        Start(workers[i], command, options);
        board.Report(i, Identity(workers[i].camera) + ": " + step + " " +
                            (workers[i].pid > 0 ? "started" : Verdict(workers[i])));
    }
    while (std::any_of(workers.begin(), workers.end(),
                       [](const Worker& w) { return w.progress >= 0; })) {
        std::vector<pollfd> waiting;
        for (const auto& worker : workers) {
            if (worker.progress >= 0) waiting.push_back({worker.progress, POLLIN, 0});
        }
        if (poll(waiting.data(), waiting.size(), -1) < 0 && errno != EINTR) break;
        for (std::size_t i = 0; i < workers.size(); ++i) {
            Worker& worker = workers[i];
            if (worker.progress < 0 || !Readable(worker.progress, waiting)) continue;
            const auto onStep = [&](const std::string& at) {
                board.Report(i, Identity(worker.camera) + ": " + step + ": " + at);
            };
            if (ReadProgress(worker, onStep)) continue;
            close(worker.progress);
            worker.progress = -1;
            Finish(worker);
            board.Report(i, Identity(worker.camera) + ": " + step + " " + Verdict(worker));
            if (!board.Live()) PrintResult(worker, options.json);
        }
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
