// The standard-interface family (Init_Device ... SetDeviceReboot) through the exports of
// libPetrel.so, over the simulated camera: the result-code contract of every member, the
// password gate, the record conversions and the lifecycle of the current connection.
#include <chrono>
#include <filesystem>
#include <functional>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

constexpr uint16_t kOk = ZFY_RESULT_SUCCESS;
constexpr uint16_t kNo = ZFY_RESULT_NO_CONNECTION;
constexpr uint16_t kDone = ZFY_RESULT_PASSWORD_DONE;
constexpr uint16_t kRefused = ZFY_RESULT_PASSWORD_REFUSED;

using MemberCall = std::function<ZfyBool(const char* password, uint16_t* result)>;

struct Member {
    const char* name;
    bool gated;
    uint16_t success;
    uint16_t failure;
    uint16_t command;  // the first command it sends once past the gate
    MemberCall call;
    bool leavesCamera = false;
};

int32_t gNumber, gOther;

class StandardInterface : public CameraTest {
protected:
    // The family's state outlives a test; each test leaves it as the library loads.
    void TearDown() override {
        Uninit_Device(nullptr, nullptr);
        CameraTest::TearDown();
    }
    // A camera after Init_Device; unlocked passes the gate as administrator.
    camsim::Camera& Initialised(Carrier carrier, const camsim::CameraState& state = {},
                                bool unlocked = false) {
        camsim::Camera& camera = AddCamera(carrier, state);
        EXPECT_EQ(Init(), kOk);
        if (unlocked) {
            EXPECT_EQ(Verify(kAdminPassword, PETREL_USER_ADMINISTRATOR), kDone);
        }
        camera.clearLog();
        return camera;
    }
    camsim::Camera& Unlocked(Carrier carrier, const camsim::CameraState& state = {}) {
        return Initialised(carrier, state, true);
    }
    // The result code a member wrote; it returns true with its success code alone.
    static uint16_t Result(const MemberCall& call, const char* password, uint16_t success = kOk) {
        uint16_t result = 0x7777;
        const ZfyBool done = call(password, &result);
        EXPECT_EQ(done == ZFY_TRUE, result == success) << result;
        return result;
    }
    static uint16_t Call(const Member& m, const char* password) {
        return Result(m.call, password, m.success);
    }
    static uint16_t Init(uint16_t success = kOk) {
        return Result([](auto, auto* r) { return Init_Device(nullptr, r); }, nullptr, success);
    }
    // VerificationPassword (change false) or SetZFYPassWord (change true).
    static uint16_t Verify(const char* password, int level, bool change = false) {
        return Result(
            [=](auto pw, auto* r) {
                return (change ? SetZFYPassWord : VerificationPassword)(pw, level, r);
            },
            password, kDone);
    }
    static uint16_t Battery(const std::string& password) {
        return Result([](auto pw, auto* r) { return ReadDeviceBatteryDumpEnergy(&gNumber, pw, r); },
                      password.c_str());
    }
};

// Levels of the password checks the camera was asked for, in order.
std::vector<int> PasswordChecks(const camsim::Camera& camera) {
    std::vector<int> levels;
    for (const camsim::LoggedRequest& request : Writes(camera)) {
        if (request.code != 0x20) continue;
        levels.push_back(request.carrier == camsim::Carrier::Disk ? request.params[0]
                                                                  : request.payload.at(0));
    }
    return levels;
}

// Commands the camera saw (USB writes and disk transfers), by code.
bool CameraSaw(const camsim::Camera& camera, uint16_t code) {
    const auto log = camera.log();
    return std::any_of(log.begin(), log.end(), [code](const auto& r) { return r.code == code; });
}

// ---- Every member: the result-code contract --------------------------------------

char gText[64];
const char gModel[] = "BWC_X1";
ZfyInfo gInfo;
ZfyWifiInfo gWifi;
NetworkInfo gNetwork;
BluetoothInfo gBluetooth;
Mobile4GInfo gMobile;
uint64_t gCapacity;

// A member called with one argument, and the password where it takes one.
template <auto Call, auto Argument>
ZfyBool Gated(const char* password, uint16_t* result) {
    return Call(Argument, password, result);
}
template <auto Call, auto Argument>
ZfyBool Ungated(const char*, uint16_t* result) {
    return Call(Argument, result);
}

// clang-format off
const Member kMembers[] = {
    {"GetIDCode", false, kOk, kNo, 0x2D, Ungated<GetIDCode, gText>},
    {"SetIDCode", false, kOk, kNo, 0x2E, Ungated<SetIDCode, gModel>},
    {"GetSerialID", false, kOk, kNo, 0x33, Ungated<GetSerialID, gText>},
    {"VerificationPassword", false, kDone, kRefused, 0x20, [](auto pw, auto* r) { return VerificationPassword(pw, 1, r); }},
    {"SetZFYPassWord", false, kDone, kRefused, 0x22, [](auto pw, auto* r) { return SetZFYPassWord(pw, 1, r); }},
    {"GetZFYInfo", true, kOk, kNo, 0x31, Gated<GetZFYInfo, &gInfo>},
    {"WriteZFYInfo", true, kOk, kNo, 0x32, Gated<WriteZFYInfo, &gInfo>},
    {"SyncDevTime", true, ZFY_RESULT_TIME_SET, ZFY_RESULT_TIME_FAILED, 0x24, SyncDevTime},
    {"ReadDeviceCapacity", true, kOk, kNo, 0x35, Gated<ReadDeviceCapacity, &gCapacity>},
    {"ReadDeviceBatteryDumpEnergy", true, kOk, kNo, 0x29, Gated<ReadDeviceBatteryDumpEnergy, &gNumber>},
    {"ReadDeviceResolution", true, kOk, kNo, 0x27, [](auto pw, auto* r) { return ReadDeviceResolution(&gNumber, &gOther, pw, r); }},
    {"ReadDeviceVersion", true, kOk, kNo, 0x01, Gated<ReadDeviceVersion, gText>},
    {"ReadDeviceDateTime", true, kOk, kNo, 0x23, Gated<ReadDeviceDateTime, gText>},
    {"ReadDeviceNetWorkInfo", true, kOk, kNo, 0x52, Gated<ReadDeviceNetWorkInfo, &gNetwork>},
    {"WriteDeviceNetWorkInfo", true, kOk, kNo, 0x53, Gated<WriteDeviceNetWorkInfo, &gNetwork>},
    {"ReadDeviceWifiInfo", true, kOk, kNo, 0x58, Gated<ReadDeviceWifiInfo, &gWifi>},
    {"WriteDeviceWifiInfo", true, kOk, kNo, 0x59, Gated<WriteDeviceWifiInfo, &gWifi>},
    {"ReadDeviceBluetoothInfo", true, kOk, kNo, 0x54, Gated<ReadDeviceBluetoothInfo, &gBluetooth>},
    {"WriteDeviceBluetoothInfo", true, kOk, kNo, 0x55, Gated<WriteDeviceBluetoothInfo, &gBluetooth>},
    {"ReadDevice4GInfo", true, kOk, kNo, 0x56, Gated<ReadDevice4GInfo, &gMobile>},
    {"WriteDevice4GInfo", true, kOk, kNo, 0x57, Gated<WriteDevice4GInfo, &gMobile>},
    {"FormatDeviceDisk", true, ZFY_RESULT_DISK_FORMATTED, kNo, 0x1001, FormatDeviceDisk},
    {"SetDeviceDefaultSetting", true, kOk, kNo, 0x02, SetDeviceDefaultSetting},
    {"GetCustomizeWaterMarkInfo", true, kOk, kNo, 0x44, Gated<GetCustomizeWaterMarkInfo, gText>},
    {"SetCustomizeWaterMarkInfo", true, kOk, kNo, 0x45, Gated<SetCustomizeWaterMarkInfo, gModel>},
    {"SetMSDC", true, ZFY_RESULT_MSDC_SET, ZFY_RESULT_MSDC_FAILED, 0x2C, SetMSDC, true},
    {"SetDeviceShutdown", true, kOk, kNo, 0x3B, SetDeviceShutdown, true},
    {"SetDeviceReboot", true, kOk, kNo, 0x3C, SetDeviceReboot, true},
};
// clang-format on

const Member& Named(std::string_view name) {
    return *std::find_if(std::begin(kMembers), std::end(kMembers),
                         [name](const Member& m) { return m.name == name; });
}
const Member& kModelCode = Named("GetIDCode");
const Member& kSetModel = Named("SetIDCode");

TEST_F(StandardInterface, BeforeInitEveryMemberWritesTwoAndContactsNothing) {
    camsim::Camera& camera = sim_.addUsbCamera();
    for (const Member& m : kMembers) EXPECT_EQ(Call(m, kAdminPassword), kNo) << m.name;
    EXPECT_TRUE(camera.log().empty());
}

TEST_F(StandardInterface, RefusedPasswordWritesFourAndSendsNothingElse) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1000;
    camsim::Camera& camera = Initialised(Carrier::kUsb, state);
    for (const Member& m : kMembers) {
        if (!m.gated) continue;
        camera.clearLog();
        EXPECT_EQ(Call(m, "000000"), kRefused) << m.name;
        EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1})) << m.name;
        EXPECT_FALSE(CameraSaw(camera, m.command)) << m.name;
        EXPECT_EQ(Call(m, nullptr), kRefused) << m.name;
    }
}

TEST_F(StandardInterface, AFailedCommandWritesTheMembersFailureCode) {
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    for (const Member& m : kMembers) {
        camera.injectFault(camsim::Fault::Unplugged);
        EXPECT_EQ(Call(m, kAdminPassword), m.failure) << m.name;
    }
}

class EveryMember : public StandardInterface, public testing::WithParamInterface<Carrier> {};

TEST_P(EveryMember, SucceedsWithItsCodeAndItsCommandReachesTheCamera) {
    camsim::Camera& camera = Unlocked(GetParam());
    for (const Member& m : kMembers) {
        if (m.leavesCamera) continue;
        EXPECT_EQ(Call(m, kAdminPassword), m.success) << m.name;
        EXPECT_TRUE(CameraSaw(camera, m.command)) << m.name;
    }
    // A member that sends the camera away ends the walk (mass storage: see Init below).
    const Member& last =
        Named(GetParam() == Carrier::kUsb ? "SetDeviceShutdown" : "SetDeviceReboot");
    EXPECT_EQ(Call(last, kAdminPassword), last.success);
    EXPECT_TRUE(CameraSaw(camera, last.command));
}

PETREL_ON_EACH_CARRIER(EveryMember);

// ---- The password gate (the same code on both carriers) ---------------------------

TEST_F(StandardInterface, FirstPasswordIsCheckedAsGeneralUserThenAsAdministratorThenRemembered) {
    camsim::Camera& camera = Initialised(Carrier::kUsb);
    EXPECT_EQ(Battery(kAdminPassword), kOk);
    EXPECT_EQ(gNumber, 87);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1}));
    camera.clearLog();
    EXPECT_EQ(Battery(kAdminPassword), kOk);
    EXPECT_EQ(Battery(kGeneralPassword), kRefused)
        << "compared locally, though the camera takes it";
    EXPECT_TRUE(PasswordChecks(camera).empty());
    EXPECT_EQ(Call(kSetModel, nullptr), kOk) << "the gate verified the connection";

    EXPECT_EQ(Init(), kOk) << "and Init_Device resets it";
    camera.clearLog();
    EXPECT_EQ(Call(kSetModel, nullptr), kNo) << "SetModelID needs a verified password";
    EXPECT_TRUE(camera.log().empty());
    EXPECT_EQ(Battery(kGeneralPassword), kOk);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0})) << "a general user costs one check";
}

TEST_F(StandardInterface, FailedChecksLeaveTheGateAndThirtyCharactersAreRemembered) {
    const std::string longText = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";  // 40 characters
    camsim::CameraState state;
    state.passwords[1] = longText.substr(0, 16);  // the camera checks 16 characters
    camsim::Camera& camera = Initialised(Carrier::kUsb, state);
    EXPECT_EQ(Verify(kGeneralPassword, PETREL_USER_ADMINISTRATOR), kRefused);
    EXPECT_EQ(Verify("111111", 0, true), kRefused) << "a change needs a password verified before";
    EXPECT_EQ(Battery("000000"), kRefused);
    EXPECT_EQ(Verify(longText.c_str(), PETREL_USER_ADMINISTRATOR), kDone);
    EXPECT_EQ(Verify("000000", 0), kRefused);
    EXPECT_EQ(Verify(kAdminPassword, 7), kRefused);
    camera.clearLog();
    EXPECT_EQ(Battery(longText), kRefused);
    EXPECT_EQ(Battery(longText.substr(0, 30)), kOk);
    EXPECT_TRUE(PasswordChecks(camera).empty());

    EXPECT_EQ(Verify("654321", 1, true), kDone);
    EXPECT_EQ(Verify("222222", 0, true), kDone);
    EXPECT_EQ(Battery("654321"), kOk);
    EXPECT_EQ(Battery("222222"), kRefused)
        << "a change of the other level leaves the remembered text";
}

// ---- Records ----------------------------------------------------------------------

TEST_F(StandardInterface, ZfyInfoMovesOnlyTheCharacterPositions) {
    camsim::CameraState state;
    state.deviceId = "DEV1234567";  // only the first 7 characters have a place
    state.userId = "A123456789";    // only the first 6
    state.userName = std::string(32, 'n');
    state.unitNumber = "N1";
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    ZfyInfo info, expected;
    std::memset(&info, kUntouched, sizeof info);
    std::memset(&expected, 0, sizeof expected);
    ASSERT_EQ(GetZFYInfo(&info, kAdminPassword, nullptr), ZFY_TRUE);
    std::memcpy(expected.deviceId, "DEV1234\x7E", 8);  // the terminator positions stay
    std::memcpy(expected.userId, "A12345\x7E", 7);
    std::memset(expected.userName, 'n', 33);
    std::memcpy(expected.unitNumber, "N1", 2);
    expected.unitNumber[12] = expected.unitName[32] = expected.userName[32] = kUntouched;
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);

    std::memset(&info, 'X', sizeof info);  // the terminator positions hold junk too
    ASSERT_EQ(WriteZFYInfo(&info, kAdminPassword, nullptr), ZFY_TRUE);
    const camsim::CameraState after = camera.state();
    EXPECT_EQ(after.deviceId + after.userId, std::string(13, 'X'));
    EXPECT_EQ(after.userName + after.unitNumber + after.unitName, std::string(76, 'X'));
}

template <class Record, size_t kSize>
void Hold(std::array<uint8_t, kSize>& bytes, const Record& record) {
    static_assert(sizeof record == kSize);
    std::memcpy(bytes.data(), &record, kSize);
}

template <class Record, size_t kSize>
bool Holds(const std::array<uint8_t, kSize>& bytes, const Record& record) {
    static_assert(sizeof record == kSize);
    return std::memcmp(bytes.data(), &record, kSize) == 0;
}

const WifiApSetting kAp{"CamAP", "secretpw", 2, 1, 161};
const WifiStaSetting kStation{"Office", "pass1234", 1};
const char kPairingCode[32] = "24681357";

// The WiFi record as read in `mode` from a camera holding kAp and kStation; fields of
// the other modes keep the caller's bytes.
ZfyWifiInfo ReadInMode(uint8_t mode, bool modePartFails) {
    ZfyWifiInfo info{1,  mode, "0A1B2C3D4E5F", "10.0.0.7", kUntouched,
                     {}, {},   kUntouched,     "10.0.0.1"};
    std::memset(info.ssid, kUntouched, sizeof info.ssid);
    std::memset(info.password, kUntouched, sizeof info.password);
    if (modePartFails) return info;
    const char* passwords[] = {kAp.password, kStation.password, kPairingCode};
    std::memcpy(info.password, passwords[mode], sizeof info.password);
    if (mode != 2) std::memcpy(info.ssid, mode == 0 ? kAp.ssid : kStation.ssid, sizeof info.ssid);
    if (mode == 0) info.band = kAp.band;
    if (mode == 1) info.autoGetIp = kStation.autoGetIp;
    return info;
}

class WifiReading : public StandardInterface,
                    public testing::WithParamInterface<std::tuple<uint8_t, bool>> {};

TEST_P(WifiReading, CommonPartAndThePartOfTheMode) {
    const auto [mode, modePartFails] = GetParam();
    camsim::CameraState state;
    Hold(state.wifiUniversal, WifiUniversal{1, mode, 3, "0A1B2C3D4E5F", "10.0.0.7", "10.0.0.1"});
    Hold(state.wifiApSetting, kAp);
    Hold(state.wifiStaSetting, kStation);
    state.p2pCode = "24681357";
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    if (modePartFails) camera.injectFault(camsim::Fault::NoReply, 2);
    ZfyWifiInfo info;
    std::memset(&info, kUntouched, sizeof info);
    EXPECT_EQ(
        Result([&](auto pw, auto* r) { return ReadDeviceWifiInfo(&info, pw, r); }, kAdminPassword),
        kOk)
        << "the mode part's outcome does not change the result";
    const ZfyWifiInfo expected = ReadInMode(mode, modePartFails);
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiReading,
                         testing::Values(std::tuple<uint8_t, bool>{0, false}, std::tuple{1, false},
                                         std::tuple{2, false}, std::tuple{0, true}));

struct WifiWrite {
    uint8_t mode;
    uint8_t band;
    const char* password;  // null: a full field of 'p'
    uint16_t secondCommand;
    bool secondSent;
};

class WifiWriting : public StandardInterface, public testing::WithParamInterface<WifiWrite> {};

TEST_P(WifiWriting, CommonPartThenThePartOfTheMode) {
    const WifiWrite& c = GetParam();
    camsim::CameraState state;
    state.wifiUniversal[offsetof(WifiUniversal, connectTimeout)] = 4;
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    ZfyWifiInfo info{2,  c.mode, "0A1B2C3D4E5F", "192.168.4.2", c.band, "home\0junk",
                     {}, 1,      "192.168.4.1"};
    std::memset(info.password, c.password != nullptr ? 0 : 'p', sizeof info.password);
    if (c.password != nullptr) std::memcpy(info.password, c.password, std::strlen(c.password));
    ASSERT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, nullptr), ZFY_TRUE);
    const camsim::CameraState after = camera.state();
    EXPECT_TRUE(Holds(after.wifiUniversal,
                      WifiUniversal{2, c.mode, 0, "0A1B2C3D4E5F", "192.168.4.2", "192.168.4.1"}))
        << "connectTimeout is always 0";
    EXPECT_EQ(CameraSaw(camera, c.secondCommand), c.secondSent);
    WifiApSetting ap{
        "home\0junk", {}, ZFY_AP_CONNECTION_LIMIT, c.band, uint8_t(c.band == 1 ? 161 : 11)};
    std::memcpy(ap.password, info.password, sizeof ap.password);
    // Station texts go up to their end, with zeros behind.
    const WifiStaSetting station{"home", "wpa2", 1};
    EXPECT_TRUE(c.mode != 0 || Holds(after.wifiApSetting, ap));
    EXPECT_TRUE(c.mode != 1 || Holds(after.wifiStaSetting, station));
    EXPECT_EQ(after.p2pCode, c.mode == 2 && c.secondSent ? c.password : "12345678");
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiWriting,
                         testing::Values(WifiWrite{0, 1, nullptr, 0x5B, true},
                                         WifiWrite{0, 0, nullptr, 0x5B, true},
                                         WifiWrite{0, 7, nullptr, 0x5B, true},
                                         WifiWrite{1, 1, "wpa2", 0x5B, false},
                                         WifiWrite{2, 0, "87654321", 0x63, true},
                                         WifiWrite{2, 0, nullptr, 0x63, false}));

TEST_F(StandardInterface, NumbersAreConverted) {
    camsim::CameraState state;
    state.diskTotalMb = 30000;
    state.batteryPercent = 0xFFFF;
    state.clock = camsim::DateTime{2024, 3, 5, 14, 7, 0};
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    uint64_t capacity = 0;
    ASSERT_EQ(ReadDeviceCapacity(&capacity, kAdminPassword, nullptr), ZFY_TRUE);
    EXPECT_EQ(capacity, 31457280000ull) << "in bytes, beyond 32 bits";
    EXPECT_EQ(Battery(kAdminPassword), kOk);
    EXPECT_EQ(gNumber, 65535) << "zero-extended";
    char text[ZFY_DATE_TIME_SIZE + 1];
    std::memset(text, kUntouched, sizeof text);
    ASSERT_EQ(ReadDeviceDateTime(text, kAdminPassword, nullptr), ZFY_TRUE);
    EXPECT_EQ(std::string(text, 18), "2024/03/05 14:07:0") << text;  // the clock runs on
    EXPECT_EQ(text[19], '\0');
    EXPECT_EQ(text[ZFY_DATE_TIME_SIZE], kUntouched);

    const auto resolution = [&](uint8_t code) {
        camera.update([code](camsim::CameraState& s) { s.sysParam[0] = code; });
        int32_t width = -1, height = -1;
        EXPECT_EQ(ReadDeviceResolution(&width, &height, kAdminPassword, nullptr), ZFY_TRUE);
        return std::pair{width, height};
    };
#define CHECK_ROW(code, width, height) \
    EXPECT_EQ(resolution(code), std::pair(width, height)) << code;
    PETREL_ZFY_RESOLUTIONS(CHECK_ROW)
#undef CHECK_ROW
    for (uint8_t code : {3, 13, 255}) EXPECT_EQ(resolution(code), std::pair(840, 480)) << code;
}

// ---- Lifecycle --------------------------------------------------------------------

// Camera nodes this process holds open. Under umockdev a USB node opens as a file of the
// testbed and a SCSI generic node as a pseudo-terminal; its own sockets are left out.
size_t OpenCameraNodes(const std::string& testbedRoot) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target.starts_with(testbedRoot + "/dev/") || target.starts_with("/dev/pts/")) ++count;
    }
    return count;
}

// The sanitizer build's leak check covers these too: a dropped record shows at exit.
class Lifecycle : public StandardInterface, public testing::WithParamInterface<Carrier> {};

TEST_P(Lifecycle, InitReplacesAndUninitClosesTheCurrentConnection) {
    camsim::Camera& camera = Unlocked(GetParam());
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Init(), kOk);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    EXPECT_EQ(Result([](auto, auto* r) { return Uninit_Device(nullptr, r); }, nullptr), kOk);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u);
    EXPECT_EQ(Call(kModelCode, nullptr), kNo);
    EXPECT_EQ(Uninit_Device(nullptr, nullptr), ZFY_TRUE) << "without connection or result";

    EXPECT_EQ(Init(), kOk);
    camera.unplug();
    EXPECT_EQ(Init(), kNo);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u) << "finding nothing closes the old one";
    camera.plugIn();
    camera.clearLog();
    EXPECT_EQ(Call(kModelCode, nullptr), kNo);
    EXPECT_TRUE(camera.log().empty());
}

// A caller closing a handle of its own twice must not close the family's connection, even
// when the family connected after the first close.
TEST_P(Lifecycle, AStaleCloseLeavesTheCurrentConnection) {
    AddCamera(GetParam());
    DeviceConnection* stale = nullptr;
    ASSERT_EQ(ConnectFirst(&stale), STATUS_OK);
    EXPECT_EQ(CloseDevice(stale), 0);
    EXPECT_EQ(Init(), kOk);
    EXPECT_EQ(CloseDevice(stale), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    EXPECT_EQ(Call(kModelCode, nullptr), kOk);
}

TEST_P(Lifecycle, VersionMismatchWritesTwoHundredFiftyFiveWithAUsableConnection) {
    camsim::CameraState state;
    state.version = "FW_2.4.1_API_1.0.7_B0420";
    AddCamera(GetParam(), state);
    EXPECT_EQ(Init(ZFY_RESULT_VERSION_MISMATCH), ZFY_RESULT_VERSION_MISMATCH);
    EXPECT_EQ(Call(kModelCode, nullptr), kOk);
}

PETREL_ON_EACH_CARRIER(Lifecycle);

TEST_F(StandardInterface, InitTakesTheUsbCameraElseTheDiskOfTheLowestLetter) {
    sim_.addPlainDisk();
    EXPECT_EQ(Init(), kNo);
    camsim::CameraState first, usb;
    first.modelId = "BWC_FIRST";
    usb.modelId = "BWC_USB";
    camsim::Camera& camera = sim_.addUsbCamera(usb);
    sim_.addDiskCamera(first);
    sim_.addDiskCamera();
    EXPECT_EQ(Init(), kOk);
    ASSERT_EQ(Verify(kAdminPassword, 1), kDone);
    EXPECT_EQ(Call(kModelCode, nullptr), kOk);
    EXPECT_STREQ(gText, "BWC_USB");
    ASSERT_EQ(Call(Named("SetMSDC"), kAdminPassword), ZFY_RESULT_MSDC_SET);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(5)));
    EXPECT_EQ(Call(kModelCode, nullptr), kNo) << "no carrier once the camera left for its disk";
    camera.unplug();

    // Letters stick to their disks for the life of the process: the lowest one says which.
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 2);
    ASSERT_EQ(ConnectDevice(list[0], &connection_), STATUS_OK);
    ReleaseList(list.data(), 2);
    char expected[33] = {};
    ASSERT_EQ(GetModelID(connection_, expected), STATUS_OK);
    EXPECT_EQ(Init(), kOk);
    EXPECT_EQ(Call(kModelCode, nullptr), kOk);
    EXPECT_STREQ(gText, expected);
}

TEST(ResultNames, EveryResultCodeHasAName) {
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_NO_CONNECTION), "ZFY_RESULT_NO_CONNECTION");
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_VERSION_MISMATCH), "ZFY_RESULT_VERSION_MISMATCH");
    for (uint16_t code = 0; code <= 10; ++code) {
        EXPECT_EQ(ZfyResultName(code) == std::string("ZFY_RESULT_UNKNOWN"), code % 10 == 0) << code;
    }
}

}  // namespace
}  // namespace petrel_test
