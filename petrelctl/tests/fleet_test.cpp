// backup, restore and apply, on one camera and on several at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
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
        EXPECT_EQ(saved.find("\"aesKey\"") != std::string::npos, row.secrets) << saved;
        struct stat info {};
        ASSERT_EQ(stat(folder.Path("saved.json").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, row.mode);
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

// Each is refused in well under a second, having sent nothing.
TEST_P(Refused, NothingIsSent) {
    const BadProfile& row = GetParam();
    const Folder folder;
    Write(folder.Path("profile.json"), row.document);
    ASSERT_EQ(mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    Strings arguments = row.options;
    arguments.insert(arguments.end(), {"apply", row.path});
    const auto start = std::chrono::steady_clock::now();
    const Outcome run = RunIn(folder, arguments, kAdmin, {"--usb", "2"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
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
        harness::RunUntilLines(folder, {"watch", "--apply", kExample, "--sync-clock"}, kAdmin,
                               {"--usb", "3", "--plug-every", "1s"}, 3);
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
}

}  // namespace
