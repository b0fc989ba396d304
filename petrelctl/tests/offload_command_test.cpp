// petrelctl offload over a simulated camera disk: the disk's file system is a tmpfs whose
// source is the camera's block node, mounted in a mount namespace of the run's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "harness.h"

namespace {

namespace fs = std::filesystem;
using harness::Folder;

constexpr const char* kAdmin = "888888";
constexpr int kNoNamespace = 77;

// The folder's "camera" tree on each camera's disk (/dev/sdb, /dev/sdc, ...), then
// petrelctl, run by `run`.
std::string OnCameraDisks(const std::string& run, const std::string& disks = "sdb") {
    return "unshare -m --propagation private /bin/sh -c '"
           "for node in " +
           disks +
           "; do disk=$(mktemp -d -p .)\n"
           "mount -t tmpfs /dev/$node \"$disk\" || { echo 77 > status; exit; }\n"
           "cp -a camera/. \"$disk\"/; done\n" +
           run + "; echo $? > status' \"$0\" \"$@\"";
}

// Ctrl-C as soon as petrelctl catches it (two seconds at most): before the copy.
constexpr const char* kInterrupted =
    "{ \"$0\" \"$@\" & pid=$!; i=0; "
    "until [ $(( 0x$(sed -n \"s/^SigCgt:\\t*//p\" /proc/$pid/status) & 2 )) -ne 0 ] || "
    "[ $((i += 1)) -gt 400 ]; do sleep 0.005; done; kill -INT $pid; wait $pid; }";

struct FormatCase {
    const char* name;
    bool linkOnDisk;   // a link on the camera's disk: not a file, so never accounted for
    bool interrupted;  // Ctrl-C during the offload
    int status;
    bool formatted;
    bool manifest;
    const char* code;  // the error's
};

void PrintTo(const FormatCase& row, std::ostream* out) { *out << row.name; }

class FormatAfter : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatAfter, OnlyAfterAVerifiedManifest) {
    const FormatCase& row = GetParam();
    const Folder folder;
    fs::create_directories(folder.Path("camera/DCIM/100"));
    fs::create_directories(folder.Path("evidence"));
    std::ofstream(folder.Path("camera/DCIM/100/clip.mp4")) << "recording";
    if (row.linkOnDisk) fs::create_symlink("clip.mp4", folder.Path("camera/DCIM/100/link"));
    const auto run = harness::RunScript(
        folder, {"--json", "offload", folder.Path("evidence"), "--format-after"}, kAdmin,
        {"--disk", "1"}, OnCameraDisks(row.interrupted ? kInterrupted : "\"$0\" \"$@\""));
    if (run.status == kNoNamespace) GTEST_SKIP() << "needs a mount namespace of its own (root)";
    EXPECT_EQ(run.status, row.status) << run.out << run.err;
    const auto result = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_TRUE(result.is_object()) << run.out;
    EXPECT_EQ(result.value("formatted", !row.formatted), row.formatted) << run.out;
    EXPECT_EQ(run.log.find("FormatDisk") != std::string::npos, row.formatted) << run.log;
    const std::string copy = result.value("folder", "");
    ASSERT_TRUE(copy.starts_with(folder.Path("evidence/SN0000000001/"))) << copy;
    EXPECT_EQ(fs::exists(copy + "/manifest.json"), row.manifest);
    EXPECT_EQ(fs::exists(copy + "/INCOMPLETE"), !row.manifest);
    const std::string check = "cd " + copy + " && sha256sum --quiet -c SHA256SUMS";
    if (row.manifest) {
        EXPECT_EQ(std::system(check.c_str()), 0);
    }
    if (!row.formatted) {
        EXPECT_EQ(result["error"].value("code", ""), row.code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, FormatAfter,
    testing::Values(FormatCase{"Verified", false, false, 0, true, true, ""},
                    FormatCase{"CopyFailed", true, false, 1, false, false, "NOT_A_FILE"},
                    FormatCase{"Interrupted", false, true, 1, false, true, "INTERRUPTED"}),
    [](const auto& info) { return std::string(info.param.name); });

// Two cameras: the second starts before the first is done unless --jobs 1 says otherwise.
TEST(OffloadJobs, BoundTheCamerasAtWork) {
    for (const auto& [jobs, together] : {std::pair{"1", false}, {"2", true}}) {
        const Folder folder;
        fs::create_directories(folder.Path("camera/DCIM"));
        fs::create_directories(folder.Path("evidence"));
        std::ofstream(folder.Path("camera/DCIM/clip.mp4")) << "recording";
        const auto run = harness::RunScript(
            folder, {"--all", "--jobs", jobs, "offload", folder.Path("evidence")}, kAdmin,
            {"--disk", "2"}, OnCameraDisks("\"$0\" \"$@\"", "sdb sdc"));
        if (run.status == kNoNamespace) GTEST_SKIP() << "needs a mount namespace of its own (root)";
        EXPECT_EQ(run.status, 0) << run.err;
        const auto firstDone = run.err.find("offload done");
        const auto secondStarted = run.err.find("drive:E SN0000000002: offload started");
        ASSERT_NE(secondStarted, std::string::npos) << run.err;
        EXPECT_EQ(secondStarted < firstDone, together) << jobs << "\n" << run.err;
    }
}

}  // namespace
