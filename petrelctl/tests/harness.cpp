#include "harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace harness {

std::string ReadFile(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) return {};
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Folder::Folder() {
    char folder[] = "/tmp/petrelctl-test-XXXXXX";
    if (mkdtemp(folder) != nullptr) path_ = folder;
}

Folder::~Folder() {
    if (!path_.empty()) std::filesystem::remove_all(path_);
}

Outcome RunScript(const Folder& folder, const Strings& arguments, const char* password,
                  const Strings& simulator, const std::string& script) {
    const std::string state = folder.Path("state"), out = folder.Path("out"),
                      err = folder.Path("err"), status = folder.Path("status"),
                      log = folder.Path("log");
    std::filesystem::remove(status);
    Strings command = {CAMERA_SIM_PATH, "--quiet", "--state", state, "--log", log};
    command.insert(command.end(), simulator.begin(), simulator.end());
    // petrelctl's own exit status, kept apart from whatever camera-sim ends with.
    command.insert(command.end(), {"--", "/bin/sh", "-c", script, PETRELCTL_PATH});
    command.insert(command.end(), arguments.begin(), arguments.end());

    const pid_t child = fork();
    if (child == 0) {
        chdir(folder.Path(".").c_str());
        const std::string input = folder.Path("stdin");
        dup2(open(access(input.c_str(), R_OK) == 0 ? input.c_str() : "/dev/null", O_RDONLY),
             STDIN_FILENO);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        password ? setenv("PETREL_PASSWORD", password, 1) : unsetenv("PETREL_PASSWORD");
        unsetenv("PETREL_NEW_PASSWORD");
        const std::string audit = folder.Path("audit.jsonl");
        auditInFolder ? setenv("PETREL_AUDIT_FILE", audit.c_str(), 1)
                      : unsetenv("PETREL_AUDIT_FILE");
        std::vector<char*> argv;
        for (auto& word : command) argv.push_back(word.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    waitpid(child, nullptr, 0);
    const std::string code = ReadFile(status);
    Outcome run{code.empty() ? -1 : std::stoi(code),
                ReadFile(out),
                ReadFile(err),
                ReadFile(state),
                {},
                ReadFile(log),
                ReadFile(folder.Path("audit.jsonl"))};
    std::istringstream lines(run.stateFile);
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        if (const auto equals = line.find('='); equals != std::string::npos) {
            run.state[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return run;
}

Outcome RunIn(const Folder& folder, const Strings& arguments, const char* password,
              const Strings& simulator) {
    return RunScript(folder, arguments, password, simulator, "\"$0\" \"$@\"; echo $? > status");
}

Outcome RunWith(const Folder& folder, const Strings& arguments, const char* password,
                const Strings& simulator, const std::string& steps) {
    const std::string script =
        "waitfor() { for i in $(seq 2000); do \"$@\" && return; sleep 0.01; done; }\n"
        "lines() { [ $(wc -l < out) -ge $1 ]; }\n"
        "setsid \"$0\" \"$@\" & pid=$!\n" +
        steps +
        "\n(sleep 10; kill -KILL $pid) 2>/dev/null & watchdog=$!\n"
        "wait $pid; echo $? > status; kill $watchdog\n";
    return RunScript(folder, arguments, password, simulator, script);
}

Outcome RunCtl(const Strings& arguments, const char* password, const Strings& initial,
               const Strings& simulator) {
    const Folder folder;
    if (!initial.empty()) {
        std::ofstream file(folder.Path("state"));
        file << "camera usb\n";
        for (const auto& line : initial) file << line << "\n";
    }
    return RunIn(folder, arguments, password, simulator);
}

}  // namespace harness
