// The offload's copy on a plain folder standing in for a camera's mounted disk: what it
// copies, and each way it must refuse to call a copy good.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "harness.h"
#include "offload/manifest.h"
#include "offload/tree_copy.h"

namespace petrelctl {
namespace {

namespace fs = std::filesystem;
using harness::Folder;

constexpr std::size_t kLarge = 3 << 20;  // several blocks
constexpr std::uint64_t kBefore = 9;     // the bytes copied before it: clip.mp4, empty.txt

void Write(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << text;
}

// Something done to the source or the destination before or during the copy.
using Meddle = void (*)(const Folder& folder, std::uint64_t bytesRead);

struct CopyCase {
    const char* name;
    Meddle before;        // with the destination made
    Meddle during;        // after each block of the large file
    const char* failure;  // the code, or "" for a verified copy
    const char* names;    // the file a failure names
};

void PrintTo(const CopyCase& row, std::ostream* out) { *out << row.name; }

void None(const Folder&, std::uint64_t) {}

// The first block read, the file is rewritten where it was already read.
void ChangeLarge(const Folder& folder, std::uint64_t read) {
    if (read != 1 << 20) return;
    const int fd = open(folder.Path("camera/DCIM/large.mp4").c_str(), O_WRONLY);
    ASSERT_EQ(pwrite(fd, "X", 1, 0), 1);
    close(fd);
}

// The first block read, the file loses its end: the camera's disk reads short.
void TruncateLarge(const Folder& folder, std::uint64_t read) {
    if (read == 1 << 20) fs::resize_file(folder.Path("camera/DCIM/large.mp4"), read + 100);
}

void OccupyDestination(const Folder& folder, std::uint64_t) {
    Write(folder.Path("copy/DCIM/100/clip.mp4"), "already here");
}

// As a full disk answers: no more than 1 MiB per file.
void LimitFileSize(const Folder&, std::uint64_t) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1 << 20, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
}

class OffloadCopy : public testing::TestWithParam<CopyCase> {
protected:
    void SetUp() override {
        Write(folder_.Path("camera/DCIM/100/clip.mp4"), "recording");
        Write(folder_.Path("camera/DCIM/empty.txt"), "");
        Write(folder_.Path("camera/DCIM/large.mp4"), std::string(kLarge, 'v'));
        Write(folder_.Path("camera/LOG/2026/12/07/events.log"), "shift\n");
    }
    void TearDown() override {
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
    }
    Folder folder_;
};

TEST_P(OffloadCopy, VerifiesOrNamesTheFile) {
    const CopyCase& row = GetParam();
    fs::create_directories(folder_.Path("copy"));
    row.before(folder_, 0);
    const auto time = fs::last_write_time(folder_.Path("camera/DCIM/100/clip.mp4"));
    const TreeCopy copy = CopyTree(
        folder_.Path("camera"), folder_.Path("copy"),
        [&](const CopyProgress& progress) {
            if (progress.file == "DCIM/large.mp4")
                row.during(folder_, progress.bytesDone - kBefore);
        },
        [] { return false; });
    TearDown();
    if (*row.failure != '\0') {
        ASSERT_TRUE(copy.failure);
        EXPECT_EQ(copy.failure->code, row.failure) << copy.failure->message;
        EXPECT_NE(copy.failure->message.find(row.names), std::string::npos)
            << copy.failure->message;
        EXPECT_FALSE(fs::exists(folder_.Path("copy/DCIM/large.mp4")));
        return;
    }
    ASSERT_FALSE(copy.failure) << copy.failure->message;
    ASSERT_EQ(copy.files.size(), 4u);
    EXPECT_EQ(fs::file_size(folder_.Path("copy/DCIM/large.mp4")), kLarge);
    EXPECT_EQ(fs::file_size(folder_.Path("copy/DCIM/empty.txt")), 0u);
    EXPECT_EQ(fs::last_write_time(folder_.Path("copy/DCIM/100/clip.mp4")), time);
    CopyFailure failure;
    ASSERT_TRUE(WriteManifest(folder_.Path("copy"), {}, copy.files, failure));
    const std::string check = "cd " + folder_.Path("copy") + " && sha256sum --quiet -c SHA256SUMS";
    EXPECT_EQ(std::system(check.c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, OffloadCopy,
    testing::Values(
        CopyCase{"NestedEmptyAndLarge", None, None, "", ""},
        CopyCase{"ChangedWhileRead", None, ChangeLarge, "FILE_CHANGED", "large.mp4"},
        CopyCase{"ShortRead", None, TruncateLarge, "SHORT_READ", "large.mp4"},
        CopyCase{"DestinationFull", LimitFileSize, None, "DESTINATION_FULL", "large.mp4"},
        CopyCase{"AlreadyPresent", OccupyDestination, None, "ALREADY_PRESENT", "clip.mp4"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace petrelctl
