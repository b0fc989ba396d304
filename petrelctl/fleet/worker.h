// One petrelctl process working on one camera for a parent that watches several:
// the library keeps one camera's state per process.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <string>

#include "camera/camera_ref.h"
#include "commands/command.h"

namespace petrelctl {

struct Worker {
    CameraRef camera;
    pid_t pid = -1;
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    int progress = -1;          // the read end of the worker's progress pipe; -1 once it ended
    std::string lines;          // progress not yet a whole line
    bool finishOnStop = false;  // ignores SIGINT, SIGTERM and SIGHUP, so that its camera is
                                // never left half-written
    std::size_t stage = 0;      // which of a job's commands it runs, in dock mode
    int status = -1;
    std::string result, problem;
    std::string code;  // its error code when its own result cannot tell
};

// Starts `command` with `options` on worker.camera; on failure the worker is finished
// already, with its problem set.
void Start(Worker& worker, const Command& command, const Options& options);

// Takes in what the worker reported: its camera's identity, and each step, passed to
// `onStep`. False once the worker has nothing more to say.
bool ReadProgress(Worker& worker, const std::function<void(const std::string&)>& onStep);

// Waits for the worker and collects its exit status, result and last complaint.
void Finish(Worker& worker);

// "usb:2 SN0000000002 BC0000000002", as much of it as is known.
std::string Identity(const CameraRef& camera);

// "done" or "failed: ..." for a finished worker.
std::string Verdict(const Worker& worker);

// The worker's outcome as one JSON object on one line.
std::string JsonResult(const Worker& worker);

}  // namespace petrelctl
