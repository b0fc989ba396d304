// The JSON Lines trail: what is written is read back, secrets never reach the file, and
// the file is private, whole lines only, never a link's target.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "sample_record.h"

namespace petrel::audit::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FileTrail : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("petrel-audit-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        path_ = (folder_ / "state" / "petrel" / "audit.jsonl").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    bool Write(const Record& record, std::string* error = nullptr) {
        Writer writer(Destination{Destination::Kind::kFile, path_});
        return writer.Write(record, error);
    }
    std::string Contents() const {
        std::ifstream file(path_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static unsigned ModeOf(const std::string& path) {
        struct stat info {};
        return lstat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
    }

    fs::path folder_;
    std::string path_;
};

TEST_F(FileTrail, ReadsBackWhatWasWrittenWithoutSecrets) {
    const Record sample = SampleRecord();
    Record other = SampleRecord("SN0000000002");
    other.event = Event::kLoginRefused;
    other.changes.clear();
    other.result = "STATUS_NOT_VERIFIED";
    other.readBackAgreed.reset();
    ASSERT_TRUE(Write(sample));
    ASSERT_TRUE(Write(other));

    const std::string text = Contents();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << "one line per record";
    EXPECT_EQ(text.find(kOldSecret), std::string::npos);
    EXPECT_EQ(text.find(kNewSecret), std::string::npos);
    EXPECT_EQ(ModeOf(path_), 0600u);
    EXPECT_EQ(ModeOf(fs::path(path_).parent_path().string()), 0700u);

    const Trail trail = ReadFile(path_, {});
    ASSERT_EQ(trail.records.size(), 2u) << trail.error;
    ExpectSameRecord(trail.records[0], AsRecorded(sample));
    ExpectSameRecord(trail.records[1], other);
    EXPECT_LE(trail.records[0].time, trail.records[1].time);
    EXPECT_EQ(JsonLine(trail.records[0]) + "\n" + JsonLine(trail.records[1]) + "\n", text);
    EXPECT_GT(trail.records[0].time, std::chrono::system_clock::now() - 1min);
}

TEST_F(FileTrail, QueriesByCameraAndTimeAndSkipsADamagedLine) {
    ASSERT_TRUE(Write(SampleRecord("SN-A")));
    const auto between = std::chrono::system_clock::now();
    std::this_thread::sleep_for(2ms);
    ASSERT_TRUE(Write(SampleRecord("SN-B")));
    ASSERT_TRUE(Write(SampleRecord("SN-A")));
    { std::ofstream(path_, std::ios::app) << "{\"event\": \"change\", trunc\nnot json\n"; }
    ASSERT_TRUE(Write(SampleRecord("SN-A")));

    const Trail all = ReadFile(path_, {});
    EXPECT_EQ(all.records.size(), 4u);
    EXPECT_EQ(all.skipped, 2u);
    EXPECT_EQ(ReadFile(path_, Query{"SN-A", {}, {}}).records.size(), 3u);
    EXPECT_EQ(ReadFile(path_, Query{"SN-A", between, {}}).records.size(), 2u);
    EXPECT_EQ(ReadFile(path_, Query{{}, {}, between}).records.size(), 1u);
    EXPECT_FALSE(ReadFile(path_ + ".missing", {}).error.empty());
}

// What may stand at the path beforehand, and what a write makes of it.
struct PlaceCase {
    const char* name;
    void (*prepare)(const std::string& path);
    bool written;
    unsigned modeAfter;  // of whatever is at the path afterwards
};

void PrintTo(const PlaceCase& row, std::ostream* out) { *out << row.name; }

const PlaceCase kPlaces[] = {
    {"Nothing", [](const std::string&) {}, true, 0600},
    {"OpenToOthers",
     [](const std::string& path) {
         std::ofstream(path) << "";
         chmod(path.c_str(), 0644);
     },
     true, 0600},
    {"LinkToAnotherFile",
     [](const std::string& path) {
         std::ofstream(path + ".target") << "";
         chmod((path + ".target").c_str(), 0644);
         ASSERT_EQ(symlink((path + ".target").c_str(), path.c_str()), 0);
     },
     false, 0777},
    {"Folder",
     [](const std::string& path) {
         fs::create_directory(path);
         chmod(path.c_str(), 0755);
     },
     false, 0755},
};

class FilePlaces : public FileTrail, public testing::WithParamInterface<PlaceCase> {};

TEST_P(FilePlaces, OnlyAPrivateRegularFileIsWritten) {
    fs::create_directories(fs::path(path_).parent_path());
    chmod(fs::path(path_).parent_path().c_str(), 0700);
    GetParam().prepare(path_);
    std::string error;
    EXPECT_EQ(Write(SampleRecord(), &error), GetParam().written);
    EXPECT_EQ(error.empty(), GetParam().written) << error;
    EXPECT_EQ(ModeOf(path_), GetParam().modeAfter);
    if (fs::exists(path_ + ".target")) {
        EXPECT_EQ(fs::file_size(path_ + ".target"), 0u) << "the link was followed";
        EXPECT_EQ(ModeOf(path_ + ".target"), 0644u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FilePlaces, testing::ValuesIn(kPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileTrailNames, SecretsAreKnownByTheirNames) {
    for (const char* secret : {"password", "wifi.ap.password", "serverPassword", "simPin", "aesKey",
                               "rsaAesKey", "p2pCode", "lockPassword"})
        EXPECT_TRUE(IsSecretField(secret)) << secret;
    for (const char* plain : {"ssid", "videoResolution", "mapping", "pairName", "userName"})
        EXPECT_FALSE(IsSecretField(plain)) << plain;
}

TEST(FileTrailNames, DefaultFileFollowsXdgStateHome) {
    setenv("XDG_STATE_HOME", "/srv/state", 1);
    EXPECT_EQ(DefaultFile(), "/srv/state/petrel/audit.jsonl");
    setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored, as the basedir spec says
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(DefaultFile(), "/home/op/.local/state/petrel/audit.jsonl");
    unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace petrel::audit::test
