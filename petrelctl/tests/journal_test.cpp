// petrelctl's audit trail in a journald of the test's own (as root): what journalctl and
// petrelctl history find, and the user's file where no journal runs.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <chrono>
#include <memory>
#include <regex>
#include <thread>

#include "harness.h"
#include "private_journald.h"

namespace {

using harness::Folder;
using harness::Outcome;
using harness::RunIn;
using petrel::audit::test::kRuntimeJournal;
using petrel::audit::test::kSocketFolder;
using petrel::audit::test::Shell;

constexpr const char* kAdmin = "888888";

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class JournalAudit : public testing::Test {
protected:
    static void SetUpTestSuite() {
        journald_ = std::make_unique<petrel::audit::test::PrivateJournald>();
        reason_ = journald_->Start();
        harness::auditInFolder = false;
    }
    static void TearDownTestSuite() {
        journald_.reset();
        harness::auditInFolder = true;
    }
    void SetUp() override {
        if (!reason_.empty()) GTEST_SKIP() << reason_;
    }

    // The camera's entries as journalctl shows them, once journald has stored `count`.
    static std::string Entries(const std::string& serial, std::size_t count) {
        const std::string command = std::string("journalctl -D ") + kRuntimeJournal +
                                    " -o verbose PETREL_CAMERA_SERIAL=" + serial;
        std::string shown;
        for (int wait = 0; wait < 100; ++wait) {
            shown = Shell(command);
            if (Count(shown, "\n    MESSAGE_ID=") >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return shown;
    }

    static inline std::string reason_;
    static inline std::unique_ptr<petrel::audit::test::PrivateJournald> journald_;
};

TEST_F(JournalAudit, EachOperationIsAnEntryThatJournalctlAndHistoryFind) {
    const Folder folder;
    EXPECT_EQ(RunIn(folder, {"settings", "set", "videoResolution=11"}, kAdmin).status, 0);
    EXPECT_EQ(RunIn(folder, {"change-password", "0", "s3cr3t"}, kAdmin).status, 0);
    EXPECT_EQ(RunIn(folder, {"login"}, "wr0ng1").status, 1);
    const std::string entries = Entries("SN0000000001", 3);
    EXPECT_EQ(Count(entries, "\n    MESSAGE_ID="), 3u) << entries;
    for (const char* field :
         {"PETREL_OPERATION=settings set", "PETREL_CHANGED_FIELD=videoResolution",
          "PETREL_READ_BACK=agreed", "PETREL_OPERATION=change-password",
          "PETREL_CHANGED_FIELD=general user password", "PETREL_RESULT=STATUS_NOT_VERIFIED",
          "PETREL_CAMERA_BAR_CODE=BC0000000001", "SYSLOG_IDENTIFIER=petrelctl"})
        EXPECT_NE(entries.find(field), std::string::npos) << field << "\n" << entries;
    for (const char* secret : {"s3cr3t", "wr0ng1"})
        EXPECT_EQ(entries.find(secret), std::string::npos) << secret;
    const Outcome history = RunIn(folder, {"history", "--camera", "BC0000000001"}, nullptr);
    EXPECT_TRUE(std::regex_search(
        history.out,
        std::regex("settings set by [^\n]*\n    videoResolution: 6 .* -> 11 .*\n"
                   ".*change-password by .*\n.*\n.*login by .*STATUS_NOT_VERIFIED\n$")))
        << history.out << history.err;
}

TEST_F(JournalAudit, WithoutAJournalSocketTheRecordGoesToTheUsersFile) {
    const Folder folder;
    // A second tmpfs hides journald's socket, as on a system where none runs.
    ASSERT_EQ(mount("tmpfs", kSocketFolder, "tmpfs", 0, "mode=0755"), 0);
    setenv("XDG_STATE_HOME", folder.Path("xdg").c_str(), 1);
    const Outcome run = RunIn(folder, {"settings", "set", "preRecord=On"}, kAdmin);
    const Outcome history = RunIn(folder, {"history"}, nullptr);
    unsetenv("XDG_STATE_HOME");
    umount2(kSocketFolder, 0);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string file = harness::ReadFile(folder.Path("xdg/petrel/audit.jsonl"));
    EXPECT_EQ(Count(file, "\n"), 1u);
    EXPECT_NE(file.find(R"("operation":"settings set")"), std::string::npos) << file;
    EXPECT_NE(history.out.find("preRecord: 0 \"Off\" -> 7 \"On\""), std::string::npos)
        << history.out;
}

}  // namespace
