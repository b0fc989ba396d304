#include "worker.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "output.h"
#include "progress.h"

namespace petrelctl {
namespace {

constexpr int kProgressDescriptor = 3;

std::vector<std::string> WorkerArguments(const Command& command, const Options& options,
                                         const CameraRef& camera) {
    std::vector<std::string> words = {"petrelctl", "--camera", camera.Label(), "--level",
                                      std::to_string(options.level)};
    const std::pair<bool, const char*> flags[] = {{options.json, "--json"},
                                                  {options.assumeYes, "--yes"},
                                                  {options.dryRun, "--dry-run"},
                                                  {options.syncClock, "--sync-clock"},
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

}  // namespace

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
    // A parent waiting for signals keeps them blocked; the worker must not inherit that.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    dup2(fileno(worker.out), STDOUT_FILENO);
    dup2(fileno(worker.err), STDERR_FILENO);
    dup2(progress[1], kProgressDescriptor);
    setenv(kProgressVariable, std::to_string(kProgressDescriptor).c_str(), 1);
    if (options.password) setenv("PETREL_PASSWORD", options.password->c_str(), 1);
    // A camera disk known by its node is the worker's only drive.
    if (!worker.camera.diskNode.empty())
        setenv("PETREL_DRIVES",
               (std::string(1, worker.camera.drive) + "=" + worker.camera.diskNode).c_str(), 1);
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    std::perror("petrelctl: cannot start a worker");
    _exit(127);
}

bool ReadProgress(Worker& worker, const std::function<void(const std::string&)>& onStep) {
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
            onStep(line.substr(5));
        }
    }
    return true;
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

std::string Identity(const CameraRef& camera) {
    std::string text = camera.Label();
    if (!camera.serial.empty()) text += " " + camera.serial;
    if (!camera.barCode.empty()) text += " " + camera.barCode;
    return text;
}

std::string Verdict(const Worker& worker) {
    return worker.status == 0 ? "done" : "failed: " + worker.problem;
}

std::string JsonResult(const Worker& worker) {
    std::string result = worker.result;
    while (!result.empty() && result.back() == '\n') result.pop_back();
    return "{\"camera\": " + JsonQuote(worker.camera.Label()) +
           ", \"serial\": " + JsonQuote(worker.camera.serial) +
           ", \"barCode\": " + JsonQuote(worker.camera.barCode) +
           ", \"ok\": " + (worker.status == 0 ? "true" : "false") +
           ", \"exit\": " + std::to_string(worker.status) +
           ", \"error\": " + (worker.status == 0 ? "null" : JsonQuote(worker.problem)) +
           ", \"result\": " + (result.empty() ? "null" : result) + "}";
}

}  // namespace petrelctl
