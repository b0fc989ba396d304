// Where a camera disk is mounted and unmounting it, on file systems mounted in a mount
// namespace of a child process, so that nothing mounted outlives a test.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

constexpr int kNoNamespace = 77;

// One arrangement of mounts in /proc/self/mounts; the source names the camera's block
// node with a suffix (a partition "1", or another disk whose name starts alike).
struct MountCase {
    const char* name;
    int mounts;          // file systems mounted from the source, each on its own folder
    const char* suffix;  // appended to the camera's block node
    bool busy;           // a file stays open in the first one
    int pointStatus;     // PetrelStorageMountPoint before the unmount
    int unmountStatus;
    bool leftMounted;  // a file system of the source is still mounted afterwards
};

void PrintTo(const MountCase& row, std::ostream* out) { *out << row.name; }

struct Outcome {
    int pointStatus = -1;
    int unmountStatus = -1;
    int exactFitStatus = -1;  // a buffer with room for the point and its terminator
    int tooSmallStatus = -1;  // one byte less
    bool pointIsFirstFolder = false;
    bool leftMounted = false;
};

bool SourceMounted(const std::string& source) {
    std::ifstream table("/proc/self/mounts");
    std::string fsName, rest;
    while (table >> fsName && std::getline(table, rest)) {
        if (fsName == source) return true;
    }
    return false;
}

// Mounts, asks the library and writes what it answered to `out`; runs in the child.
int MountAndAsk(const MountCase& row, const std::string& source, int letter, int out) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return kNoNamespace;
    }
    std::vector<std::string> folders;
    for (int i = 0; i < row.mounts; ++i) {
        char folder[] = "/tmp/petrel-mount-XXXXXX";
        if (mkdtemp(folder) == nullptr || mount(source.c_str(), folder, "tmpfs", 0, nullptr) != 0)
            return 1;
        folders.emplace_back(folder);
    }
    const int busy =
        row.busy ? open((folders.at(0) + "/open").c_str(), O_CREAT | O_RDWR, 0600) : -1;
    Outcome outcome;
    char point[256] = {};
    outcome.pointStatus = PetrelStorageMountPoint(letter, point, sizeof point);
    outcome.pointIsFirstFolder = !folders.empty() && folders.front() == point;
    const int fit = static_cast<int>(std::strlen(point)) + 1;
    outcome.exactFitStatus = PetrelStorageMountPoint(letter, point, fit);
    outcome.tooSmallStatus = PetrelStorageMountPoint(letter, point, fit - 1);
    outcome.unmountStatus = PetrelUnmountStorage(letter);
    outcome.leftMounted = SourceMounted(source);
    if (busy >= 0) close(busy);
    for (const auto& folder : folders) {
        umount2(folder.c_str(), MNT_DETACH);
        rmdir(folder.c_str());
    }
    return write(out, &outcome, sizeof outcome) == sizeof outcome ? 0 : 1;
}

using MountExports = CameraTest;

class StorageMounts : public CameraTest, public testing::WithParamInterface<MountCase> {};

TEST_P(StorageMounts, PointAndUnmountFollowTheMountTable) {
    const MountCase& row = GetParam();
    camsim::Camera& camera = sim_.addDiskCamera();
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
    const int letter = GetStorageDisk(list[0]);
    ReleaseList(list.data(), 1);
    const std::string source = camera.blockNode() + row.suffix;
    camera.clearLog();

    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(MountAndAsk(row, source, letter, channel[1]));
    close(channel[1]);
    Outcome outcome;
    const bool answered = read(channel[0], &outcome, sizeof outcome) == sizeof outcome;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNoNamespace)
        GTEST_SKIP() << "mounting needs a mount namespace of our own (root)";
    ASSERT_TRUE(answered && WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_TRUE(camera.log().empty()) << "a camera's own disk is known without asking it";
    EXPECT_EQ(outcome.pointStatus, row.pointStatus);
    EXPECT_EQ(outcome.unmountStatus, row.unmountStatus);
    EXPECT_EQ(outcome.leftMounted, row.leftMounted);
    if (row.pointStatus == STATUS_OK) {
        EXPECT_TRUE(outcome.pointIsFirstFolder);
        EXPECT_EQ(outcome.exactFitStatus, STATUS_OK);
        EXPECT_EQ(outcome.tooSmallStatus, STATUS_BAD_ARGUMENT);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, StorageMounts,
    testing::Values(MountCase{"NothingMounted", 0, "", false, STATUS_FAILED, STATUS_OK, false},
                    MountCase{"Disk", 1, "", false, STATUS_OK, STATUS_OK, false},
                    MountCase{"PartitionTwice", 2, "1", false, STATUS_OK, STATUS_OK, false},
                    MountCase{"OtherDiskAlike", 1, "a", false, STATUS_FAILED, STATUS_OK, true},
                    MountCase{"Busy", 1, "", true, STATUS_OK, STATUS_FAILED, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MountExports, RefuseWhatIsNoCameraDisk) {
    sim_.addPlainDisk();  // mapped to a letter, but no camera
    sim_.addDiskCamera();
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
    const int letter = GetStorageDisk(list[0]);
    ReleaseList(list.data(), 1);
    const int plain = letter == 'D' ? 'E' : 'D';
    char point[64];
    for (const int other : {plain, 0, int{'A'}, int{'Z'}, letter + 0x100, -letter}) {
        EXPECT_EQ(PetrelStorageMountPoint(other, point, sizeof point), STATUS_BAD_ARGUMENT)
            << other;
        EXPECT_EQ(PetrelUnmountStorage(other), STATUS_BAD_ARGUMENT) << other;
    }
    EXPECT_EQ(PetrelStorageMountPoint(letter, nullptr, 64), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(PetrelStorageMountPoint(letter, point, 0), STATUS_BAD_ARGUMENT);
}

}  // namespace
}  // namespace petrel_test
