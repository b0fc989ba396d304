// The journal trail against a journald of the test's own: in a mount namespace of this
// process, tmpfs over the journal's sockets and files, systemd-journald started alone.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "sample_record.h"

namespace petrel::audit::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kSocketFolder = "/run/systemd/journal";
constexpr const char* kRuntimeJournal = "/run/log/journal";
constexpr const char* kPersistentJournal = "/var/log/journal";

std::string JournaldProgram() {
    for (const char* path : {"/lib/systemd/systemd-journald", "/usr/lib/systemd/systemd-journald"})
        if (access(path, X_OK) == 0) return path;
    return {};
}

bool MountTmpfs(const char* folder) {
    std::filesystem::create_directories(folder);
    return mount("tmpfs", folder, "tmpfs", 0, "mode=0755") == 0;
}

// Output of a command, for looking at the journal as journalctl shows it.
std::string Shell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

class JournalTrail : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (geteuid() != 0) {
            reason_ = "needs root for a journald of its own";
            return;
        }
        if (JournaldProgram().empty()) {
            reason_ = "needs root for a journald of its own: systemd-journald is missing";
            return;
        }
        // Nothing mounted here leaves this process; the host's journal is never touched.
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            !MountTmpfs(kSocketFolder) || !MountTmpfs(kRuntimeJournal) ||
            (std::filesystem::exists(kPersistentJournal) && !MountTmpfs(kPersistentJournal))) {
            reason_ = "needs root for a journald of its own: no private mount namespace";
            return;
        }
        journald_ = fork();
        if (journald_ == 0) {
            const std::string program = JournaldProgram();
            execl(program.c_str(), program.c_str(), nullptr);
            _exit(127);
        }
        const std::string socket = std::string(kSocketFolder) + "/socket";
        for (int wait = 0; wait < 100 && access(socket.c_str(), F_OK) != 0; ++wait)
            std::this_thread::sleep_for(50ms);
    }
    static void TearDownTestSuite() {
        if (journald_ > 0) {
            kill(journald_, SIGTERM);
            waitpid(journald_, nullptr, 0);
        }
    }
    void SetUp() override {
        if (!reason_.empty()) GTEST_SKIP() << reason_;
        ASSERT_TRUE(Writer({Destination::Kind::kJournal, {}})
                        .Write(NewRecord(Event::kAction, "probe", "t", "0"), nullptr))
            << "journald did not start";
    }

    // The records of one camera once journald has stored `count` of them.
    static Trail Recorded(const std::string& serial, size_t count) {
        Trail trail;
        for (int wait = 0; wait < 100; ++wait) {
            trail = ReadJournal(Query{serial, {}, {}}, kRuntimeJournal);
            if (trail.records.size() >= count) break;
            std::this_thread::sleep_for(50ms);
        }
        return trail;
    }

    static inline std::string reason_;
    static inline pid_t journald_ = -1;
};

TEST_F(JournalTrail, AnEntryHoldsTheRecordAndNoSecret) {
    Writer writer;
    std::string error;
    const Record sample = SampleRecord("SN-JOURNAL-1");
    ASSERT_TRUE(writer.Write(sample, &error)) << error;
    EXPECT_EQ(writer.LastDestination(), "journal");

    const Trail trail = Recorded("SN-JOURNAL-1", 1);
    ASSERT_EQ(trail.records.size(), 1u) << trail.error;
    ExpectSameRecord(trail.records[0], AsRecorded(sample));

    const std::string exported = Shell(std::string("journalctl -D ") + kRuntimeJournal +
                                       " -o export PETREL_CAMERA_SERIAL=SN-JOURNAL-1");
    EXPECT_NE(exported.find(std::string("MESSAGE_ID=") + MessageIdOf(Event::kChange)),
              std::string::npos);
    EXPECT_NE(exported.find("PETREL_CHANGED_FIELD=settings.videoResolution"), std::string::npos);
    EXPECT_NE(exported.find("PRIORITY=4"), std::string::npos) << "a read-back that differed warns";
    EXPECT_EQ(exported.find(kOldSecret), std::string::npos);
    EXPECT_EQ(exported.find(kNewSecret), std::string::npos);
}

TEST_F(JournalTrail, EachEventHasItsMessageIdAndQueriesSelectByCameraAndTime) {
    Writer writer;
    const auto before = std::chrono::system_clock::now();
    for (Event event :
         {Event::kChange, Event::kSecretChange, Event::kAction, Event::kLoginRefused}) {
        Record record = NewRecord(event, EventName(event), "petrelctl", "1");
        record.cameraSerial = "SN-JOURNAL-2";
        record.result = "STATUS_OK";
        ASSERT_TRUE(writer.Write(record, nullptr));
        std::this_thread::sleep_for(2ms);
    }
    const Trail trail = Recorded("SN-JOURNAL-2", 4);
    ASSERT_EQ(trail.records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const Event event = trail.records[i].event;
        EXPECT_EQ(trail.records[i].operation, EventName(event)) << "oldest first";
        const std::string byId = Shell(std::string("journalctl -D ") + kRuntimeJournal +
                                       " -o cat MESSAGE_ID=" + MessageIdOf(event) +
                                       " PETREL_CAMERA_SERIAL=SN-JOURNAL-2");
        EXPECT_NE(byId.find(std::string(EventName(event)) + " on camera SN-JOURNAL-2"),
                  std::string::npos)
            << byId;
    }
    const auto third = trail.records[2].time;
    EXPECT_EQ(ReadJournal(Query{"SN-JOURNAL-2", third, {}}, kRuntimeJournal).records.size(), 2u);
    EXPECT_EQ(ReadJournal(Query{"SN-JOURNAL-2", before, third}, kRuntimeJournal).records.size(),
              3u);
    EXPECT_TRUE(ReadJournal(Query{"SN-NOBODY", {}, {}}, kRuntimeJournal).records.empty());
}

TEST_F(JournalTrail, WithoutAJournalSocketTheRecordGoesToTheFile) {
    // A second tmpfs hides journald's socket, as on a system where none runs.
    ASSERT_EQ(mount("tmpfs", kSocketFolder, "tmpfs", 0, "mode=0755"), 0);
    const std::string file =
        (std::filesystem::temp_directory_path() / ("petrel-audit-j-" + std::to_string(getpid())))
            .string();
    Writer writer({Destination::Kind::kAutomatic, file + "/audit.jsonl"});
    std::string error;
    const bool written = writer.Write(SampleRecord("SN-JOURNAL-3"), &error);
    umount2(kSocketFolder, 0);
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(writer.LastDestination(), file + "/audit.jsonl");
    EXPECT_EQ(ReadFile(file + "/audit.jsonl", {}).records.size(), 1u);
    std::filesystem::remove_all(file);
}

}  // namespace
}  // namespace petrel::audit::test
