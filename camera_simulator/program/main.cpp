// camera-sim: runs a program against simulated cameras. The program sees them as
// real USB devices and SCSI disks; its USB and SG_IO calls are answered here.
#include <camsim/simulator.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kUsage =
    "usage: camera-sim [--usb N] [--disk N] [--plain-disk N] [--state FILE] [--log FILE]\n"
    "                  [--unplug C@K] [--forget C@K] [--stop-answering C@K]\n"
    "                  [--plug-every SECONDS]\n"
    "                  [--quiet] [--] PROGRAM [ARGS...]\n"
    "Runs PROGRAM with simulated cameras attached (one USB camera unless told otherwise).\n"
    "  --usb N         cameras on their USB command interface\n"
    "  --disk N        cameras reached through their disk\n"
    "  --plain-disk N  removable disks that are not cameras\n"
    "  --state FILE    cameras are read from FILE when it exists, and written back when PROGRAM "
    "ends\n"
    "  --log FILE      every command each camera received is written to FILE when PROGRAM ends\n"
    "  --unplug C@K    camera C (from 1) is unplugged at the Kth command it receives\n"
    "  --forget C@K    from its Kth command on, camera C answers as usual but changes nothing\n"
    "  --stop-answering C@K  from its Kth command on, camera C on USB answers nothing: each\n"
    "                  transfer runs out its time-out\n"
    "  --plug-every S  the cameras of --usb and --disk are plugged in one at a time, S seconds\n"
    "                  apart (0.5 or 1s), the first S seconds after PROGRAM starts\n"
    "New cameras have serial numbers SN0000000001, SN0000000002, ... and bar codes BC...\n"
    "Passwords of a new camera: general user 123456, administrator 888888.\n";

// A fault that strikes one camera from one of its exchanges on.
struct LastingFault {
    const char* option;
    camsim::Fault fault;
    unsigned camera;    // from 1
    unsigned exchange;  // from 1
};

struct Options {
    unsigned usb = 0;
    unsigned disk = 0;
    unsigned plainDisks = 0;
    bool countsGiven = false;
    bool quiet = false;
    std::string stateFile;
    std::string logFile;
    std::vector<LastingFault> faults;
    std::chrono::milliseconds plugEvery{0};  // 0: every camera is there from the start
    std::vector<char*> program;
};

// The options that arm a fault, each on one camera from one of its commands on.
struct FaultOption {
    const char* flag;
    camsim::Fault fault;
};
constexpr FaultOption kFaultOptions[] = {
    {"--unplug", camsim::Fault::Unplugged},
    {"--forget", camsim::Fault::Forgetful},
    {"--stop-answering", camsim::Fault::Unanswered},
};

bool parseCount(const char* text, unsigned& count) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || n > 16) return false;
    count = static_cast<unsigned>(n);
    return true;
}

bool parseSeconds(std::string text, std::chrono::milliseconds& interval) {
    if (text.ends_with("s")) text.pop_back();
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(seconds > 0 && seconds <= 60)) return false;
    interval = std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    return true;
}

bool parse(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string flag = argv[i];
        if (flag == "--") {
            ++i;
            break;
        }
        if (flag == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (flag == "--state") {
            options.stateFile = value;
        } else if (flag == "--log") {
            options.logFile = value;
        } else if (const auto armed =
                       std::find_if(std::begin(kFaultOptions), std::end(kFaultOptions),
                                    [&](const FaultOption& option) { return flag == option.flag; });
                   armed != std::end(kFaultOptions)) {
            unsigned camera = 0, exchange = 0;
            char end = 0;
            if (std::sscanf(value, "%u@%u%c", &camera, &exchange, &end) != 2 || camera == 0 ||
                exchange == 0)
                return false;
            options.faults.push_back({armed->flag, armed->fault, camera, exchange});
        } else if (flag == "--plug-every") {
            if (!parseSeconds(value, options.plugEvery)) return false;
        } else if (flag == "--usb" || flag == "--disk") {
            if (!parseCount(value, flag == "--usb" ? options.usb : options.disk)) return false;
            options.countsGiven = true;
        } else if (flag == "--plain-disk") {
            if (!parseCount(value, options.plainDisks)) return false;
        } else {
            return false;
        }
    }
    for (; i < argc; ++i) options.program.push_back(argv[i]);
    options.program.push_back(nullptr);
    return options.program.size() > 1;
}

constexpr const char* kPreload = "libumockdev-preload.so.0";
constexpr const char* kAsanBesidePreload = "verify_asan_link_order=0";

// umockdev's preload first, once, before whatever was preloaded already.
std::string withPreload(const std::string& preloaded) {
    if (preloaded.empty()) return kPreload;
    return preloaded.starts_with(kPreload) ? preloaded : std::string(kPreload) + ":" + preloaded;
}

std::string withAsanOption(const std::string& options) {
    return options.empty() ? kAsanBesidePreload : std::string(kAsanBesidePreload) + ":" + options;
}

// The client's environment: umockdev's preload first, and ASan told not to mind it.
std::vector<std::string> clientEnvironment(const std::string& root) {
    std::vector<std::string> env;
    std::string preload = withPreload({});
    std::string asan = withAsanOption({});
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.starts_with("LD_PRELOAD="))
            preload = withPreload(entry.substr(11));
        else if (entry.starts_with("ASAN_OPTIONS="))
            asan = withAsanOption(entry.substr(13));
        else if (!entry.starts_with("UMOCKDEV_DIR="))
            env.push_back(entry);
    }
    env.push_back("LD_PRELOAD=" + preload);
    env.push_back("ASAN_OPTIONS=" + asan);
    env.push_back("UMOCKDEV_DIR=" + root);
    return env;
}

// Cameras made here differ as real ones do; the first keeps the plain defaults.
camsim::CameraState newCamera(unsigned number) {
    camsim::CameraState state;
    char text[16];
    std::snprintf(text, sizeof text, "SN%010u", number);
    state.serial = text;
    std::snprintf(text, sizeof text, "BC%010u", number);
    state.barCode = text;
    std::snprintf(text, sizeof text, "0A1B2C3D%04X", 0x4E5E + number);
    state.macAddress = text;
    return state;
}

// umockdev sends a device's uevents only from a process under its preload: camera-sim
// always starts again under it, so that the program hears cameras arrive and leave
// (plugged, unplugged, or gone from USB to their disk).
bool underPreload() {
    const char* preloaded = std::getenv("LD_PRELOAD");
    return preloaded != nullptr && std::string(preloaded).starts_with(kPreload);
}

void runUnderPreload(char** argv) {
    const char* preloaded = std::getenv("LD_PRELOAD");
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("LD_PRELOAD", withPreload(preloaded ? preloaded : "").c_str(), 1);
    setenv("ASAN_OPTIONS", withAsanOption(asan ? asan : "").c_str(), 1);
    execv("/proc/self/exe", argv);
    std::perror("camera-sim: cannot start again under umockdev's preload");
    std::exit(2);
}

struct NewCamera {
    camsim::Carrier carrier;
    camsim::CameraState state;
};

std::vector<NewCamera> newCameras(const Options& options) {
    std::vector<NewCamera> cameras;
    unsigned number = 0;
    for (unsigned i = 0; i < options.usb; ++i)
        cameras.push_back({camsim::Carrier::Usb, newCamera(++number)});
    for (unsigned i = 0; i < options.disk; ++i)
        cameras.push_back({camsim::Carrier::Disk, newCamera(++number)});
    return cameras;
}

void attach(camsim::Simulator& simulator, const NewCamera& camera) {
    if (camera.carrier == camsim::Carrier::Usb)
        simulator.addUsbCamera(camera.state);
    else
        simulator.addDiskCamera(camera.state);
}

// Plugs cameras in one at a time while the program runs, until it ends.
class Plugger {
public:
    Plugger(camsim::Simulator& simulator, std::vector<NewCamera> cameras,
            std::chrono::milliseconds every)
        : simulator_(simulator), cameras_(std::move(cameras)), every_(every) {
        if (!cameras_.empty()) thread_ = std::thread([this] { plugAll(); });
    }
    ~Plugger() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stopped_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

private:
    void plugAll() {
        for (const auto& camera : cameras_) {
            std::unique_lock lock(mutex_);
            if (stopped_.wait_for(lock, every_, [this] { return stopping_; })) return;
            try {
                attach(simulator_, camera);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "camera-sim: %s\n", e.what());
                return;
            }
        }
    }

    camsim::Simulator& simulator_;
    const std::vector<NewCamera> cameras_;
    const std::chrono::milliseconds every_;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::thread thread_;
};

bool writeLog(camsim::Simulator& simulator, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    for (std::size_t i = 0; i < simulator.cameraCount(); ++i) {
        for (const auto& request : simulator.camera(i).log()) {
            const char* name = camsim::commandName(request.code);
            std::fprintf(file, "%zu %s %s 0x%04X\n", i + 1,
                         request.direction == camsim::Direction::Write ? "write" : "read",
                         name ? name : "-", request.code);
        }
    }
    return std::fclose(file) == 0;
}

pid_t child = 0;

void forward(int signal) {
    if (child > 0) kill(child, signal);
}

int run(const std::vector<char*>& program, const std::string& root) {
    const auto env = clientEnvironment(root);
    std::vector<char*> envp;
    for (const auto& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    child = fork();
    if (child < 0) {
        std::perror("camera-sim: fork");
        return 127;
    }
    if (child == 0) {
        execvpe(program[0], program.data(), envp.data());
        std::fprintf(stderr, "camera-sim: cannot run %s: %s\n", program[0], std::strerror(errno));
        _exit(127);
    }
    std::signal(SIGTERM, forward);
    std::signal(SIGINT, forward);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!underPreload()) runUnderPreload(argv);
    try {
        camsim::Simulator simulator;
        const bool loaded =
            !options.stateFile.empty() && access(options.stateFile.c_str(), F_OK) == 0;
        if (loaded && !simulator.loadState(options.stateFile)) {
            std::fprintf(stderr, "camera-sim: %s is not a camera state file\n",
                         options.stateFile.c_str());
            return 2;
        }
        if (!loaded && !options.countsGiven) options.usb = 1;
        auto arriving = loaded ? std::vector<NewCamera>() : newCameras(options);
        if (options.plugEvery.count() == 0) {
            for (const auto& camera : arriving) attach(simulator, camera);
            arriving.clear();
        }
        for (const auto& [option, fault, camera, exchange] : options.faults) {
            if (camera > simulator.cameraCount()) {
                std::fprintf(stderr, "camera-sim: %s names camera %u of %zu\n", option, camera,
                             simulator.cameraCount());
                return 2;
            }
            simulator.camera(camera - 1)
                .injectFault(fault, exchange, camsim::FaultSpan::FromThenOn);
        }
        for (unsigned i = 0; i < options.plainDisks; ++i) simulator.addPlainDisk();
        if (!options.quiet) {
            std::fprintf(stderr, "camera-sim: %zu simulated camera(s) attached\n",
                         simulator.cameraCount());
            for (std::size_t i = 0; i < simulator.cameraCount(); ++i)
                std::fprintf(stderr, "camera-sim:   %s\n",
                             simulator.camera(i).deviceNode().c_str());
            if (!arriving.empty())
                std::fprintf(stderr, "camera-sim: %zu more to be plugged in, one every %.1f s\n",
                             arriving.size(),
                             static_cast<double>(options.plugEvery.count()) / 1000);
        }
        int status = 0;
        {
            const Plugger plugger(simulator, std::move(arriving), options.plugEvery);
            status = run(options.program, simulator.rootDir());
        }
        if (!options.logFile.empty() && !writeLog(simulator, options.logFile)) {
            std::fprintf(stderr, "camera-sim: cannot write %s\n", options.logFile.c_str());
            return status == 0 ? 1 : status;
        }
        if (!options.stateFile.empty() && !simulator.saveState(options.stateFile)) {
            std::fprintf(stderr, "camera-sim: cannot write %s\n", options.stateFile.c_str());
            return status == 0 ? 1 : status;
        }
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "camera-sim: %s\n", e.what());
        return 2;
    }
}
