// backup, restore and apply, on one camera and on several at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using harness::Folder;
using harness::Outcome;
using harness::RunIn;
using harness::Strings;

constexpr const char* kAdmin = "888888";
const std::string kExample = PETRELCTL_PROFILES "/example.json";

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// Commands that change a record; the library's own SetSystemType on connecting is not one.
std::vector<std::string> Writes(const std::string& log) {
    std::vector<std::string> writes;
    static const std::regex setter(R"(write (Set(?!SystemType)\w+))");
    for (std::sregex_iterator it(log.begin(), log.end(), setter), end; it != end; ++it)
        writes.push_back((*it)[1]);
    return writes;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(Backup, RestoreBringsBackTheStateFileExactly) {
    const Folder folder;
    Write(
        folder.Path("state"),
        "camera "
        "usb\nuserName=Alice\nwaterMark=Caf\\xC3\\xA9\naesKey=0123456789abcdef0123456789abcdef\n");
    ASSERT_EQ(RunIn(folder, {"backup", "--include-secrets", "saved.json"}, kAdmin).status, 0);
    const std::string before = harness::ReadFile(folder.Path("state"));
    for (const Strings& change : {Strings{"identity", "set", "userName=Bob", "watermark=X"},
                                  Strings{"settings", "set", "videoQuality=Low", "preRecord=On"},
                                  Strings{"wifi", "set", "ap.password=secret", "sta.ssid=depot"},
                                  Strings{"encryption", "set", "aesKey=" + std::string(32, 'f')}}) {
        ASSERT_EQ(RunIn(folder, change, kAdmin).status, 0) << change[0];
    }
    const Outcome restored = RunIn(folder, {"restore", "saved.json"}, kAdmin);
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(restored.stateFile, before);
}

TEST(Backup, SecretsOnlyOnRequestAndThenPrivate) {
    struct Row {
        Strings options;
        bool secrets;
        unsigned mode;
    };
    for (const Row& row : {Row{{}, false, 0644}, Row{{"--include-secrets"}, true, 0600}}) {
        const Folder folder;
        Strings arguments = row.options;
        arguments.insert(arguments.end(), {"backup", "saved.json"});
        const Outcome run = RunIn(folder, arguments, kAdmin);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string saved = harness::ReadFile(folder.Path("saved.json"));
        for (const char* secret : {"\"aesKey\"", "\"p2pCode\""})
            EXPECT_EQ(saved.find(secret) != std::string::npos, row.secrets) << saved;
        struct stat info {};
        ASSERT_EQ(stat(folder.Path("saved.json").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, row.mode);
    }
}

// Two cameras into one folder: each gets a file of its own inside it, and no file that
// was there is touched.
TEST(Backup, EachCameraGetsItsOwnFileInsideTheFolder) {
    struct Row {
        const char* name;
        std::vector<std::pair<std::string, std::string>> cameras;  // bar code, serial
        std::set<std::string> files;                               // in backups/ afterwards
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"SameBarCodeAndSerial", {{"BC1", "SN1"}, {"BC1", "SN1"}}, {"BC1-SN1.json", "BC1-SN1-2.json", "BC1-SN1-3.json"}},
        {"HostileBarCode", {{"../escaped", "SN1"}, {"../escaped", "SN2"}}, {"_._escaped-SN1.json", "_._escaped-SN2.json", "BC1-SN1.json"}},
        {"EmptyIdentity", {{"", ""}, {"", ""}}, {"camera.json", "camera-2.json", "BC1-SN1.json"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Folder folder;
        std::string state;
        for (const auto& [barCode, serial] : row.cameras)
            state += "camera usb\nbarCode=" + barCode + "\nserial=" + serial + "\n\n";
        Write(folder.Path("state"), state);
        std::filesystem::create_directory(folder.Path("backups"));
        Write(folder.Path("backups/BC1-SN1.json"), "kept");
        const Outcome run = RunIn(folder, {"--all", "backup", "backups"}, kAdmin);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.out.ends_with("2 of 2 cameras succeeded\n")) << run.out;
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("backups")))
            files.insert(entry.path().filename().string());
        EXPECT_EQ(files, row.files);
        EXPECT_EQ(harness::ReadFile(folder.Path("backups/BC1-SN1.json")), "kept");
        EXPECT_FALSE(std::filesystem::exists(folder.Path("escaped-SN1.json")));
    }
}

// A single file is replaced only with --force, whole, and a symlink there is replaced,
// not followed.
TEST(Backup, AnExistingFileOnlyWithForce) {
    struct Row {
        const char* name;
        bool symlink;  // saved.json links to victim.json
        Strings options;
        int status;
        const char* savedStartsWith;
        unsigned mode;  // of saved.json itself; a symlink's is 0777
    };
    const std::vector<Row> rows = {
        {"FileKept", false, {}, 1, "old", 0644},
        {"FileReplaced", false, {"--force", "--include-secrets"}, 0, "{", 0600},
        {"SymlinkKept", true, {}, 1, "old", 0777},
        {"SymlinkReplaced", true, {"--force"}, 0, "{", 0644},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Folder folder;
        Write(folder.Path(row.symlink ? "victim.json" : "saved.json"), "old");
        chmod(folder.Path("saved.json").c_str(), 0644);
        if (row.symlink) std::filesystem::create_symlink("victim.json", folder.Path("saved.json"));
        Strings arguments = row.options;
        arguments.insert(arguments.end(), {"backup", "saved.json"});
        const Outcome run = RunIn(folder, arguments, kAdmin);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_TRUE(harness::ReadFile(folder.Path("saved.json")).starts_with(row.savedStartsWith));
        EXPECT_EQ(harness::ReadFile(folder.Path("victim.json")), row.symlink ? "old" : "");
        struct stat info {};
        ASSERT_EQ(lstat(folder.Path("saved.json").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, row.mode);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path(".")), {}),
                  row.symlink ? 7 : 6);  // no temporary file is left behind
    }
}

struct BadProfile {
    const char* name;
    std::string document;  // written to profile.json
    const char* named;     // what the refusal must name
    Strings options = {};
    const char* path = "profile.json";  // "fifo" is a FIFO in the folder
};

// Distinct four-letter names, so that 100 000 of them stay under the size limit.
std::string ManyKeys(int count) {
    std::string document = R"({"formatVersion":1)";
    for (int i = 0; i < count; ++i) {
        std::string name = "aaaa";
        for (int n = i, at = 3; n > 0; n /= 26, --at) name[at] = static_cast<char>('a' + n % 26);
        document += ",\"" + name + "\":0";
    }
    return document + "}";
}

// clang-format off
const std::vector<BadProfile> kBadProfiles = {
    {"BadCode", R"({"formatVersion": 1, "settings": {"videoResolution": 7}})", "settings.videoResolution: not one of its codes"},
    {"OverlongUtf8Text", R"({"formatVersion": 1, "identity": {"userName": "ééééééééééééééé€"}})", "identity.userName: must be at most 31"},
    {"BadAddress", R"({"formatVersion": 1, "network": {"serverIp": "10.1.300.4"}})", "network.serverIp: is not an address"},
    {"UnknownField", R"({"formatVersion": 1, "wifi": {"ap.bogus": 1}})", "wifi.ap.bogus: unknown field"},
    {"WrongFormatVersion", R"({"formatVersion": 2, "settings": {}})", "formatVersion: must be 1"},
    {"EveryProblemNamed", R"({"formatVersion": 1, "settings": {"videoQuality": 9, "preRecord": "On"}, "4g": {"apn": 5}})",
     "settings.videoQuality: .*\n  4g.apn: must be a string"},
    {"IdentityOnSeveralCameras", R"({"formatVersion": 1, "identity": {"userId": "123456", "unitName": "x", "barCode": "B1"}})",
     "identity.userId: names one camera.*\n  identity.barCode: names one camera", {"--all"}},
    {"NameGivenTwice", R"({"formatVersion": 1, "settings": {"preRecord": 0, "preRecord": 7}})", "\"preRecord\" is given twice"},
    {"LeadingZero", R"({"formatVersion": 1, "settings": {"preRecord": 07}})", "syntax error"},
    {"BareFraction", R"({"formatVersion": 1, "settings": {"preRecord": 7.}})", "syntax error"},
    {"FractionForWholeNumber", R"({"formatVersion": 1, "bluetooth": {"heartRateHigh": 7.5}})", "bluetooth.heartRateHigh: must be a whole number"},
    {"LoneSurrogate", R"({"formatVersion": 1, "identity": {"unitName": "\ud800"}})", "surrogate"},
    {"SurrogateInUtf8", "{\"formatVersion\": 1, \"identity\": {\"unitName\": \"\xED\xA0\x80\"}}", "invalid string: ill-formed UTF-8"},
    {"ControlCharacter", R"({"formatVersion": 1, "wifi": {"ap.ssid": "a\u001b[2Jb"}})", "wifi.ap.ssid: may not hold control characters"},
    {"ClockFarAway", R"({"formatVersion": 1, "clock": {"offsetSeconds": -5000000000}})", "clock.offsetSeconds: -5000000000 puts the camera's clock outside the years 1900 to 67435"},
    {"HundredThousandNames", ManyKeys(100000), "more than 1024 members"},
    {"Directory", "", "\\. is a directory", {}, "."},
    {"Device", "", "/dev/zero is a device", {}, "/dev/zero"},
    {"Fifo", "", "fifo is a pipe", {}, "fifo"},
    {"LargerThanAMebibyte", "{" + std::string(1024 * 1024, ' ') + "}", "profile.json is larger than 1 MiB"},
};
// clang-format on

void PrintTo(const BadProfile& row, std::ostream* out) { *out << row.name; }

class Refused : public testing::TestWithParam<BadProfile> {};

// Each is refused at once, having sent nothing; the limit leaves room for a loaded
// sanitizer build, and a parser without its member limit takes over 15 s.
TEST_P(Refused, NothingIsSent) {
    const BadProfile& row = GetParam();
    const Folder folder;
    Write(folder.Path("profile.json"), row.document);
    ASSERT_EQ(mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    Strings arguments = row.options;
    arguments.insert(arguments.end(), {"apply", row.path});
    const auto start = std::chrono::steady_clock::now();
    const Outcome run = RunIn(folder, arguments, kAdmin, {"--usb", "2"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(std::regex_search(run.err, std::regex(row.named))) << run.err;
    EXPECT_EQ(run.log, "");
}

INSTANTIATE_TEST_SUITE_P(Profile, Refused, testing::ValuesIn(kBadProfiles),
                         [](const testing::TestParamInfo<BadProfile>& info) {
                             return info.param.name;
                         });

TEST(Apply, DryRunShowsChangesAndWritesNothing) {
    const Folder folder;
    const Outcome run = RunIn(folder, {"--dry-run", "apply", kExample}, kAdmin);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.find("settings.preRecord: 0 \"Off\" -> 7 \"On\"\n") != std::string::npos)
        << run.out;
    EXPECT_TRUE(run.log.find("GetSysParam") != std::string::npos);
    EXPECT_EQ(Writes(run.log), std::vector<std::string>{});
}

TEST(Apply, WritesOnlyRecordsThatDiffer) {
    const Folder folder;
    ASSERT_EQ(RunIn(folder, {"apply", kExample}, kAdmin).status, 0);
    const Outcome again = RunIn(folder, {"apply", kExample}, kAdmin);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Writes(again.log),
              std::vector<std::string>{"SetTime"});  // the profile syncs the clock
    EXPECT_TRUE(again.out.find("records written: 0\n") != std::string::npos) << again.out;
}

// Standard input can be read only once: every camera gets what the check read.
TEST(Apply, ProfileOnStandardInputReachesEveryCamera) {
    const Folder folder;
    Write(folder.Path("stdin"), harness::ReadFile(kExample));
    const Outcome run = RunIn(folder, {"--all", "apply", "-"}, kAdmin, {"--usb", "2"});
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_EQ(Count(run.stateFile, "unitName=Traffic\n"), 2u);
}

TEST(Apply, OneCameraUnpluggedMidwayFailsAloneAndNamed) {
    const Folder folder;
    const Outcome run =
        RunIn(folder, {"--all", "apply", kExample}, kAdmin, {"--usb", "4", "--unplug", "3@8"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        std::regex_search(run.out, std::regex(R"(\nusb:\d +SN0000000003 +BC0000000003 +failed: )")))
        << run.out;
    EXPECT_EQ(Count(run.out, " done\n"), 3u) << run.out;
    EXPECT_TRUE(run.out.ends_with("3 of 4 cameras succeeded\n")) << run.out;
    EXPECT_EQ(Count(run.stateFile, "unitName=Traffic\n"), 3u);
}

TEST(ReadBack, AWriteTheCameraForgotFailsNamingRecordAndField) {
    struct Row {
        Strings arguments;
        const char* carrier;
        const char* named;
    };
    for (const Row& row : {
             Row{{"settings", "set", "preRecord=On"},
                 "--usb",
                 R"(read back settings failed: preRecord is 0 "Off", not 7 "On")"},
             Row{{"identity", "set", "unitName=X"},
                 "--disk",
                 R"(read back unit failed: unitName is "", not "X")"},
             Row{{"apply", kExample}, "--usb", R"(read back settings failed: videoQuality is)"},
         }) {
        const Outcome run =
            harness::RunCtl(row.arguments, kAdmin, {}, {row.carrier, "1", "--forget", "1@1"});
        EXPECT_EQ(run.status, 1) << row.arguments[0];
        EXPECT_TRUE(run.err.find(row.named) != std::string::npos) << run.err;
    }
}

TEST(Several, JsonGivesOneObjectPerCamera) {
    const Folder folder;
    const Outcome run = RunIn(folder, {"--all", "--json", "info"}, nullptr, {"--usb", "3"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::set<std::string> serials;
    for (std::string line; std::getline(lines, line);) {
        const auto object = nlohmann::json::parse(line, nullptr, false);
        ASSERT_TRUE(object.is_object()) << line;
        serials.insert(object.value("serial", ""));
    }
    EXPECT_EQ(serials, (std::set<std::string>{"SN0000000001", "SN0000000002", "SN0000000003"}));
}

TEST(Watch, ProvisionsEachCameraPluggedInOnceAndStopsCleanly) {
    const Folder folder;
    const Outcome run =
        harness::RunWith(folder, {"watch", "--apply", kExample, "--sync-clock"}, kAdmin,
                         {"--usb", "3", "--plug-every", "1s"}, "waitfor lines 3; kill -INT $pid");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string log = "\n" + run.log;
    for (const char* camera : {"1", "2", "3"}) {
        EXPECT_TRUE(std::regex_search(
            run.out, std::regex(std::string(R"(usb:\d{3}/\d{3} SN000000000)") + camera +
                                " BC000000000" + camera + ": apply .*, sync clock: done\n")))
            << run.out;
        for (const char* command : {" write SetSysParam ", " write SetTime "})
            EXPECT_EQ(Count(log, "\n" + std::string(camera) + command), 1u) << command << log;
    }
    EXPECT_EQ(Count(run.out, "\n"), 3u) << run.out;
    // One audit record per camera, with what the profile changed and the clock.
    std::istringstream records(run.audit);
    std::multiset<std::string> recorded;
    for (std::string line; std::getline(records, line);) {
        const auto record = nlohmann::json::parse(line);
        EXPECT_EQ(record.value("operation", ""), "apply");
        EXPECT_TRUE(
            std::regex_search(line, std::regex(R"("field":"videoQuality".*"field":"clock")")))
            << line;
        recorded.insert(record.at("camera").value("serial", ""));
    }
    EXPECT_EQ(recorded,
              (std::multiset<std::string>{"SN0000000001", "SN0000000002", "SN0000000003"}));
}

// Dock mode under an edited profile and Ctrl-C sent to its whole process group: the
// camera being written when the worker is caught (stopped) finishes, or, after a second
// Ctrl-C, is named as unfinished.
TEST(Watch, NeitherAnEditNorCtrlCLeavesACameraHalfDone) {
    struct Row {
        const char* name;
        const char* steps;
        int status;
        const char* out;            // searched in standard output
        const char* err;            // searched in standard error
        Strings finished;           // cameras with every record of the profile written
        Strings untouched;          // cameras sent no write at all
        const char* cameras = "1";  // plugged in half a second apart
    };
    // clang-format off
    const std::vector<Row> rows = {
        {"ProfileEditedThenReloaded",
         "waitfor lines 1; cp edited.json profile.json; kill -HUP $pid; waitfor lines 2; kill -INT $pid",
         0, R"(SN0000000001 BC0000000001: apply profile.json: done\n.*SN0000000002 BC0000000002: apply profile.json: done\n)",
         R"(SIGHUP: profile refused, nothing was sent:\n  identity.userId: names one camera[\s\S]*stays in use)",
         {"1", "2"}, {}, "2"},
        {"CtrlCLetsTheCameraFinish",
         "w=$(catch); kill -STOP $w; kill -INT -$pid; sleep 0.3; kill -CONT $w",
         0, R"(^usb:\d{3}/\d{3} SN0000000001 BC0000000001: apply profile.json: done\n$)", "stopping: no new cameras",
         {"1"}, {}},
        {"SecondCtrlCAbortsNamingTheCamera",
         "w=$(catch); kill -STOP $w; kill -INT -$pid; sleep 0.3; kill -INT -$pid; sleep 0.3; kill -CONT $w",
         1, R"(^usb:\d{3}/\d{3}( SN0000000001( BC0000000001)?)?: apply profile.json: failed: aborted, left unfinished\n$)",
         R"(aborted; unfinished: usb:\d{3}/\d{3}( SN0000000001( BC0000000001)?)?\n)", {}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Folder folder;
        Write(folder.Path("profile.json"), harness::ReadFile(kExample));
        Write(folder.Path("edited.json"),
              R"({"formatVersion": 1, "identity": {"userId": "999999", "userName": "Eve"}})");
        // catch: the first worker, as soon as it is forked (it spends 100 ms connecting).
        const std::string steps =
            "catch() { until pgrep -P $pid; do sleep 0.002; done; }\n" + std::string(row.steps);
        const Outcome run = harness::RunWith(folder, {"watch", "--apply", "profile.json"}, kAdmin,
                                             {"--usb", row.cameras, "--plug-every", "0.5"}, steps);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_TRUE(std::regex_search(run.out, std::regex(row.out))) << run.out;
        EXPECT_TRUE(std::regex_search(run.err, std::regex(row.err))) << run.err;
        EXPECT_EQ(Count(run.stateFile, "userName=Eve"), 0u);
        const std::string log = "\n" + run.log;
        for (const auto& camera : row.finished) {
            for (const char* command : {" write SetSysParam ", " write SetDeptInfo "})
                EXPECT_EQ(Count(log, "\n" + camera + command), 1u) << camera << command << log;
        }
        for (const auto& camera : row.untouched) {
            const std::regex written("\n" + camera + " write Set(?!SystemType)");
            EXPECT_FALSE(std::regex_search(log, written)) << camera << log;
        }
    }
}

}  // namespace
