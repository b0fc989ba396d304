// Runs the real petrelctl under camera-sim, as a script would, and keeps what the
// simulated cameras ended with and what they were sent.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace harness {

using Strings = std::vector<std::string>;

struct Outcome {
    int status = -1;
    std::string out, err;
    std::string stateFile;                     // every camera's, after the run
    std::map<std::string, std::string> state;  // the first camera's, after the run
    std::string log;                           // camera-sim's request log of the run
    std::string audit;                         // the folder's audit trail, "audit.jsonl"
};

// petrelctl keeps its audit trail in the folder's "audit.jsonl" (PETREL_AUDIT_FILE), so
// that no test writes to the system's journal; false: where petrelctl chooses itself.
inline bool auditInFolder = true;

std::string ReadFile(const std::string& path);

// A folder of its own for one test, removed when it goes.
class Folder {
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Runs petrelctl with `arguments` under camera-sim `simulator` options, with folder's
// "stdin" file (else /dev/null) as standard input; the cameras are kept in folder's
// "state" file from one run to the next.
Outcome RunIn(const Folder& folder, const Strings& arguments, const char* password,
              const Strings& simulator = {});

// As RunIn for a command that runs until interrupted, in a process group of its own
// ($pid), while the shell text `steps` acts on it. `steps` may call `waitfor COMMAND`
// (up to 20 seconds; prints COMMAND's output) and `lines N` (true once standard output
// has N lines). SIGKILL follows 10 seconds after the steps.
Outcome RunWith(const Folder& folder, const Strings& arguments, const char* password,
                const Strings& simulator, const std::string& steps);

// As RunIn with the shell text `script` in petrelctl's place: "$0" is petrelctl, "$@" the
// arguments; it leaves petrelctl's exit status in the file "status".
Outcome RunScript(const Folder& folder, const Strings& arguments, const char* password,
                  const Strings& simulator, const std::string& script);

// As RunIn in a fresh folder; `initial` lines are added to a fresh USB camera's state first.
Outcome RunCtl(const Strings& arguments, const char* password, const Strings& initial = {},
               const Strings& simulator = {});

}  // namespace harness
