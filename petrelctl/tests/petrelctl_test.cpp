// petrelctl as a script sees it: the real program, run by camera-sim against a
// simulated camera whose state is read back from camera-sim's state file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using harness::Outcome;
using harness::RunCtl;
using Strings = harness::Strings;

constexpr const char* kAdmin = "888888";
constexpr const char* kUser = "123456";
constexpr const char* kDefaultSettings =
    "0600020301040000000000000300000000000105010201050101000000000101180103050000000000020001010005"
    "00010100";

struct Case {
    const char* name;
    Strings arguments;
    const char* password;  // PETREL_PASSWORD; null: not set
    int status;
    const char* out;                                              // searched in standard output
    const char* err;                                              // searched in standard error
    std::vector<std::pair<std::string, std::string>> state = {};  // name, whole-value pattern
    Strings initial = {};
    Strings simulator = {};
};

// One row per case reads better than one line per member.
// clang-format off
const std::vector<Case> kCases = {
    {"HelpListsCommands", {"--help"}, nullptr, 0, R"(settings set NAME=VALUE[\s\S]*mass-storage )", ""},
    {"ListNamesEachCamera", {"list"}, nullptr, 0,
     R"(^usb:1 +usb +\d{3}/\d{3} +SN0000000001 +BC0000000001 +BWC_X1\ndrive:D +disk +\d{3}/\d{3} +SN0000000002 +BC0000000002 +BWC_X1\n$)",
     "", {}, {}, {"--usb", "1", "--disk", "1"}},
    {"Info", {"info"}, nullptr, 0, "model: BWC_X1\nbar code: BC0000000001", ""},
    {"InfoOnDisk", {"--drive", "D", "info"}, nullptr, 0, "carrier: disk\ndrive: D", "", {}, {}, {"--disk", "1"}},
    {"LoginAdministrator", {"login"}, kAdmin, 0, "user type: Administrator", ""},
    {"LoginGeneralUser", {"login", "--level", "0", "--password", kUser}, nullptr, 0, "user type: General User", ""},
    {"LoginWrongPassword", {"login", "--password", "000000"}, kAdmin, 1, "", "login failed: STATUS_NOT_VERIFIED"},
    {"WrongPasswordWritesNothing", {"settings", "set", "videoQuality=1"}, "111111", 1, "",
     "login failed: STATUS_NOT_VERIFIED", {{"sysParam", kDefaultSettings}}},
    {"NoPassword", {"battery"}, nullptr, 2, "", "needs a login"},
    {"GeneralUserMayNotWrite", {"--level", "0", "settings", "set", "videoQuality=1"}, kUser, 2, "",
     "administrator level", {{"sysParam", kDefaultSettings}}},
    {"UnknownCommand", {"bogus"}, kAdmin, 2, "", "unknown command bogus \\("},
    {"MistypedCommand", {"setings"}, kAdmin, 2, "", "unknown command setings; did you mean settings\\?"},
    {"Version", {"--version"}, nullptr, 0, "^petrelctl \\d+\\.\\d+", ""},
    {"HelpForOneCommand", {"help", "wifi", "set"}, nullptr, 0, R"(^Usage: petrelctl \[OPTIONS\] wifi set NAME=VALUE[\s\S]*\n  ap\.ssid\n)", ""},
    {"CommandDashHelp", {"clock", "set", "--help"}, nullptr, 0, R"(^Usage: petrelctl \[OPTIONS\] clock set YYYY-MM-DD HH:MM:SS\n\nset the camera's clock\n$)", ""},
    {"LevelWithEquals", {"--level=0", "login"}, kUser, 0, "user type: General User", ""},
    {"ShortOptions", {"-jl", "0", "login"}, kUser, 0, R"("userType": "General User")", ""},
    {"DoubleDashEndsOptions", {"--", "--json"}, kAdmin, 2, "^$", "unknown command --json"},
    {"UsageErrorPrintsNoJson", {"--json", "--camera", "usb:0", "info"}, nullptr, 2, "^$", "--camera takes"},
    {"MissingArguments", {"settings", "set"}, kAdmin, 2, "", "usage: petrelctl settings set"},
    {"DriveTakesOneLetter", {"--drive", "DD", "info"}, nullptr, 2, "", "--drive takes a letter"},
    {"NoCameraOnThatDrive", {"--drive", "E", "info"}, nullptr, 1, "", "select failed: no camera disk on drive E\n", {}, {}, {"--disk", "1"}},
    {"CameraByBarCode", {"--camera", "BC0000000002", "info"}, nullptr, 0, "serial number: SN0000000002", "", {}, {},
     {"--usb", "3"}},
    {"UnknownCamera", {"--camera", "SN0000000009", "info"}, nullptr, 1, "", "no camera found as SN0000000009"},
    {"BadLevel", {"--level", "2", "login"}, kAdmin, 2, "", "--level takes 0 or 1"},

    {"Clock", {"clock"}, kAdmin, 0, "time: 2024-01-01 00:00:0", ""},
    {"ClockSet", {"clock", "set", "2030-05-06", "07:08:09"}, kAdmin, 0, "time: 2030-05-06 07:08:09", "",
     {{"clock", "2030-05-06 07:08:09"}}},
    {"ClockSetRefusesBadDate", {"clock", "set", "2030-02-30 07:08:09"}, kAdmin, 2, "", "expected a time",
     {{"clock", "2024-01-01 00:00:00"}}},
    {"ClockSync", {"--level", "0", "clock", "sync"}, kUser, 0, "time: 2\\d{3}-", "",
     {{"clock", "(?!2024-01-01 00:00:00).*"}}},

    {"Identity", {"identity"}, kAdmin, 0, "modelId: BWC_X1\nversion: FW_2.4.1_API_1.0.8_B0420", ""},
    {"IdentitySet",
     {"identity", "set", "userId=123456", "deviceId=654321", "userName=Alice", "unitName=Traffic", "barCode=BC42",
      "watermark=Unit 7"},
     kAdmin, 0, "userName: Alice", "",
     {{"userId", "123456"}, {"deviceId", "654321"}, {"userName", "Alice"}, {"unitName", "Traffic"},
      {"barCode", "BC42"}, {"waterMark", "Unit 7"}}},
    {"IdentitySetRefusesShortId", {"identity", "set", "userName=Bob", "userId=12345"}, kAdmin, 2, "",
     "userId=12345: must be exactly 6 characters", {{"userName", ""}}},
    {"IdentityRefusesTextThatIsNotUtf8", {"identity", "set", "userName=Caf\xE9"}, kAdmin, 2, "", "not UTF-8",
     {{"userName", ""}}},
    {"TextsRefuseNewline", {"identity", "set", "watermark=a\nb"}, kAdmin, 2, "", R"(watermark=a\\nb: may not hold control characters)",
     {{"waterMark", "BWC"}}},
    {"TextsRefuseEscape", {"wifi", "set", "ap.ssid=\x1b[2Jx"}, kAdmin, 2, "", R"(ap.ssid=\\x1b\[2Jx: may not hold control)"},
    {"TextsRefuseC1", {"identity", "set", "unitName=\xC2\x9B" "2J"}, kAdmin, 2, "", R"(unitName=\\xc2\\x9b2J: may not)"},
    {"CameraTextsPrintedEscaped", {"identity"}, kAdmin, 0, R"(\nwatermark: A\\x1b\[31mB\\nC\\xc2\\x9b\\xff\n)", "", {},
     {"waterMark=A\\x1b[31mB\\x0aC\\xC2\\x9B\\xFF"}},
    {"IdentityModelIsReadOnly", {"identity", "set", "modelId=X"}, kAdmin, 2, "", "cannot be changed"},

    {"Battery", {"--level", "0", "battery"}, kUser, 0, "battery percent: 87", ""},
    {"Disk", {"disk"}, kAdmin, 0, "total MiB: 30528\nfree MiB: 21004\nstorage locked: no", ""},

    {"Settings", {"settings"}, kAdmin, 0,
     R"re(videoResolution: 6 "1920\*1080\(P30\)" \(allowed: 5 "1920\*1080\(P60\)")re", ""},
    {"SettingsSet", {"settings", "set", "videoResolution=11", "timeZone=UTC+8.0", "preRecord=On"}, kAdmin, 0,
     "timeZone: 40 \"UTC\\+8.0\"", "",
     {{"sysParam", "0B0002030104070000000000030000000000010501020105010100000000010128010305000000000002000101000500010100"}}},
    {"SettingsRefuseInvalidCode", {"settings", "set", "videoQuality=1", "videoResolution=7"}, kAdmin, 2, "",
     "videoResolution=7: not one of its codes", {{"sysParam", kDefaultSettings}}},
    {"SettingsRefuseUnknownField", {"settings", "set", "bogus=1"}, kAdmin, 2, "", "unknown field bogus",
     {{"sysParam", kDefaultSettings}}},
    {"SettingsSetOnDisk", {"--drive", "D", "settings", "set", "videoQuality=Low"}, kAdmin, 0, "", "",
     {{"sysParam", "060202.*"}}, {}, {"--disk", "1"}},

    {"NetworkSet", {"network", "set", "deviceName=cam7", "protocol=ONVIF", "serverIp=10.1.2.3", "serverPort=8080"},
     kAdmin, 0, "protocol: 1 \"ONVIF\"", "", {{"networkInfo", "63616D37(00){28}0100(00){16}31302E312E322E33.*"}}},
    {"NetworkRefusesBadAddress", {"network", "set", "serverIp=10.1.2.x"}, kAdmin, 2, "", "serverIp=10.1.2.x",
     {{"networkInfo", "(00)*"}}},
    {"Wifi", {"wifi"}, kAdmin, 0, "channels5G: Auto, 36, 40", ""},
    {"WifiSet", {"wifi", "set", "wifiActivate=Manually", "ap.ssid=field", "p2pCode=87654321"}, kAdmin, 0, "", "",
     {{"wifiUniversal", "02.*"}, {"wifiApSetting", "6669656C64(00)*"}, {"p2pCode", "87654321"}}},
    {"WifiApChannelOfItsBand", {"wifi", "set", "ap.band=5 GHz", "ap.channel=36"}, kAdmin, 0, "ap.channel: 36", "",
     {{"wifiApSetting", "(00){81}0124"}}},
    {"WifiRefusesChannelOutsideBand", {"wifi", "set", "ap.ssid=x", "ap.channel=36"}, kAdmin, 2, "",
     "ap.channel 36 is not in the camera's 2.4 GHz channel list", {{"wifiApSetting", "(00)*"}}},
    {"WifiChannelRefusedBeforeLogin", {"wifi", "set", "ap.channel=200"}, "000000", 2, "", "from 0 to 196"},
    {"WifiHidesPasswords", {"wifi"}, kAdmin, 0, "ap.password: \\(hidden; --show-secrets[\\s\\S]*p2pCode: \\(hidden", "", {}, {"wifiApSetting=" + std::string(48 * 2, '0') + "7365637265740000" + std::string(54, '0')}},
    {"WifiRefusesShortPairingCode", {"wifi", "set", "p2pCode=1234567"}, kAdmin, 2, "", "exactly 8",
     {{"p2pCode", "12345678"}}},
    {"BluetoothSet", {"bluetooth", "set", "btActivate=1", "pairName=watch", "heartRateHigh=180"}, kAdmin, 0, "", "",
     {{"bluetoothInfo", "01.*7761746368.*B4"}}},
    {"BluetoothRefusesRange", {"bluetooth", "set", "heartRateLow=256"}, kAdmin, 2, "", "from 0 to 255"},
    {"Mobile4GSet", {"4g", "set", "activate4G=2", "apn=internet"}, kAdmin, 0, "apn: internet", "",
     {{"mobile4GInfo", "02(00){16}696E7465726E6574.*"}}},

    {"Encryption", {"encryption", "--show-secrets"}, kAdmin, 0, "aesKey: 0{32}", ""},
    {"EncryptionSet", {"encryption", "set", "dataEncryption=Both", "aesKey=0123456789abcdef0123456789abcdef"}, kAdmin,
     0, "", "", {{"dataEncryption", "3"}, {"aesKey", "0123456789abcdef0123456789abcdef"}}},
    {"EncryptionRefusesShortKey", {"encryption", "set", "aesKey=0123"}, kAdmin, 2, "", "exactly 32",
     {{"aesKey", "0{32}"}}},
    {"EncryptionNeedsAdministrator", {"--level", "0", "encryption"}, kUser, 2, "", "administrator level"},

    {"ChangePassword", {"change-password", "0", "654321"}, kAdmin, 0, "password: changed", "",
     {{"password0", "654321"}, {"password1", "888888"}}},
    {"ChangePasswordRefusesLength", {"change-password", "1", "abc"}, kAdmin, 2, "", "exactly 6",
     {{"password1", "888888"}}},
    {"Lock", {"lock"}, kAdmin, 0, "storage locked: yes", "", {{"storageLocked", "1"}, {"lockPassword", "888888"}}},
    {"Unlock", {"unlock"}, kAdmin, 0, "storage locked: no", "", {{"storageLocked", "0"}}, {"storageLocked=1"}},
    {"FormatRefusedWithoutYes", {"format"}, kAdmin, 2, "", "format refused: .*--yes", {{"formatCount", "0"}}},
    {"Format", {"format", "--yes"}, kAdmin, 0, "formatted: yes", "", {{"formatCount", "1"}}},
    {"ResetRefusedWithoutYes", {"reset"}, kAdmin, 2, "", "reset refused", {{"resetCount", "0"}}},
    {"Reset", {"--yes", "reset"}, kAdmin, 0, "reset: yes", "", {{"resetCount", "1"}}},
    {"MassStorage", {"--level", "0", "mass-storage"}, kUser, 0, "mass storage: on", ""},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class Operation : public testing::TestWithParam<Case> {};

TEST_P(Operation, BehavesAsDocumented) {
    const Case& c = GetParam();
    const Outcome run = RunCtl(c.arguments, c.password, c.initial, c.simulator);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    EXPECT_TRUE(std::regex_search(run.out, std::regex(c.out))) << run.out;
    EXPECT_TRUE(std::regex_search(run.err, std::regex(c.err))) << run.err;
    for (const auto& [name, pattern] : c.state) {
        ASSERT_TRUE(run.state.contains(name)) << name;
        EXPECT_TRUE(std::regex_match(run.state.at(name), std::regex(pattern)))
            << name << "=" << run.state.at(name);
    }
}

INSTANTIATE_TEST_SUITE_P(Petrelctl, Operation, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(Password, EachSourceLogsInOrIsRefusedBeforeConnecting) {
    struct Row {
        Strings arguments;
        const char* passwordFile;  // the folder's "pw"
        const char* input;         // standard input
        int status;
        const char* err;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {{"--password-file", "pw", "login"}, "888888\n", "", 0, "^$"},
        {{"login", "--password-stdin"}, nullptr, "888888\r\n", 0, "^$"},
        {{"--password-file", "pw", "login"}, "\n888888\n", "", 2, "pw holds no password"},
        {{"--password-file", "missing", "login"}, nullptr, "", 2, "missing: No such file"},
        {{"--password", kAdmin, "--password-stdin", "login"}, nullptr, kAdmin, 2, "one way"},
        {{"--password-stdin", "apply", "-"}, nullptr, "888888\n", 2, "cannot share"},
        {{"login"}, nullptr, "888888\n", 2, "needs a login"},  // no terminal: no prompt
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const harness::Folder folder;
        if (row.passwordFile) std::ofstream(folder.Path("pw")) << row.passwordFile;
        std::ofstream(folder.Path("stdin")) << row.input;
        const Outcome run = harness::RunIn(folder, row.arguments, nullptr);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_TRUE(std::regex_search(run.err, std::regex(row.err))) << run.err;
        if (row.status == 2) {
            EXPECT_EQ(run.log, "");
        }
    }
}

// The journal keeps each sender's command line with its entries, and ps shows it.
TEST(Password, TypedOnTheCommandLineItIsBlankedOnceRead) {
    const harness::Folder folder;
    const Outcome run = harness::RunWith(
        folder, {"watch", "--sync-clock", "--password", "s3cr3t"}, nullptr, {},
        "waitfor grep -q waiting err; tr '\\0' ' ' < /proc/$pid/cmdline > cmdline; kill -INT $pid");
    const std::string shown = harness::ReadFile(folder.Path("cmdline"));
    EXPECT_NE(shown.find("watch --sync-clock --password xxxxxx"), std::string::npos) << shown;
    EXPECT_EQ(run.status, 0) << run.err;
}

using Json = nlohmann::json;

Json ParseJson(const Outcome& run) {
    const Json document = Json::parse(run.out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << run.out;
    return document;
}

// list, identity, disk, settings and wifi are parsed by the tests below.
TEST(Json, EveryReadingCommandParses) {
    for (const char* command :
         {"info", "clock", "battery", "network", "bluetooth", "4g", "encryption"}) {
        SCOPED_TRACE(command);
        const Outcome run = RunCtl({"--json", command}, kAdmin);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ParseJson(run).value("ok", false), true);
    }
}

TEST(Json, SettingsCarryCodeTextAndAllowedCodes) {
    const Json json = ParseJson(RunCtl({"settings", "--json"}, kAdmin));
    const Json& resolution = json.at("videoResolution");
    EXPECT_EQ(resolution.at("code"), 6);
    EXPECT_EQ(resolution.at("text"), "1920*1080(P30)");
    EXPECT_EQ(resolution.at("allowed").at(0).at("code"), 5);
    EXPECT_EQ(json.at("timeZone").at("allowed").at(48).at("text"), "UTC+12.0");
    EXPECT_EQ(json.at("doubleClickRecord").at("code"), 0);
}

TEST(Json, RecordsKeepTheirTypes) {
    const Json wifi = ParseJson(RunCtl({"--json", "--show-secrets", "wifi"}, kAdmin));
    EXPECT_EQ(wifi.at("p2pCode"), "12345678");
    EXPECT_EQ(wifi.at("ap.connectionLimit"), 0);
    EXPECT_EQ(wifi.at("channels24G").at(11), 11);
    const Json disk = ParseJson(RunCtl({"--json", "disk"}, kAdmin));
    EXPECT_EQ(disk.at("freeMiB"), 21004);
    EXPECT_EQ(disk.at("storageLocked"), false);
    const Json list = ParseJson(RunCtl({"--json", "list"}, nullptr));
    EXPECT_EQ(list.at("cameras").at(0).at("serial"), "SN0000000001");
    EXPECT_EQ(list.at("cameras").at(0).at("barCode"), "BC0000000001");
}

TEST(Json, TextsThatAreNotUtf8StillParse) {
    const Json json =
        ParseJson(RunCtl({"--json", "identity"}, kAdmin, {"waterMark=Caf\\xE9 \\x01"}));
    EXPECT_TRUE(json.at("watermark").get<std::string>().starts_with("Caf")) << json;
}

TEST(Json, FailureNamesStepAndStatus) {
    const Outcome run = RunCtl({"--json", "battery"}, "000000");
    EXPECT_EQ(run.status, 1);
    const Json json = ParseJson(run);
    EXPECT_EQ(json.at("ok"), false);
    EXPECT_EQ(json.at("error").at("code"), "STATUS_NOT_VERIFIED");
    EXPECT_TRUE(json.at("error").at("message").get<std::string>().starts_with("login failed: "))
        << json;
}

std::vector<Json> JsonLines(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(Json::parse(line, nullptr, false));
    return lines;
}

// One camera, one folder: each operation adds its record to the trail (or none), and
// history reads them back in order.
TEST(Audit, EachOperationLeavesOneRecordWithTheChangesAndNoSecret) {
    struct Row {
        Strings arguments;
        const char* password;
        const char* event;  // null: the run leaves no record
        const char* result;
        const char* changes;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {{"settings", "set", "videoResolution=11", "videoQuality=High", "preRecord=On"}, kAdmin, "change", "STATUS_OK",
         R"([{"field": "videoResolution", "old": "6 \"1920*1080(P30)\"", "new": "11 \"1280*720(P30)\""},
             {"field": "preRecord", "old": "0 \"Off\"", "new": "7 \"On\""}])"},
        {{"settings"}, kAdmin, nullptr, "", ""},
        {{"--dry-run", "apply", PETRELCTL_PROFILES "/example.json"}, kAdmin, nullptr, "", ""},
        {{"change-password", "0", "s3cr3t"}, kAdmin, "secret-change", "STATUS_OK",
         R"([{"field": "general user password", "changed": true}])"},
        {{"wifi", "set", "ap.password=wifi-s3cr3t"}, kAdmin, "secret-change", "STATUS_OK",
         R"([{"field": "ap.password", "changed": true}])"},
        {{"--level", "0", "battery"}, "wr0ng1", "login-refused", "STATUS_NOT_VERIFIED", "[]"},
        {{"format", "--yes"}, kAdmin, "action", "STATUS_OK", "[]"},
    };
    // clang-format on
    const harness::Folder folder;
    std::size_t recorded = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const Outcome run = harness::RunIn(folder, row.arguments, row.password);
        const std::vector<Json> records = JsonLines(run.audit);
        ASSERT_EQ(records.size(), recorded + (row.event ? 1 : 0)) << run.audit << run.err;
        if (!row.event) continue;
        const Json& record = records[recorded++];
        EXPECT_EQ(record.value("event", ""), row.event);
        EXPECT_EQ(record.value("result", ""), row.result);
        EXPECT_EQ(record.at("changes"), Json::parse(row.changes));
        EXPECT_EQ(record.at("camera"),
                  Json::parse(R"({"serial": "SN0000000001", "barCode": "BC0000000001",
            "model": "BWC_X1", "firmware": "FW_2.4.1_API_1.0.8_B0420"})"));
        EXPECT_TRUE(
            std::regex_match(record.value("location", ""), std::regex(R"(usb \d{3}/\d{3})")));
        EXPECT_EQ(record.at("user").at("uid"), getuid());
        for (const char* secret : {"s3cr3t", "wr0ng1"})
            EXPECT_EQ(run.audit.find(secret), std::string::npos) << secret;
    }
    EXPECT_EQ(JsonLines(harness::RunIn(folder, {"--json", "history"}, nullptr).out),
              JsonLines(harness::ReadFile(folder.Path("audit.jsonl"))));
    const Outcome history =
        harness::RunIn(folder, {"history", "--camera", "SN0000000001"}, nullptr);
    EXPECT_TRUE(std::regex_search(
        history.out,
        std::regex(
            "^camera SN0000000001, bar code BC0000000001, BWC_X1 FW_[^\n]*\n"
            "  [-0-9]{10} [:0-9]{8}  settings set by .*: STATUS_OK, read back agreed\n"
            "    videoResolution: 6 \"1920\\*1080\\(P30\\)\" -> 11 .*\n    preRecord: .*\n"
            ".*change-password .*\n    general user password: changed .*\n"
            ".*wifi set.*\n.*\n.*login by .*STATUS_NOT_VERIFIED\n.*format by .*: STATUS_OK\n$")))
        << history.out;
    EXPECT_EQ(harness::RunIn(folder, {"history", "--since", "2200-01-01"}, nullptr).out, "");
    EXPECT_EQ(harness::RunIn(folder, {"history", "--until", "2030-02-30"}, nullptr).status, 2);
}

TEST(Audit, ARecordThatCannotBeWrittenFailsTheRunAfterTheChange) {
    const harness::Folder folder;
    std::filesystem::create_directory(folder.Path("audit.jsonl"));
    const Outcome run = harness::RunIn(folder, {"settings", "set", "preRecord=On"}, kAdmin);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(std::regex_search(run.out, std::regex("preRecord: 7 \"On\"")));
    EXPECT_TRUE(std::regex_search(
        run.err,
        std::regex(
            "the audit record of settings set on camera SN0000000001 could not be written: ")))
        << run.err;
}

}  // namespace
