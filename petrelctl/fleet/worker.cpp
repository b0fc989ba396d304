#include "fleet/worker.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "fleet/progress.h"
#include "io/output.h"
#include "trail/operation_record.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

// The worker's side: the command on its one camera, its results in the worker's files.
int RunAsWorker(const Worker& worker, const Command& command, Options options, int progress) {
    // What the parent set up to wait for signals is not the worker's; a signal already
    // pending meets the worker's own disposition.
    const auto disposition = worker.finishOnStop ? SIG_IGN : SIG_DFL;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, disposition);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    dup2(fileno(worker.out), STDOUT_FILENO);
    dup2(fileno(worker.err), STDERR_FILENO);
    ReportTo(progress);
    // A camera disk known by its node is the worker's only drive.
    if (!worker.camera.diskNode.empty()) {
        const std::string drives =
            std::string(1, worker.camera.drive) + "=" + worker.camera.diskNode;
        setenv("PETREL_DRIVES", drives.c_str(), 1);
    }
    options.camera = worker.camera;
    options.several = false;
    Output output(options.json);
    const int status = RunRecorded(command, options, output);
    std::cout.flush();
    return status;
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

// The worker's own error object when its result has one, else one made here.
std::string ErrorObject(const Worker& worker, const std::string& result) {
    const auto parsed = nlohmann::json::parse(result, nullptr, false);
    if (worker.code.empty() && parsed.is_object() && parsed.contains("error") &&
        parsed["error"].is_object())
        return parsed["error"].dump();
    return "{\"code\": " + JsonQuote(worker.code.empty() ? "WORKER_FAILED" : worker.code) +
           ", \"message\": " + JsonQuote(worker.problem) + "}";
}

}  // namespace

// A forked process rather than a new program: the worker starts at once, with the
// library already loaded and the bus already walked.
void Start(Worker& worker, const Command& command, const Options& options) {
    worker.out = std::tmpfile();
    worker.err = std::tmpfile();
    int progress[2] = {-1, -1};
    const bool ready = worker.out && worker.err && pipe2(progress, O_CLOEXEC) == 0;
    // Nothing buffered here may be written a second time by the worker.
    std::cout.flush();
    std::fflush(nullptr);
    worker.pid = ready ? fork() : -1;
    if (worker.pid == 0) _exit(RunAsWorker(worker, command, options, progress[1]));
    if (worker.pid > 0) {
        close(progress[1]);
        worker.progress = progress[0];
        return;
    }
    for (const int end : progress) {
        if (end >= 0) close(end);
    }
    for (std::FILE* file : {worker.out, worker.err}) {
        if (file != nullptr) std::fclose(file);
    }
    worker.out = worker.err = nullptr;
    worker.status = 127;
    worker.problem = "cannot start a worker";
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
    // With --json the worker's complaint is in its result.
    const auto parsed = nlohmann::json::parse(worker.result, nullptr, false);
    if (worker.problem.empty() && parsed.is_object() && parsed.contains("error") &&
        parsed["error"].is_object())
        worker.problem = parsed["error"].value("message", "");
    if (worker.status != 0 && worker.problem.empty())
        worker.problem = "exit status " + std::to_string(worker.status);
}

std::string Identity(const CameraRef& camera) {
    std::string text = camera.Label();
    if (!camera.serial.empty()) text += " " + fields::Printable(camera.serial);
    if (!camera.barCode.empty()) text += " " + fields::Printable(camera.barCode);
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
           ", \"error\": " + (worker.status == 0 ? "null" : ErrorObject(worker, result)) +
           ", \"result\": " + (result.empty() ? "null" : result) + "}";
}

}  // namespace petrelctl
