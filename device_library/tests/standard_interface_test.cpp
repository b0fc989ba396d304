// The standard-interface family (Init_Device ... SetDeviceReboot) through the exports of
// libPetrel.so, over the simulated camera: the result-code contract of every member, the
// password gate, the record conversions and the lifecycle of the current connection.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

constexpr uint16_t kUntouched16 = 0x7777;
constexpr char kJunk = 0x7E;

class StandardInterface : public CameraTest {
protected:
    // The family's state outlives a test; each test leaves it as the library loads.
    void TearDown() override {
        Uninit_Device(nullptr, nullptr);
        CameraTest::TearDown();
    }
    camsim::Camera& Initialised(Carrier carrier, const camsim::CameraState& state = {}) {
        camsim::Camera& camera = AddCamera(carrier, state);
        EXPECT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE);
        EXPECT_EQ(result_, ZFY_RESULT_SUCCESS);
        camera.clearLog();
        return camera;
    }
    // As Initialised, with the gate passed as administrator.
    camsim::Camera& Unlocked(Carrier carrier, const camsim::CameraState& state = {}) {
        camsim::Camera& camera = Initialised(carrier, state);
        EXPECT_EQ(VerificationPassword(kAdminPassword, PETREL_USER_ADMINISTRATOR, &result_), ZFY_TRUE);
        camera.clearLog();
        return camera;
    }
    // Runs a member and returns its result code (kUntouched16 when it wrote none).
    template <class Member>
    uint16_t Result(Member&& member, ZfyBool expected) {
        result_ = kUntouched16;
        EXPECT_EQ(member(&result_), expected);
        return result_;
    }
    uint16_t result_ = kUntouched16;
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

struct Member {
    const char* name;
    bool gated;
    uint16_t success;
    uint16_t failure;
    uint16_t command;  // the first command it sends once past the gate
    std::function<ZfyBool(const char* password, uint16_t* result)> call;
    bool leavesCamera = false;
};

char gText[64];
ZfyInfo gInfo;
ZfyWifiInfo gWifi;
NetworkInfo gNetwork;
BluetoothInfo gBluetooth;
Mobile4GInfo gMobile;
uint64_t gCapacity;
int32_t gNumber, gOther;

constexpr uint16_t kOk = ZFY_RESULT_SUCCESS;
constexpr uint16_t kNo = ZFY_RESULT_NO_CONNECTION;
constexpr uint16_t kDone = ZFY_RESULT_PASSWORD_DONE;
constexpr uint16_t kRefused = ZFY_RESULT_PASSWORD_REFUSED;

const Member kMembers[] = {
    {"GetIDCode", false, kOk, kNo, 0x2D, [](auto, auto* r) { return GetIDCode(gText, r); }},
    {"SetIDCode", false, kOk, kNo, 0x2E, [](auto, auto* r) { return SetIDCode("BWC_X1", r); }},
    {"GetSerialID", false, kOk, kNo, 0x33, [](auto, auto* r) { return GetSerialID(gText, r); }},
    {"VerificationPassword", false, kDone, kRefused, 0x20,
     [](auto pw, auto* r) { return VerificationPassword(pw, 1, r); }},
    {"SetZFYPassWord", false, kDone, kRefused, 0x22,
     [](auto pw, auto* r) { return SetZFYPassWord(pw, 1, r); }},
    {"GetZFYInfo", true, kOk, kNo, 0x31, [](auto pw, auto* r) { return GetZFYInfo(&gInfo, pw, r); }},
    {"WriteZFYInfo", true, kOk, kNo, 0x32, [](auto pw, auto* r) { return WriteZFYInfo(&gInfo, pw, r); }},
    {"SyncDevTime", true, ZFY_RESULT_TIME_SET, ZFY_RESULT_TIME_FAILED, 0x24, SyncDevTime},
    {"ReadDeviceCapacity", true, kOk, kNo, 0x35,
     [](auto pw, auto* r) { return ReadDeviceCapacity(&gCapacity, pw, r); }},
    {"ReadDeviceBatteryDumpEnergy", true, kOk, kNo, 0x29,
     [](auto pw, auto* r) { return ReadDeviceBatteryDumpEnergy(&gNumber, pw, r); }},
    {"ReadDeviceResolution", true, kOk, kNo, 0x27,
     [](auto pw, auto* r) { return ReadDeviceResolution(&gNumber, &gOther, pw, r); }},
    {"ReadDeviceVersion", true, kOk, kNo, 0x01,
     [](auto pw, auto* r) { return ReadDeviceVersion(gText, pw, r); }},
    {"ReadDeviceDateTime", true, kOk, kNo, 0x23,
     [](auto pw, auto* r) { return ReadDeviceDateTime(gText, pw, r); }},
    {"ReadDeviceNetWorkInfo", true, kOk, kNo, 0x52,
     [](auto pw, auto* r) { return ReadDeviceNetWorkInfo(&gNetwork, pw, r); }},
    {"WriteDeviceNetWorkInfo", true, kOk, kNo, 0x53,
     [](auto pw, auto* r) { return WriteDeviceNetWorkInfo(&gNetwork, pw, r); }},
    {"ReadDeviceWifiInfo", true, kOk, kNo, 0x58,
     [](auto pw, auto* r) { return ReadDeviceWifiInfo(&gWifi, pw, r); }},
    {"WriteDeviceWifiInfo", true, kOk, kNo, 0x59,
     [](auto pw, auto* r) { return WriteDeviceWifiInfo(&gWifi, pw, r); }},
    {"ReadDeviceBluetoothInfo", true, kOk, kNo, 0x54,
     [](auto pw, auto* r) { return ReadDeviceBluetoothInfo(&gBluetooth, pw, r); }},
    {"WriteDeviceBluetoothInfo", true, kOk, kNo, 0x55,
     [](auto pw, auto* r) { return WriteDeviceBluetoothInfo(&gBluetooth, pw, r); }},
    {"ReadDevice4GInfo", true, kOk, kNo, 0x56,
     [](auto pw, auto* r) { return ReadDevice4GInfo(&gMobile, pw, r); }},
    {"WriteDevice4GInfo", true, kOk, kNo, 0x57,
     [](auto pw, auto* r) { return WriteDevice4GInfo(&gMobile, pw, r); }},
    {"FormatDeviceDisk", true, ZFY_RESULT_DISK_FORMATTED, kNo, 0x1001, FormatDeviceDisk},
    {"SetDeviceDefaultSetting", true, kOk, kNo, 0x02, SetDeviceDefaultSetting},
    {"GetCustomizeWaterMarkInfo", true, kOk, kNo, 0x44,
     [](auto pw, auto* r) { return GetCustomizeWaterMarkInfo(gText, pw, r); }},
    {"SetCustomizeWaterMarkInfo", true, kOk, kNo, 0x45,
     [](auto pw, auto* r) { return SetCustomizeWaterMarkInfo("BWC", pw, r); }},
    {"SetMSDC", true, ZFY_RESULT_MSDC_SET, ZFY_RESULT_MSDC_FAILED, 0x2C, SetMSDC, true},
    {"SetDeviceShutdown", true, kOk, kNo, 0x3B, SetDeviceShutdown, true},
    {"SetDeviceReboot", true, kOk, kNo, 0x3C, SetDeviceReboot, true},
};

TEST_F(StandardInterface, BeforeInitEveryMemberWritesTwoAndContactsNothing) {
    camsim::Camera& camera = sim_.addUsbCamera();
    for (const Member& m : kMembers) {
        EXPECT_EQ(Result([&](auto* r) { return m.call(kAdminPassword, r); }, ZFY_FALSE), kNo) << m.name;
    }
    EXPECT_TRUE(camera.log().empty());
}

TEST_F(StandardInterface, RefusedPasswordWritesFourAndSendsNothingElse) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1000;
    camsim::Camera& camera = Initialised(Carrier::kUsb, state);
    for (const Member& m : kMembers) {
        if (!m.gated) continue;
        camera.clearLog();
        EXPECT_EQ(Result([&](auto* r) { return m.call("000000", r); }, ZFY_FALSE), kRefused) << m.name;
        EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1})) << m.name;
        EXPECT_FALSE(CameraSaw(camera, m.command)) << m.name;
        EXPECT_EQ(Result([&](auto* r) { return m.call(nullptr, r); }, ZFY_FALSE), kRefused) << m.name;
    }
}

TEST_F(StandardInterface, AFailedCommandWritesTheMembersFailureCode) {
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    for (const Member& m : kMembers) {
        camera.injectFault(camsim::Fault::Unplugged);
        EXPECT_EQ(Result([&](auto* r) { return m.call(kAdminPassword, r); }, ZFY_FALSE), m.failure)
            << m.name;
    }
}

class EveryMember : public StandardInterface, public testing::WithParamInterface<Carrier> {};

TEST_P(EveryMember, SucceedsWithItsCodeAndItsCommandReachesTheCamera) {
    camsim::Camera& camera = Unlocked(GetParam());
    for (const Member& m : kMembers) {
        if (m.leavesCamera) continue;
        EXPECT_EQ(Result([&](auto* r) { return m.call(kAdminPassword, r); }, ZFY_TRUE), m.success)
            << m.name;
        EXPECT_TRUE(CameraSaw(camera, m.command)) << m.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Carriers, EveryMember, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         [](const auto& info) { return CarrierName(info.param); });

// Members after which the camera is gone, each on a camera of its own.
class LeavingMember : public StandardInterface,
                      public testing::WithParamInterface<std::tuple<Carrier, size_t>> {};

TEST_P(LeavingMember, SucceedsWithItsCode) {
    const Member& m = kMembers[std::size(kMembers) - 1 - std::get<1>(GetParam())];
    ASSERT_TRUE(m.leavesCamera);
    camsim::CameraState state;
    state.rebootDelay = std::chrono::milliseconds(50);
    camsim::Camera& camera = Unlocked(std::get<0>(GetParam()), state);
    EXPECT_EQ(Result([&](auto* r) { return m.call(kAdminPassword, r); }, ZFY_TRUE), m.success);
    EXPECT_TRUE(CameraSaw(camera, m.command));
}

INSTANTIATE_TEST_SUITE_P(Members, LeavingMember,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::Values(0u, 1u, 2u)));

// ---- The password gate ------------------------------------------------------------

TEST_F(StandardInterface, FirstPasswordIsCheckedAsGeneralUserThenAsAdministratorThenRemembered) {
    camsim::Camera& camera = Initialised(Carrier::kUsb);
    const auto battery = [](const char* password) {
        return [password](uint16_t* r) { return ReadDeviceBatteryDumpEnergy(&gNumber, password, r); };
    };
    EXPECT_EQ(Result(battery(kAdminPassword), ZFY_TRUE), kOk);
    EXPECT_EQ(gNumber, 87);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1}));
    camera.clearLog();
    EXPECT_EQ(Result(battery(kAdminPassword), ZFY_TRUE), kOk);
    EXPECT_EQ(Result(battery(kGeneralPassword), ZFY_FALSE), kRefused)
        << "another text is compared locally, even one the camera would accept";
    EXPECT_TRUE(PasswordChecks(camera).empty());

    ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE) << "Init_Device resets the gate";
    camera.clearLog();
    EXPECT_EQ(Result(battery(kGeneralPassword), ZFY_TRUE), kOk);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0})) << "a general user costs one check";
}

TEST_F(StandardInterface, FailedChecksLeaveTheGateAsItWas) {
    camsim::Camera& camera = Initialised(Carrier::kUsb);
    EXPECT_EQ(Result([](auto* r) { return VerificationPassword(kGeneralPassword, 1, r); }, ZFY_FALSE),
              kRefused);
    EXPECT_EQ(Result([](auto* r) { return SetZFYPassWord("111111", 0, r); }, ZFY_FALSE), kRefused)
        << "a change needs a password verified before";
    EXPECT_EQ(Result([](auto* r) { return VerificationPassword(kAdminPassword, 1, r); }, ZFY_TRUE),
              kDone);
    EXPECT_EQ(Result([](auto* r) { return VerificationPassword("000000", 0, r); }, ZFY_FALSE),
              kRefused);
    EXPECT_EQ(Result([](auto* r) { return VerificationPassword(kAdminPassword, 7, r); }, ZFY_FALSE),
              kRefused);
    camera.clearLog();
    EXPECT_EQ(Result([](auto* r) { return ReadDeviceBatteryDumpEnergy(&gNumber, kAdminPassword, r); },
                     ZFY_TRUE),
              kOk);
    EXPECT_TRUE(PasswordChecks(camera).empty());
}

TEST_F(StandardInterface, OnlyThirtyCharactersAreRememberedAndChangesKeepTheGateInStep) {
    const std::string longText = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";  // 40 characters
    camsim::CameraState state;
    state.passwords[1] = longText.substr(0, 16);  // the camera checks 16 characters
    Initialised(Carrier::kUsb, state);
    const auto battery = [](std::string password) {
        return [password](uint16_t* r) {
            return ReadDeviceBatteryDumpEnergy(&gNumber, password.c_str(), r);
        };
    };
    EXPECT_EQ(Result(battery(longText), ZFY_TRUE), kOk);
    EXPECT_EQ(Result(battery(longText), ZFY_FALSE), kRefused);
    EXPECT_EQ(Result(battery(longText.substr(0, 30)), ZFY_TRUE), kOk);

    EXPECT_EQ(Result([](auto* r) { return SetZFYPassWord("654321", 1, r); }, ZFY_TRUE), kDone);
    EXPECT_EQ(Result([](auto* r) { return SetZFYPassWord("222222", 0, r); }, ZFY_TRUE), kDone);
    EXPECT_EQ(Result(battery("654321"), ZFY_TRUE), kOk);
    EXPECT_EQ(Result(battery("222222"), ZFY_FALSE), kRefused)
        << "a change of the other level leaves the remembered text";
}

TEST_F(StandardInterface, UngatedMembersStillNeedWhatTheirExportNeeds) {
    camsim::Camera& camera = Initialised(Carrier::kUsb);
    EXPECT_EQ(Result([](auto* r) { return SetIDCode("BWC_X2", r); }, ZFY_FALSE), kNo)
        << "SetModelID needs a verified password";
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(nullptr, r); }, ZFY_FALSE), kNo);
    EXPECT_TRUE(camera.log().empty());
    EXPECT_EQ(Result([](auto* r) { return GetSerialID(gText, r); }, ZFY_TRUE), kOk);
    EXPECT_STREQ(gText, "BC0000000001");
}

// ---- Records ----------------------------------------------------------------------

TEST_F(StandardInterface, ZfyInfoMovesOnlyTheCharacterPositions) {
    camsim::CameraState state;
    state.deviceId = "DEV1234567";  // only the first 7 characters have a place
    state.userId = "A123456789";    // only the first 6
    state.userName = std::string(32, 'n');
    state.unitNumber = "N1";
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    ZfyInfo info;
    std::memset(&info, kJunk, sizeof info);
    ASSERT_EQ(GetZFYInfo(&info, kAdminPassword, &result_), ZFY_TRUE);
    ZfyInfo expected;
    std::memset(&expected, kJunk, sizeof expected);  // the terminator positions stay
    std::memcpy(expected.deviceId, "DEV1234", 7);
    std::memcpy(expected.userId, "A12345", 6);
    std::memset(expected.userName, 'n', 32);
    std::memset(expected.unitNumber, 0, 12);
    std::memcpy(expected.unitNumber, "N1", 2);
    std::memset(expected.unitName, 0, 32);
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);

    std::memset(&info, 'X', sizeof info);  // the terminator positions hold junk too
    std::memcpy(info.deviceId, "DEV7654", 7);
    std::memcpy(info.userId, "P00042", 6);
    ASSERT_EQ(WriteZFYInfo(&info, kAdminPassword, &result_), ZFY_TRUE);
    const camsim::CameraState after = camera.state();
    EXPECT_EQ(after.deviceId, "DEV7654");
    EXPECT_EQ(after.userId, "P00042");
    EXPECT_EQ(after.userName, std::string(32, 'X'));
    EXPECT_EQ(after.unitNumber, std::string(12, 'X'));
    EXPECT_EQ(after.unitName, std::string(32, 'X'));
}

template <class Record, size_t kSize>
void Hold(std::array<uint8_t, kSize>& bytes, const Record& record) {
    static_assert(sizeof record == kSize);
    std::memcpy(bytes.data(), &record, kSize);
}

template <class Record, size_t kSize>
Record Held(const std::array<uint8_t, kSize>& bytes) {
    Record record;
    static_assert(sizeof record == kSize);
    std::memcpy(&record, bytes.data(), kSize);
    return record;
}

struct WifiRead {
    uint8_t mode;
    bool modePartFails;
};

class WifiReading : public StandardInterface, public testing::WithParamInterface<WifiRead> {};

TEST_P(WifiReading, CommonPartAndThePartOfTheMode) {
    const WifiUniversal universal{1, GetParam().mode, 3, "0A1B2C3D4E5F", "10.0.0.7", "10.0.0.1"};
    const WifiApSetting ap{"CamAP", "secretpw", 2, 1, 161};
    const WifiStaSetting station{"Office", "pass1234", 1};
    camsim::CameraState state;
    Hold(state.wifiUniversal, universal);
    Hold(state.wifiApSetting, ap);
    Hold(state.wifiStaSetting, station);
    state.p2pCode = "24681357";
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    if (GetParam().modePartFails) camera.injectFault(camsim::Fault::NoReply, 2);

    ZfyWifiInfo info, expected;
    std::memset(&info, kJunk, sizeof info);
    std::memset(&expected, kJunk, sizeof expected);  // fields of other modes stay
    ASSERT_EQ(ReadDeviceWifiInfo(&info, kAdminPassword, &result_), ZFY_TRUE);
    EXPECT_EQ(result_, kOk) << "the mode part's outcome does not change the result";
    expected.wifiActivate = 1;
    expected.wifiMode = GetParam().mode;
    std::memcpy(expected.macAddress, universal.macAddress, sizeof expected.macAddress);
    std::memcpy(expected.cameraIp, universal.cameraIp, sizeof expected.cameraIp);
    std::memcpy(expected.gateway, universal.gateway, sizeof expected.gateway);
    if (GetParam().modePartFails) {
    } else if (GetParam().mode == 0) {
        expected.band = ap.band;
        std::memcpy(expected.ssid, ap.ssid, sizeof expected.ssid);
        std::memcpy(expected.password, ap.password, sizeof expected.password);
    } else if (GetParam().mode == 1) {
        std::memcpy(expected.ssid, station.ssid, sizeof expected.ssid);
        std::memcpy(expected.password, station.password, sizeof expected.password);
        expected.autoGetIp = station.autoGetIp;
    } else {
        std::memset(expected.password, 0, sizeof expected.password);
        std::memcpy(expected.password, "24681357", 8);
    }
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiReading,
                         testing::Values(WifiRead{0, false}, WifiRead{1, false}, WifiRead{2, false},
                                         WifiRead{0, true}));

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
    ZfyWifiInfo info;
    std::memset(&info, 0, sizeof info);
    info = ZfyWifiInfo{2, c.mode, "0A1B2C3D4E5F", "192.168.4.2", c.band, "home\0junk", {}, 1, "192.168.4.1"};
    std::memset(info.password, c.password != nullptr ? 0 : 'p', sizeof info.password);
    if (c.password != nullptr) std::memcpy(info.password, c.password, std::strlen(c.password));
    ASSERT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result_), ZFY_TRUE);
    EXPECT_EQ(result_, kOk);
    const camsim::CameraState after = camera.state();
    const auto universal = Held<WifiUniversal>(after.wifiUniversal);
    const WifiUniversal sent{2, c.mode, 0, "0A1B2C3D4E5F", "192.168.4.2", "192.168.4.1"};
    EXPECT_EQ(std::memcmp(&universal, &sent, sizeof sent), 0) << "connectTimeout is always 0";
    EXPECT_EQ(CameraSaw(camera, c.secondCommand), c.secondSent);
    if (c.mode == 0) {
        WifiApSetting ap{"home\0junk", {}, ZFY_AP_CONNECTION_LIMIT, c.band,
                         static_cast<uint8_t>(c.band == 1 ? 161 : 11)};
        std::memcpy(ap.password, info.password, sizeof ap.password);
        const auto held = Held<WifiApSetting>(after.wifiApSetting);
        EXPECT_EQ(std::memcmp(&held, &ap, sizeof ap), 0);
    } else if (c.mode == 1) {
        const WifiStaSetting station{"home", "wpa2", 1};  // texts up to their end, zeros behind
        const auto held = Held<WifiStaSetting>(after.wifiStaSetting);
        EXPECT_EQ(std::memcmp(&held, &station, sizeof station), 0);
    } else if (c.secondSent) {
        EXPECT_EQ(after.p2pCode, c.password);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiWriting,
                         testing::Values(WifiWrite{0, 1, nullptr, 0x5B, true},
                                         WifiWrite{0, 0, nullptr, 0x5B, true},
                                         WifiWrite{0, 7, nullptr, 0x5B, true},
                                         WifiWrite{1, 1, "wpa2", 0x5B, false},
                                         WifiWrite{2, 0, "87654321", 0x63, true},
                                         WifiWrite{2, 0, nullptr, 0x63, false}));

TEST_F(StandardInterface, WifiWriteFailsWhenTheCommonPartFails) {
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    camera.injectFault(camsim::Fault::Unplugged);
    EXPECT_EQ(WriteDeviceWifiInfo(&gWifi, kAdminPassword, &result_), ZFY_FALSE);
    EXPECT_FALSE(CameraSaw(camera, 0x5B));
}

TEST_F(StandardInterface, NumbersAreConverted) {
    camsim::CameraState state;
    state.diskTotalMb = 30000;
    state.batteryPercent = 0xFFFF;
    state.clock = camsim::DateTime{2024, 3, 5, 14, 7, 0};
    camsim::Camera& camera = Unlocked(Carrier::kUsb, state);
    ASSERT_EQ(ReadDeviceCapacity(&gCapacity, kAdminPassword, &result_), ZFY_TRUE);
    EXPECT_EQ(gCapacity, 31457280000ull) << "in bytes, beyond 32 bits";
    ASSERT_EQ(ReadDeviceBatteryDumpEnergy(&gNumber, kAdminPassword, &result_), ZFY_TRUE);
    EXPECT_EQ(gNumber, 65535) << "zero-extended";
    char text[ZFY_DATE_TIME_SIZE + 1];
    std::memset(text, kJunk, sizeof text);
    ASSERT_EQ(ReadDeviceDateTime(text, kAdminPassword, &result_), ZFY_TRUE);
    EXPECT_EQ(std::string(text, 18), "2024/03/05 14:07:0") << text;  // the clock runs on
    EXPECT_EQ(text[19], '\0');
    EXPECT_EQ(text[ZFY_DATE_TIME_SIZE], kJunk);

    const auto resolution = [&](uint8_t code) {
        camera.update([code](camsim::CameraState& s) { s.sysParam[0] = code; });
        int32_t width = -1, height = -1;
        EXPECT_EQ(ReadDeviceResolution(&width, &height, kAdminPassword, &result_), ZFY_TRUE);
        return std::pair{width, height};
    };
#define CHECK_ROW(code, width, height) EXPECT_EQ(resolution(code), std::pair(width, height)) << code;
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
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    EXPECT_EQ(Result([](auto* r) { return Uninit_Device(nullptr, r); }, ZFY_TRUE), kOk);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u);
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(gText, r); }, ZFY_FALSE), kNo);
    EXPECT_EQ(Uninit_Device(nullptr, nullptr), ZFY_TRUE) << "without connection or result";

    ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE);
    camera.unplug();
    EXPECT_EQ(Result([](auto* r) { return Init_Device(nullptr, r); }, ZFY_FALSE), kNo);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u) << "finding nothing closes the old one";
    camera.plugIn();
    camera.clearLog();
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(gText, r); }, ZFY_FALSE), kNo);
    EXPECT_TRUE(camera.log().empty());
}

TEST_P(Lifecycle, VersionMismatchWritesTwoHundredFiftyFiveWithAUsableConnection) {
    camsim::CameraState state;
    state.version = "FW_2.4.1_API_1.0.7_B0420";
    AddCamera(GetParam(), state);
    EXPECT_EQ(Result([](auto* r) { return Init_Device(nullptr, r); }, ZFY_TRUE),
              ZFY_RESULT_VERSION_MISMATCH);
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(gText, r); }, ZFY_TRUE), kOk);
}

INSTANTIATE_TEST_SUITE_P(Carriers, Lifecycle, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         [](const auto& info) { return CarrierName(info.param); });

TEST_F(StandardInterface, MassStorageLeavesNoCarrierUntilTheDiskIsInitialised) {
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    ASSERT_EQ(SetMSDC(kAdminPassword, &result_), ZFY_TRUE);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(5)));
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(gText, r); }, ZFY_FALSE), kNo);
    ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE) << "the camera disk is found now";
    EXPECT_EQ(Result([](auto* r) { return GetIDCode(gText, r); }, ZFY_TRUE), kOk);
}

TEST_F(StandardInterface, InitFindsNothingOnAPlainDiskAndPrefersUsb) {
    sim_.addPlainDisk();
    EXPECT_EQ(Result([](auto* r) { return Init_Device(nullptr, r); }, ZFY_FALSE), kNo);
    camsim::CameraState disk, usb;
    disk.modelId = "BWC_DISK";
    usb.modelId = "BWC_USB";
    sim_.addDiskCamera(disk);
    sim_.addUsbCamera(usb);
    ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE);
    ASSERT_EQ(GetIDCode(gText, &result_), ZFY_TRUE);
    EXPECT_STREQ(gText, "BWC_USB");
}

// Letters stick to their disks for the life of the process, so which simulated disk
// has the lower letter depends on the tests before: the connection-based family says.
TEST_F(StandardInterface, InitTakesTheCameraDiskOfTheLowestLetter) {
    camsim::CameraState first, second;
    first.modelId = "BWC_FIRST";
    second.modelId = "BWC_SECOND";
    sim_.addDiskCamera(first);
    sim_.addDiskCamera(second);
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 2);
    EXPECT_LT(GetStorageDisk(list[0]), GetStorageDisk(list[1]));
    ASSERT_EQ(ConnectDevice(list[0], &connection_), STATUS_OK);
    ReleaseList(list.data(), 2);
    char expected[33] = {};
    ASSERT_EQ(GetModelID(connection_, expected), STATUS_OK);
    ASSERT_EQ(Init_Device(nullptr, &result_), ZFY_TRUE);
    ASSERT_EQ(GetIDCode(gText, &result_), ZFY_TRUE);
    EXPECT_STREQ(gText, expected);
}

TEST(ResultNames, EveryResultCodeHasAName) {
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_NO_CONNECTION), "ZFY_RESULT_NO_CONNECTION");
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_VERSION_MISMATCH), "ZFY_RESULT_VERSION_MISMATCH");
    for (uint16_t code = 1; code <= 9; ++code) EXPECT_STRNE(ZfyResultName(code), "ZFY_RESULT_UNKNOWN");
    EXPECT_STREQ(ZfyResultName(0), "ZFY_RESULT_UNKNOWN");
    EXPECT_STREQ(ZfyResultName(10), "ZFY_RESULT_UNKNOWN");
}

}  // namespace
}  // namespace petrel_test
