// petrelctl offload: a camera's recordings copied to evidence storage, each file hashed
// while read and verified on the destination, with a manifest; the camera's storage is
// formatted only after that, and only when asked.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

#include "camera/disk_mount.h"
#include "camera/session.h"
#include "commands/command_set.h"
#include "fleet/progress.h"
#include "fleet/transfer_report.h"
#include "offload/manifest.h"
#include "offload/tree_copy.h"
#include "trail/operation_record.h"

namespace petrelctl {
namespace {

constexpr int kListCapacity = 32;
constexpr std::chrono::seconds kDiskWait{30};

// The first interrupt rules out the format, the second stops the copy.
volatile std::sig_atomic_t interrupts = 0;

// Said at once when petrelctl runs alone; a parent with workers says it itself.
void CountInterrupt(int) {
    static constexpr char kFirst[] =
        "petrelctl: interrupted: nothing will be formatted; the copy goes on (Ctrl-C again "
        "stops it)\n";
    const bool alone = interrupts == 0 && !Listened();
    interrupts = interrupts + 1;
    // Nothing to be done should the terminal refuse it.
    if (alone && write(STDERR_FILENO, kFirst, sizeof kFirst - 1) < 0) {
    }
}

void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = CountInterrupt;
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM}) sigaction(signal, &action, nullptr);
}

// The camera with `serial` as a disk, once it shows as one; 0 when it does not in time.
char WaitForDisk(const std::string& serial) {
    const auto until = std::chrono::steady_clock::now() + kDiskWait;
    do {
        std::array<DeviceListEntry*, kListCapacity> list{};
        const int count = EnumStorageList(list.data(), 0);
        char drive = 0;
        for (int i = 0; i < count; ++i) {
            PetrelEntryInfo info{};
            if (PetrelGetEntryInfo(list[static_cast<std::size_t>(i)], &info) == STATUS_OK &&
                serial == info.serial)
                drive = static_cast<char>(GetStorageDisk(list[static_cast<std::size_t>(i)]));
        }
        ReleaseList(list.data(), std::max(count, 0));
        if (drive != 0) return drive;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    } while (std::chrono::steady_clock::now() < until && interrupts < 2);
    return 0;
}

// A camera's text as one folder name: no separators, no "." or "..", nothing unprintable.
std::string FolderName(const std::string& text) {
    std::string name;
    for (const char c : text) name += (c == '/' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    return name.empty() || name == "." || name == ".." ? "unknown-serial" : name;
}

// DEST/SERIAL/TIME, made here; an offload of the same camera in the same second is
// refused rather than mixed in.
std::optional<std::string> MakeFolder(const std::string& destination, const std::string& serial,
                                      std::chrono::system_clock::time_point time, Output& output) {
    const std::string camera = destination + "/" + FolderName(serial);
    const std::string folder = camera + "/" + FolderTime(time);
    if ((::mkdir(camera.c_str(), 0755) != 0 && errno != EEXIST) ||
        ::mkdir(folder.c_str(), 0755) != 0) {
        output.FailWith("offload", folder + ": " + std::strerror(errno),
                        errno == EEXIST ? "ALREADY_PRESENT" : "WRITE_FAILED");
        return std::nullopt;
    }
    return folder;
}

void Untouched(const Options& options, Output& output, const std::string& why) {
    if (options.formatAfter)
        output.Value("formatted", "false", "no: " + why + "; nothing on the camera was touched");
}

// The camera's storage formatted after its verified offload: unmounted first, and on a
// connection to its disk (a camera that was on USB is one now).
int FormatAfter(const Options& options, std::optional<Session>& session, const CameraRef& disk,
                DiskMount& mount, Output& output) {
    if (interrupts > 0) {
        Untouched(options, output, "interrupted");
        return output.FailWith("format", "interrupted before the format", "INTERRUPTED");
    }
    std::string problem;
    if (!mount.Release(problem)) {
        Untouched(options, output, problem);
        return output.FailWith("format", problem, "STILL_MOUNTED");
    }
    if (!session) {
        Options onDisk = options;
        onDisk.camera = disk;
        auto opened = Session::OpenVerified(onDisk, output, Access::kAdministrator);
        if (!opened) return 1;
        session.emplace(std::move(*opened));
    }
    if (const int status = FormatDisk(session->get()); status != STATUS_OK)
        return output.Fail("format", status);
    NoteChange("storage", "", "formatted");
    output.Value("formatted", "true", "yes");
    return 0;
}

}  // namespace

int CheckOffload(Options& options, Output& output) {
    std::error_code error;
    const auto destination = std::filesystem::absolute(options.arguments.at(0), error);
    if (error || !std::filesystem::is_directory(destination, error) ||
        ::access(destination.c_str(), W_OK | X_OK) != 0)
        return output.Refuse(options.arguments[0] + " is no folder this user may write in",
                             "BAD_DESTINATION");
    options.arguments[0] = destination.lexically_normal().string();
    return 0;
}

int RunOffload(const Options& options, Output& output) {
    CatchInterrupts();
    const Access access = options.formatAfter ? Access::kAdministrator : Access::kAnyLevel;
    auto session = Session::OpenVerified(options, output, access);
    if (!session) return 1;
    const CameraIdentity identity = session->identity();
    char drive = static_cast<char>(GetStorageID(session->get()));
    if (drive == 0) {
        ReportStep("switching to removable-disk mode");
        if (const int status = SetMSCMode(session->get()); status != STATUS_OK)
            return output.Fail("mass-storage mode", status);
        session.reset();
        drive = WaitForDisk(identity.serial);
        if (drive == 0)
            return output.FailWith("mass-storage mode",
                                   "the camera did not show as a disk within " +
                                       std::to_string(kDiskWait.count()) + " s",
                                   "NO_DISK");
    }
    std::string problem;
    auto mount = DiskMount::Of(drive, problem);
    if (!mount) {
        Untouched(options, output, "its storage could not be read");
        return output.FailWith("mount", problem, "NOT_MOUNTED");
    }
    const ManifestSource source{identity.serial, identity.barCode, identity.model,
                                identity.firmware, std::chrono::system_clock::now()};
    const auto folder = MakeFolder(options.arguments.at(0), identity.serial, source.time, output);
    if (!folder) return 1;
    output.Field("folder", *folder);
    NoteChange("offload folder", "", *folder);
    TransferReport report;
    TreeCopy copy = CopyTree(
        mount->Folder(), *folder, [&](const CopyProgress& progress) { report.Show(progress); },
        [] { return interrupts >= 2; });
    std::optional<std::string> manifestHash;
    CopyFailure failure;
    if (!copy.failure) manifestHash = WriteManifest(*folder, source, copy.files, failure);
    if (!manifestHash) {
        failure = copy.failure.value_or(failure);
        MarkIncomplete(*folder, failure);
        Untouched(options, output, "not every file was copied and verified");
        return output.FailWith("offload", failure.message, failure.code);
    }
    NoteChange("manifest sha256", "", *manifestHash);
    report.Totals(copy.files, output);
    output.Field("manifest sha256", *manifestHash);
    output.Value("verified", "true", "yes");
    CameraRef disk;
    disk.drive = drive;
    disk.serial = identity.serial;  // a disk does not say it itself
    return options.formatAfter ? FormatAfter(options, session, disk, *mount, output) : 0;
}

}  // namespace petrelctl
