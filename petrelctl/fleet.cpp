#include "fleet.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "output.h"
#include "progress.h"
#include "progress_board.h"

namespace petrelctl {
namespace {

struct Worker {
    CameraRef camera;
    pid_t pid = -1;
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    int progress = -1;  // the read end of the worker's progress pipe; -1 once it ended
    std::string lines;  // progress not yet a whole line
    int status = -1;
    std::string result, problem;
};

constexpr int kProgressDescriptor = 3;

std::vector<std::string> WorkerArguments(const Command& command, const Options& options,
                                         const CameraRef& camera) {
    std::vector<std::string> words = {"petrelctl", "--camera", camera.Label(), "--level",
                                      std::to_string(options.level)};
    const std::pair<bool, const char*> flags[] = {{options.json, "--json"},
                                                  {options.assumeYes, "--yes"},
                                                  {options.dryRun, "--dry-run"},
                                                  {options.includeSecrets, "--include-secrets"},
                                                  {options.showSecrets, "--show-secrets"}};
    for (const auto& [set, flag] : flags) {
        if (set) words.emplace_back(flag);
    }
    words.emplace_back("--");
    std::istringstream name(command.name);
    for (std::string word; name >> word;) words.push_back(word);
    words.insert(words.end(), options.arguments.begin(), options.arguments.end());
    return words;
}

// The worker gets the password through its environment, out of other users' sight.
void Start(Worker& worker, const Command& command, const Options& options) {
    auto words = WorkerArguments(command, options, worker.camera);
    worker.out = std::tmpfile();
    worker.err = std::tmpfile();
    int progress[2] = {-1, -1};
    const bool ready = worker.out && worker.err && pipe2(progress, O_CLOEXEC) == 0;
    worker.pid = ready ? fork() : -1;
    if (worker.pid > 0) {
        close(progress[1]);
        worker.progress = progress[0];
        return;
    }
    if (worker.pid < 0) {
        for (const int end : progress) {
            if (end >= 0) close(end);
        }
        for (std::FILE* file : {worker.out, worker.err}) {
            if (file != nullptr) std::fclose(file);
        }
        worker.out = worker.err = nullptr;
        worker.status = 127;
        worker.problem = "cannot start a worker";
        return;
    }
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    dup2(fileno(worker.out), STDOUT_FILENO);
    dup2(fileno(worker.err), STDERR_FILENO);
    dup2(progress[1], kProgressDescriptor);
    setenv(kProgressVariable, std::to_string(kProgressDescriptor).c_str(), 1);
    if (options.password) setenv("PETREL_PASSWORD", options.password->c_str(), 1);
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    std::perror("petrelctl: cannot start a worker");
    _exit(127);
}

std::string Contents(std::FILE* file) {
    std::string text;
    if (file == nullptr) return text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

std::string Identity(const CameraRef& camera) {
    std::string text = camera.Label();
    if (!camera.serial.empty()) text += " " + camera.serial;
    if (!camera.barCode.empty()) text += " " + camera.barCode;
    return text;
}

void Finish(Worker& worker) {
    int waitStatus = 0;
    while (waitpid(worker.pid, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    worker.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
    worker.result = Contents(worker.out);
    std::istringstream err(Contents(worker.err));
    for (std::string line; std::getline(err, line);) {
        if (!line.empty())
            worker.problem = line.starts_with("petrelctl: ") ? line.substr(11) : line;
    }
    if (worker.status != 0 && worker.problem.empty())
        worker.problem = "exit status " + std::to_string(worker.status);
}

bool Readable(int descriptor, const std::vector<pollfd>& waiting) {
    return std::any_of(waiting.begin(), waiting.end(), [&](const pollfd& entry) {
        return entry.fd == descriptor && entry.revents != 0;
    });
}

// Takes in what the worker reported; false once it has nothing more to say.
bool ReadProgress(Worker& worker, const std::string& step, ProgressBoard& board,
                  std::size_t index) {
    char buffer[512];
    const ssize_t got = read(worker.progress, buffer, sizeof buffer);
    if (got < 0) return errno == EINTR;
    if (got == 0) return false;
    worker.lines.append(buffer, static_cast<std::size_t>(got));
    for (auto end = worker.lines.find('\n'); end != std::string::npos;
         end = worker.lines.find('\n')) {
        const std::string line = worker.lines.substr(0, end);
        worker.lines.erase(0, end + 1);
        if (line.starts_with("identity ")) {
            const auto tab = line.find('\t');
            worker.camera.serial = line.substr(9, tab - 9);
            worker.camera.barCode = tab == std::string::npos ? "" : line.substr(tab + 1);
        } else if (line.starts_with("step ")) {
            board.Report(index, Identity(worker.camera) + ": " + step + ": " + line.substr(5));
        }
    }
    return true;
}

std::string Verdict(const Worker& worker) {
    return worker.status == 0 ? "done" : "failed: " + worker.problem;
}

void PrintResult(const Worker& worker, bool json) {
    if (!json) {
        std::cout << "== " << Identity(worker.camera) << " ==\n" << worker.result;
        return;
    }
    std::string result = worker.result;
    while (!result.empty() && result.back() == '\n') result.pop_back();
    std::cout << "{\"camera\": " << JsonQuote(worker.camera.Label())
              << ", \"serial\": " << JsonQuote(worker.camera.serial)
              << ", \"barCode\": " << JsonQuote(worker.camera.barCode)
              << ", \"ok\": " << (worker.status == 0 ? "true" : "false")
              << ", \"exit\": " << worker.status
              << ", \"error\": " << (worker.status == 0 ? "null" : JsonQuote(worker.problem))
              << ", \"result\": " << (result.empty() ? "null" : result) << "}\n";
}

void PrintSummary(const std::vector<Worker>& workers, std::ostream& out) {
    std::size_t succeeded = 0;
    char line[160];
    std::snprintf(line, sizeof line, "%-9s %-16s %-16s %s\n", "camera", "serial", "bar code",
                  "result");
    out << "\n" << line;
    for (const auto& worker : workers) {
        std::snprintf(line, sizeof line, "%-9s %-16s %-16s ", worker.camera.Label().c_str(),
                      worker.camera.serial.c_str(), worker.camera.barCode.c_str());
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
            if (ReadProgress(worker, step, board, i)) continue;
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
