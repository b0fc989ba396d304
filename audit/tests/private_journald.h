// A systemd-journald of the test process's own, for tests as root: in a mount namespace
// of this process, tmpfs over the journal's sockets and files, journald started alone.
// Nothing mounted here leaves the process; the host's journal is never touched, and the
// programs the test starts send to this journald.
#pragma once

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace petrel::audit::test {

inline constexpr const char* kSocketFolder = "/run/systemd/journal";
inline constexpr const char* kRuntimeJournal = "/run/log/journal";
inline constexpr const char* kPersistentJournal = "/var/log/journal";

// Output of a command, for looking at the journal as journalctl shows it.
inline std::string Shell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

inline bool MountTmpfs(const char* folder) {
    std::filesystem::create_directories(folder);
    return mount("tmpfs", folder, "tmpfs", 0, "mode=0755") == 0;
}

class PrivateJournald {
public:
    PrivateJournald() = default;
    PrivateJournald(const PrivateJournald&) = delete;
    PrivateJournald& operator=(const PrivateJournald&) = delete;
    ~PrivateJournald() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

    // "" once journald runs and its socket is there; else why it does not.
    std::string Start() {
        constexpr const char* kSkip = "needs root for a journald of its own";
        if (geteuid() != 0) return kSkip;
        const std::string program = Program();
        if (program.empty()) return std::string(kSkip) + ": systemd-journald is missing";
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            !MountTmpfs(kSocketFolder) || !MountTmpfs(kRuntimeJournal) ||
            (std::filesystem::exists(kPersistentJournal) && !MountTmpfs(kPersistentJournal))) {
            return std::string(kSkip) + ": no private mount namespace";
        }
        pid_ = fork();
        if (pid_ == 0) {
            execl(program.c_str(), program.c_str(), nullptr);
            _exit(127);
        }
        const std::string socket = std::string(kSocketFolder) + "/socket";
        for (int wait = 0; wait < 100 && access(socket.c_str(), F_OK) != 0; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return "";
    }

private:
    static std::string Program() {
        for (const char* path :
             {"/lib/systemd/systemd-journald", "/usr/lib/systemd/systemd-journald"})
            if (access(path, X_OK) == 0) return path;
        return {};
    }
    pid_t pid_ = -1;
};

}  // namespace petrel::audit::test
