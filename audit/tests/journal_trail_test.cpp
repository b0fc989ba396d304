// The journal trail against a journald of the test's own: in a mount namespace of this
// process, tmpfs over the journal's sockets and files, systemd-journald started alone.
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <thread>

#include "private_journald.h"
#include "sample_record.h"

namespace petrel::audit::test {
namespace {

using namespace std::chrono_literals;

class JournalTrail : public testing::Test {
protected:
    static void SetUpTestSuite() {
        journald_ = std::make_unique<PrivateJournald>();
        reason_ = journald_->Start();
    }
    static void TearDownTestSuite() { journald_.reset(); }
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
    static inline std::unique_ptr<PrivateJournald> journald_;
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
