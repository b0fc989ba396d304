// The standard-interface family (Init_Device ... SetDeviceReboot) through the exports of
// libPetrel.so, over the simulated camera: the password gate, the result-code contract,
// the record conversions and the lifecycle of the current connection.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

constexpr const char* kUserPassword = "123456";   // level 0 of a new simulated camera
constexpr const char* kAdminPassword = "888888";  // level 1
constexpr uint16_t kVerifiPasswordCode = 0x20;
constexpr uint16_t kUntouched16 = 0x7777;
constexpr char kJunk = 0x7E;

class StandardInterface : public CameraTest {
protected:
    // The family's state outlives a test; each test leaves it as the library loads.
    void TearDown() override {
        uint16_t result = 0;
        Uninit_Device(nullptr, &result);
        CameraTest::TearDown();
    }

    // Adds a camera, makes it current and forgets the connect-time traffic.
    camsim::Camera& Initialised(Carrier carrier, const camsim::CameraState& state = {}) {
        camsim::Camera& camera = AddCamera(carrier, state);
        uint16_t result = kUntouched16;
        EXPECT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
        EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
        camera.clearLog();
        return camera;
    }

    // As Initialised, with the gate passed as administrator.
    camsim::Camera& Unlocked(Carrier carrier, const camsim::CameraState& state = {}) {
        camsim::Camera& camera = Initialised(carrier, state);
        uint16_t result = kUntouched16;
        EXPECT_EQ(VerificationPassword(kAdminPassword, PETREL_USER_ADMINISTRATOR, &result),
                  ZFY_TRUE);
        EXPECT_EQ(result, ZFY_RESULT_PASSWORD_DONE);
        camera.clearLog();
        return camera;
    }
};

class EachCarrierZfy : public StandardInterface, public testing::WithParamInterface<Carrier> {};

// Levels of the password checks the camera was asked for, in order.
std::vector<int> PasswordChecks(const camsim::Camera& camera) {
    std::vector<int> levels;
    for (const camsim::LoggedRequest& request : camera.log()) {
        if (request.direction != camsim::Direction::Write || request.code != kVerifiPasswordCode) {
            continue;
        }
        levels.push_back(request.carrier == camsim::Carrier::Disk ? request.params[0]
                                                                  : request.payload.at(0));
    }
    return levels;
}

// Commands the camera executed (USB writes and disk transfers), by code.
bool CameraSaw(const camsim::Camera& camera, uint16_t code) {
    const auto log = camera.log();
    return std::any_of(log.begin(), log.end(),
                       [code](const camsim::LoggedRequest& r) { return r.code == code; });
}

std::string Text(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

template <size_t kSize>
void Put(std::array<uint8_t, kSize>& record, size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Every member but Init_Device and Uninit_Device, with arguments that would work on a
// verified camera.
std::vector<std::pair<const char*, std::function<ZfyBool(uint16_t*)>>> EveryMember() {
    static char text[64];
    static ZfyInfo info;
    static ZfyWifiInfo wifi;
    static NetworkInfo network;
    static BluetoothInfo bluetooth;
    static Mobile4GInfo mobile;
    static uint64_t capacity;
    static int32_t number, other;
    const char* pw = kAdminPassword;
    return {
        {"GetIDCode", [](uint16_t* r) { return GetIDCode(text, r); }},
        {"SetIDCode", [](uint16_t* r) { return SetIDCode("BWC_X2", r); }},
        {"GetZFYInfo", [pw](uint16_t* r) { return GetZFYInfo(&info, pw, r); }},
        {"WriteZFYInfo", [pw](uint16_t* r) { return WriteZFYInfo(&info, pw, r); }},
        {"SetZFYPassWord", [](uint16_t* r) { return SetZFYPassWord("654321", 0, r); }},
        {"VerificationPassword", [pw](uint16_t* r) { return VerificationPassword(pw, 1, r); }},
        {"SyncDevTime", [pw](uint16_t* r) { return SyncDevTime(pw, r); }},
        {"SetMSDC", [pw](uint16_t* r) { return SetMSDC(pw, r); }},
        {"ReadDeviceCapacity", [pw](uint16_t* r) { return ReadDeviceCapacity(&capacity, pw, r); }},
        {"ReadDeviceBatteryDumpEnergy",
         [pw](uint16_t* r) { return ReadDeviceBatteryDumpEnergy(&number, pw, r); }},
        {"ReadDeviceResolution",
         [pw](uint16_t* r) { return ReadDeviceResolution(&number, &other, pw, r); }},
        {"GetSerialID", [](uint16_t* r) { return GetSerialID(text, r); }},
        {"ReadDeviceVersion", [pw](uint16_t* r) { return ReadDeviceVersion(text, pw, r); }},
        {"ReadDeviceDateTime", [pw](uint16_t* r) { return ReadDeviceDateTime(text, pw, r); }},
        {"ReadDeviceNetWorkInfo",
         [pw](uint16_t* r) { return ReadDeviceNetWorkInfo(&network, pw, r); }},
        {"WriteDeviceNetWorkInfo",
         [pw](uint16_t* r) { return WriteDeviceNetWorkInfo(&network, pw, r); }},
        {"ReadDeviceWifiInfo", [pw](uint16_t* r) { return ReadDeviceWifiInfo(&wifi, pw, r); }},
        {"WriteDeviceWifiInfo", [pw](uint16_t* r) { return WriteDeviceWifiInfo(&wifi, pw, r); }},
        {"ReadDeviceBluetoothInfo",
         [pw](uint16_t* r) { return ReadDeviceBluetoothInfo(&bluetooth, pw, r); }},
        {"WriteDeviceBluetoothInfo",
         [pw](uint16_t* r) { return WriteDeviceBluetoothInfo(&bluetooth, pw, r); }},
        {"ReadDevice4GInfo", [pw](uint16_t* r) { return ReadDevice4GInfo(&mobile, pw, r); }},
        {"WriteDevice4GInfo", [pw](uint16_t* r) { return WriteDevice4GInfo(&mobile, pw, r); }},
        {"FormatDeviceDisk", [pw](uint16_t* r) { return FormatDeviceDisk(pw, r); }},
        {"SetDeviceDefaultSetting", [pw](uint16_t* r) { return SetDeviceDefaultSetting(pw, r); }},
        {"SetDeviceShutdown", [pw](uint16_t* r) { return SetDeviceShutdown(pw, r); }},
        {"SetDeviceReboot", [pw](uint16_t* r) { return SetDeviceReboot(pw, r); }},
        {"GetCustomizeWaterMarkInfo",
         [pw](uint16_t* r) { return GetCustomizeWaterMarkInfo(text, pw, r); }},
        {"SetCustomizeWaterMarkInfo",
         [pw](uint16_t* r) { return SetCustomizeWaterMarkInfo("BWC", pw, r); }},
    };
}

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

// ---- The password gate ---------------------------------------------------

TEST_P(EachCarrierZfy, FirstPasswordIsTriedAsGeneralUserThenAsAdministrator) {
    camsim::Camera& camera = Initialised(GetParam());
    int32_t battery = -1;
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(battery, 87);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1}));
    EXPECT_EQ(camera.session().verifiedLevel, 1);

    camera.clearLog();
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_TRUE(PasswordChecks(camera).empty()) << "the same text again costs no check";

    camera.clearLog();
    battery = -1;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kUserPassword, &result), ZFY_FALSE)
        << "another text is compared locally, even one the camera would accept";
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
    EXPECT_EQ(battery, -1);
    EXPECT_TRUE(camera.log().empty());
}

TEST_P(EachCarrierZfy, GeneralUserPasswordCostsOneCheck) {
    camsim::Camera& camera = Initialised(GetParam());
    char version[ZFY_VERSION_SIZE] = {};
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceVersion(version, kUserPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_STREQ(version, "FW_2.4.1_API_1.0.8_B0420");
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0}));
}

TEST_P(EachCarrierZfy, RefusedPasswordWritesFourAndCallsNothing) {
    camsim::Camera& camera = Initialised(GetParam());
    int32_t battery = -1;
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, "000000", &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
    EXPECT_EQ(battery, -1);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1}));
    EXPECT_FALSE(CameraSaw(camera, 0x29)) << "GetBattery must not be sent";

    camera.clearLog();
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kUserPassword, &result), ZFY_TRUE)
        << "a refusal leaves the gate closed: the next text goes to the camera";
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0}));
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, nullptr, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
}

TEST_P(EachCarrierZfy, VerificationPasswordSetsTheGateAndAFailureLeavesIt) {
    camsim::Camera& camera = Initialised(GetParam());
    uint16_t result = kUntouched16;
    EXPECT_EQ(VerificationPassword(kUserPassword, PETREL_USER_ADMINISTRATOR, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
    EXPECT_EQ(VerificationPassword(kAdminPassword, PETREL_USER_ADMINISTRATOR, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_DONE);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{1, 1}));

    camera.clearLog();
    result = kUntouched16;
    EXPECT_EQ(VerificationPassword("000000", PETREL_USER_GENERAL, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
    EXPECT_EQ(VerificationPassword(kAdminPassword, 7, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);

    camera.clearLog();
    int32_t battery = 0;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE)
        << "the failed checks left the remembered password as it was";
    EXPECT_TRUE(PasswordChecks(camera).empty());
}

TEST_F(StandardInterface, OnlyThirtyCharactersAreRemembered) {
    const std::string cameraPassword = "ABCDEFGHIJKLMNOP";  // the camera checks 16 characters
    const std::string longText = cameraPassword + "QRSTUVWXYZ0123456789abcd";  // 40 characters
    camsim::CameraState state;
    state.passwords[0] = cameraPassword;
    camsim::Camera& camera = Initialised(Carrier::kUsb, state);
    int32_t battery = 0;
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, longText.c_str(), &result), ZFY_TRUE);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0}));

    camera.clearLog();
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, longText.c_str(), &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);
    EXPECT_TRUE(camera.log().empty());
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, longText.substr(0, 30).c_str(), &result),
              ZFY_TRUE);
}

TEST_P(EachCarrierZfy, PasswordChangeOfTheRememberedLevelKeepsTheGateInStep) {
    camsim::Camera& camera = Initialised(GetParam());
    uint16_t result = kUntouched16;
    EXPECT_EQ(SetZFYPassWord("111111", PETREL_USER_GENERAL, &result), ZFY_FALSE)
        << "a change needs a password verified before";
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED);

    int32_t battery = 0;
    ASSERT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(SetZFYPassWord("654321", PETREL_USER_ADMINISTRATOR, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_DONE);
    EXPECT_EQ(camera.state().passwords[1], "654321");
    EXPECT_EQ(SetZFYPassWord("222222", PETREL_USER_GENERAL, &result), ZFY_TRUE);
    EXPECT_EQ(camera.state().passwords[0], "222222");

    camera.clearLog();
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, "654321", &result), ZFY_TRUE);
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, "222222", &result), ZFY_FALSE)
        << "a change of the other level leaves the remembered text";
    EXPECT_TRUE(PasswordChecks(camera).empty());
}

// ---- The result-code contract ---------------------------------------------

TEST_F(StandardInterface, BeforeInitEveryMemberWritesTwoAndContactsNothing) {
    camsim::Camera& camera = sim_.addUsbCamera();
    for (const auto& [name, member] : EveryMember()) {
        uint16_t result = kUntouched16;
        EXPECT_EQ(member(&result), ZFY_FALSE) << name;
        EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION) << name;
    }
    EXPECT_TRUE(camera.log().empty());
}

TEST_P(EachCarrierZfy, AWrappedFailureKeepsTwo) {
    camsim::Camera& camera = Unlocked(GetParam());
    camera.injectFault(camsim::Fault::NoReply);
    int32_t battery = -1;
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_EQ(battery, -1);

    ZfyInfo info;
    std::memset(&info, kJunk, sizeof info);
    camera.injectFault(camsim::Fault::NoReply, 2);  // GetUserDevID works, GetDeptInfo fails
    EXPECT_EQ(GetZFYInfo(&info, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    for (size_t i = 0; i < sizeof info; ++i) {
        ASSERT_EQ(reinterpret_cast<const char*>(&info)[i], kJunk) << "byte " << i;
    }
}

TEST_P(EachCarrierZfy, UngatedMembersStillNeedWhatTheirExportNeeds) {
    camsim::Camera& camera = Initialised(GetParam());
    uint16_t result = kUntouched16;
    EXPECT_EQ(SetIDCode("BWC_X2", &result), ZFY_FALSE) << "SetModelID needs a verified password";
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_TRUE(camera.log().empty());
    EXPECT_EQ(GetIDCode(nullptr, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
}

TEST_P(EachCarrierZfy, ClockMemberWritesFiveOrSix) {
    camsim::Camera& camera = Unlocked(GetParam());
    uint16_t result = kUntouched16;
    EXPECT_EQ(SyncDevTime(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_TIME_SET);
    EXPECT_TRUE(CameraSaw(camera, 0x24));

    // A refused transfer, on either carrier (a disk command that ends in CHECK CONDITION
    // still counts as sent: the library does not judge SCSI status).
    camera.injectFault(camsim::Fault::Unplugged);
    EXPECT_EQ(SyncDevTime(kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_TIME_FAILED);
    EXPECT_EQ(SyncDevTime("000000", &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_PASSWORD_REFUSED) << "the gate comes before the 6";
}

TEST_F(StandardInterface, MassStorageMemberWritesSevenThenTheConnectionHasNoCarrier) {
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    uint16_t result = kUntouched16;
    EXPECT_EQ(SetMSDC(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_MSDC_SET);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(5)));

    char model[ZFY_ID_CODE_SIZE] = {};
    result = kUntouched16;
    EXPECT_EQ(GetIDCode(model, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    int32_t battery = 0;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);

    EXPECT_EQ(Uninit_Device(nullptr, &result), ZFY_TRUE);
    EXPECT_EQ(Init_Device(nullptr, &result), ZFY_TRUE) << "the camera disk is found now";
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(GetIDCode(model, &result), ZFY_TRUE);
    EXPECT_STREQ(model, "BWC_X1");
}

TEST_P(EachCarrierZfy, MassStorageMemberWritesEightWhenTheCommandFails) {
    camsim::Camera& camera = Unlocked(GetParam());
    // The command is unconfirmed: only a send that fails makes it fail.
    camera.injectFault(camsim::Fault::Unplugged);
    uint16_t result = kUntouched16;
    EXPECT_EQ(SetMSDC(kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_MSDC_FAILED);
}

TEST_P(EachCarrierZfy, VersionMismatchWritesTwoHundredFiftyFiveWithAUsableConnection) {
    camsim::CameraState state;
    state.version = "FW_2.4.1_API_1.0.7_B0420";
    AddCamera(GetParam(), state);
    uint16_t result = kUntouched16;
    EXPECT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_VERSION_MISMATCH);
    char model[ZFY_ID_CODE_SIZE] = {};
    EXPECT_EQ(GetIDCode(model, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_STREQ(model, "BWC_X1");
    int32_t battery = 0;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kUserPassword, &result), ZFY_TRUE);
    EXPECT_EQ(battery, 87);
}

TEST_P(EachCarrierZfy, ActionMembersReportTheirCodes) {
    camsim::CameraState state;
    state.rebootDelay = std::chrono::milliseconds(50);
    camsim::Camera& camera = Unlocked(GetParam(), state);
    uint16_t result = kUntouched16;
    EXPECT_EQ(FormatDeviceDisk(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_DISK_FORMATTED);
    EXPECT_EQ(camera.state().formatCount, 1u);
    result = kUntouched16;
    EXPECT_EQ(SetDeviceDefaultSetting(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(camera.state().resetCount, 1u);
    result = kUntouched16;
    EXPECT_EQ(SetDeviceShutdown(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_TRUE(camera.waitForPresence(camsim::Presence::Off, std::chrono::seconds(5)));
}

TEST_P(EachCarrierZfy, RebootMemberReportsSuccess) {
    camsim::CameraState state;
    state.rebootDelay = std::chrono::milliseconds(50);
    camsim::Camera& camera = Unlocked(GetParam(), state);
    uint16_t result = kUntouched16;
    EXPECT_EQ(SetDeviceReboot(kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_TRUE(CameraSaw(camera, 0x3C));
}

TEST_F(StandardInterface, EveryResultCodeHasAName) {
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_NO_CONNECTION), "ZFY_RESULT_NO_CONNECTION");
    EXPECT_STREQ(ZfyResultName(ZFY_RESULT_VERSION_MISMATCH), "ZFY_RESULT_VERSION_MISMATCH");
    for (uint16_t code = 1; code <= 9; ++code) {
        EXPECT_STRNE(ZfyResultName(code), "ZFY_RESULT_UNKNOWN") << code;
    }
    EXPECT_STREQ(ZfyResultName(0), "ZFY_RESULT_UNKNOWN");
    EXPECT_STREQ(ZfyResultName(10), "ZFY_RESULT_UNKNOWN");
}

// ---- Record conversions ---------------------------------------------------

TEST_P(EachCarrierZfy, ZfyInfoReadFillsOnlyTheCharacterPositions) {
    camsim::CameraState state;
    state.deviceId = "DEV1234567";  // only the first 7 characters have a place
    state.userId = "A123456789";    // only the first 6
    state.userName = std::string(32, 'n');
    state.unitNumber = "U12345678901234";  // only the first 12
    state.unitName = std::string(32, 'u');
    Unlocked(GetParam(), state);
    ZfyInfo info;
    std::memset(&info, kJunk, sizeof info);
    uint16_t result = kUntouched16;
    ASSERT_EQ(GetZFYInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(std::string(info.deviceId, 7), "DEV1234");
    EXPECT_EQ(std::string(info.userId, 6), "A12345");
    EXPECT_EQ(std::string(info.userName, 32), state.userName);
    EXPECT_EQ(std::string(info.unitNumber, 12), "U12345678901");
    EXPECT_EQ(std::string(info.unitName, 32), state.unitName);
    const auto* bytes = reinterpret_cast<const char*>(&info);
    for (size_t terminator : {7u, 14u, 47u, 60u, 93u}) {
        EXPECT_EQ(bytes[terminator], kJunk) << "terminator position " << terminator;
    }
}

TEST_P(EachCarrierZfy, ZfyInfoShortTextsReadWithZerosBehind) {
    camsim::CameraState state;
    state.deviceId = "D1";
    state.userId = "U1";
    state.userName = "Jane";
    state.unitNumber = "N1";
    state.unitName = "Unit";
    Unlocked(GetParam(), state);
    ZfyInfo info;
    std::memset(&info, 0, sizeof info);
    uint16_t result = kUntouched16;
    ASSERT_EQ(GetZFYInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_STREQ(info.deviceId, "D1");
    EXPECT_STREQ(info.userId, "U1");
    EXPECT_STREQ(info.userName, "Jane");
    EXPECT_STREQ(info.unitNumber, "N1");
    EXPECT_STREQ(info.unitName, "Unit");
}

TEST_P(EachCarrierZfy, ZfyInfoWriteTakesOnlyTheCharacterPositions) {
    camsim::Camera& camera = Unlocked(GetParam());
    ZfyInfo info;
    std::memset(&info, 'X', sizeof info);  // the terminator positions hold junk too
    std::memcpy(info.deviceId, "DEV7654", 7);
    std::memcpy(info.userId, "P00042", 6);
    std::memset(info.userName, 'm', 32);
    std::memcpy(info.unitNumber, "UNIT00000012", 12);
    std::memset(info.unitName, 'k', 32);
    uint16_t result = kUntouched16;
    ASSERT_EQ(WriteZFYInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    const camsim::CameraState state = camera.state();
    EXPECT_EQ(state.deviceId, "DEV7654");
    EXPECT_EQ(state.userId, "P00042");
    EXPECT_EQ(state.userName, std::string(32, 'm'));
    EXPECT_EQ(state.unitNumber, "UNIT00000012");
    EXPECT_EQ(state.unitName, std::string(32, 'k'));

    // The identity payload: user number, device number (first six bytes masked, so
    // the seventh travels in clear), then the name; zeros behind each text.
    for (const camsim::LoggedRequest& request : camera.log()) {
        if (request.code != 0x32 || request.direction != camsim::Direction::Write) continue;
        ASSERT_EQ(request.payload.size(), 64u);
        EXPECT_EQ(request.payload[16 + 6], '4');
        for (size_t i = 6; i < 16; ++i) EXPECT_EQ(request.payload[i], 0) << i;
        for (size_t i = 16 + 7; i < 32; ++i) EXPECT_EQ(request.payload[i], 0) << i;
    }
}

TEST_P(EachCarrierZfy, WifiReadInAccessPointMode) {
    camsim::CameraState state;
    state.wifiUniversal[0] = 1;
    state.wifiUniversal[1] = 0;
    state.wifiUniversal[2] = 3;
    Put(state.wifiUniversal, 3, "0A1B2C3D4E5F");
    Put(state.wifiUniversal, 35, "192.168.1.10");
    Put(state.wifiUniversal, 51, "192.168.1.1");
    Put(state.wifiApSetting, 0, "CamAP");
    Put(state.wifiApSetting, 48, "secretpw");
    state.wifiApSetting[80] = 2;
    state.wifiApSetting[81] = 1;
    state.wifiApSetting[82] = 161;
    Unlocked(GetParam(), state);
    ZfyWifiInfo info;
    std::memset(&info, kJunk, sizeof info);
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(info.wifiActivate, 1);
    EXPECT_EQ(info.wifiMode, 0);
    EXPECT_EQ(std::memcmp(info.macAddress, &state.wifiUniversal[3], 32), 0);
    EXPECT_EQ(std::memcmp(info.cameraIp, &state.wifiUniversal[35], 16), 0);
    EXPECT_EQ(std::memcmp(info.gateway, &state.wifiUniversal[51], 16), 0);
    EXPECT_EQ(info.band, 1);
    EXPECT_EQ(std::memcmp(info.ssid, &state.wifiApSetting[0], 48), 0);
    EXPECT_EQ(std::memcmp(info.password, &state.wifiApSetting[48], 32), 0);
    EXPECT_EQ(info.autoGetIp, static_cast<uint8_t>(kJunk)) << "not a field of this mode";
}

TEST_P(EachCarrierZfy, WifiReadInStationModeLeavesTheBand) {
    camsim::CameraState state;
    state.wifiUniversal[1] = 1;
    Put(state.wifiUniversal, 35, "10.0.0.7");
    Put(state.wifiStaSetting, 0, "Office");
    Put(state.wifiStaSetting, 48, "pass1234");
    state.wifiStaSetting[80] = 1;
    Unlocked(GetParam(), state);
    ZfyWifiInfo info;
    std::memset(&info, kJunk, sizeof info);
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(info.wifiMode, 1);
    EXPECT_EQ(Text(info.cameraIp, sizeof info.cameraIp), "10.0.0.7");
    EXPECT_EQ(std::memcmp(info.ssid, &state.wifiStaSetting[0], 48), 0);
    EXPECT_EQ(std::memcmp(info.password, &state.wifiStaSetting[48], 32), 0);
    EXPECT_EQ(info.autoGetIp, 1);
    EXPECT_EQ(info.band, static_cast<uint8_t>(kJunk)) << "the caller's band stays";
}

TEST_P(EachCarrierZfy, WifiReadInPeerToPeerModeGivesTheCodeInThePassword) {
    camsim::CameraState state;
    state.wifiUniversal[1] = 2;
    state.p2pCode = "24681357";
    Unlocked(GetParam(), state);
    ZfyWifiInfo info;
    std::memset(&info, kJunk, sizeof info);
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(info.wifiMode, 2);
    std::array<char, 32> expected{};
    std::memcpy(expected.data(), "24681357", 8);
    EXPECT_EQ(std::memcmp(info.password, expected.data(), 32), 0);
    EXPECT_EQ(info.band, static_cast<uint8_t>(kJunk));
    EXPECT_EQ(info.ssid[0], kJunk);
    EXPECT_EQ(info.autoGetIp, static_cast<uint8_t>(kJunk));
}

TEST_P(EachCarrierZfy, WifiReadSucceedsWhenTheModePartFails) {
    camsim::CameraState state;
    state.wifiUniversal[0] = 2;
    camsim::Camera& camera = Unlocked(GetParam(), state);
    camera.injectFault(camsim::Fault::NoReply, 2);  // GetWifiApSetting
    ZfyWifiInfo info;
    std::memset(&info, kJunk, sizeof info);
    uint16_t result = kUntouched16;
    EXPECT_EQ(ReadDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(info.wifiActivate, 2);
    EXPECT_EQ(info.band, static_cast<uint8_t>(kJunk));
    EXPECT_EQ(info.ssid[0], kJunk);
}

ZfyWifiInfo WifiRecord(uint8_t mode, uint8_t band) {
    ZfyWifiInfo info;
    std::memset(&info, 0, sizeof info);
    info.wifiActivate = 2;
    info.wifiMode = mode;
    std::memcpy(info.macAddress, "0A1B2C3D4E5F", 12);
    std::memcpy(info.cameraIp, "192.168.4.2", 11);
    std::memcpy(info.gateway, "192.168.4.1", 11);
    info.band = band;
    std::memset(info.ssid, 's', sizeof info.ssid);  // full fields, no terminators
    std::memset(info.password, 'p', sizeof info.password);
    info.autoGetIp = 1;
    return info;
}

TEST_P(EachCarrierZfy, WifiWriteInAccessPointModeSendsLimitFiveAndTheBandsChannel) {
    camsim::CameraState state;
    state.wifiUniversal[2] = 4;  // a connect time-out the write replaces with 0
    camsim::Camera& camera = Unlocked(GetParam(), state);
    for (const auto& [band, channel] : {std::pair<uint8_t, uint8_t>{1, 161}, {0, 11}, {7, 11}}) {
        const ZfyWifiInfo info = WifiRecord(0, band);
        uint16_t result = kUntouched16;
        ASSERT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
        EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
        const camsim::CameraState after = camera.state();
        EXPECT_EQ(after.wifiUniversal[0], 2);
        EXPECT_EQ(after.wifiUniversal[1], 0);
        EXPECT_EQ(after.wifiUniversal[2], 0) << "connectTimeout is always 0";
        EXPECT_EQ(std::memcmp(&after.wifiUniversal[3], info.macAddress, 32), 0);
        EXPECT_EQ(std::memcmp(&after.wifiUniversal[35], info.cameraIp, 16), 0);
        EXPECT_EQ(std::memcmp(&after.wifiUniversal[51], info.gateway, 16), 0);
        EXPECT_EQ(std::memcmp(&after.wifiApSetting[0], info.ssid, 48), 0);
        EXPECT_EQ(std::memcmp(&after.wifiApSetting[48], info.password, 32), 0);
        EXPECT_EQ(after.wifiApSetting[80], 5) << "connectionLimit";
        EXPECT_EQ(after.wifiApSetting[81], band);
        EXPECT_EQ(after.wifiApSetting[82], channel) << "band " << int{band};
    }
}

TEST_P(EachCarrierZfy, WifiWriteInStationModeSendsTextsUpToTheirEnd) {
    camsim::Camera& camera = Unlocked(GetParam());
    ZfyWifiInfo info = WifiRecord(1, 1);
    std::memcpy(info.ssid, "home", 5);  // "home", a zero, then junk
    std::memcpy(info.password, "wpa2", 5);
    uint16_t result = kUntouched16;
    ASSERT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    const camsim::CameraState after = camera.state();
    std::array<uint8_t, 81> expected{};
    std::memcpy(expected.data(), "home", 4);
    std::memcpy(expected.data() + 48, "wpa2", 4);
    expected[80] = 1;
    EXPECT_EQ(after.wifiStaSetting, expected);
    EXPECT_EQ(after.wifiUniversal[1], 1);
    EXPECT_FALSE(CameraSaw(camera, 0x5B)) << "no access point settings in station mode";
}

TEST_P(EachCarrierZfy, WifiWriteInPeerToPeerModeSendsTheCode) {
    camsim::Camera& camera = Unlocked(GetParam());
    ZfyWifiInfo info = WifiRecord(2, 0);
    std::memset(info.password, 0, sizeof info.password);
    std::memcpy(info.password, "87654321", 8);
    uint16_t result = kUntouched16;
    ASSERT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(camera.state().p2pCode, "87654321");

    camera.clearLog();
    std::memset(info.password, 'p', sizeof info.password);  // not an 8-character code
    EXPECT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_TRUE)
        << "the second part's outcome does not change the result";
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_FALSE(CameraSaw(camera, 0x63));
    EXPECT_EQ(camera.state().p2pCode, "87654321");
}

TEST_P(EachCarrierZfy, WifiWriteFailsWhenTheCommonPartFails) {
    camsim::Camera& camera = Unlocked(GetParam());
    camera.injectFault(camsim::Fault::Unplugged);
    const ZfyWifiInfo info = WifiRecord(0, 1);
    uint16_t result = kUntouched16;
    EXPECT_EQ(WriteDeviceWifiInfo(&info, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_FALSE(CameraSaw(camera, 0x5B));
}

TEST_P(EachCarrierZfy, CapacityIsInBytesBeyondThirtyTwoBits) {
    camsim::CameraState state;
    state.diskTotalMb = 30000;
    Unlocked(GetParam(), state);
    uint64_t capacity = 0;
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceCapacity(&capacity, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(capacity, 31457280000ull);
}

TEST_F(StandardInterface, BatteryIsZeroExtended) {
    camsim::CameraState state;
    state.batteryPercent = 0xFFFF;
    Unlocked(Carrier::kUsb, state);
    int32_t battery = 0;
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(battery, 65535);
}

// The resolution map written out once more, apart from the library's own table.
std::pair<int32_t, int32_t> ExpectedResolution(int code) {
    switch (code) {
        case 1:
            return {2560, 1440};
        case 2:
            return {2304, 1296};
        case 5:
        case 6:
            return {1920, 1080};
        case 7:
            return {1440, 1080};
        case 10:
        case 11:
            return {1280, 720};
        default:
            return {840, 480};
    }
}

TEST_F(StandardInterface, ResolutionMapCoversEverySettingsByte) {
#define CHECK_ROW(code, width, height) \
    EXPECT_EQ(ExpectedResolution(code), (std::pair<int32_t, int32_t>{width, height})) << code;
    PETREL_ZFY_RESOLUTIONS(CHECK_ROW)
#undef CHECK_ROW
    camsim::Camera& camera = Unlocked(Carrier::kUsb);
    for (int code = 0; code <= 255; ++code) {
        camera.update(
            [code](camsim::CameraState& s) { s.sysParam[0] = static_cast<uint8_t>(code); });
        int32_t width = -1, height = -1;
        uint16_t result = kUntouched16;
        ASSERT_EQ(ReadDeviceResolution(&width, &height, kAdminPassword, &result), ZFY_TRUE);
        EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
        EXPECT_EQ(std::make_pair(width, height), ExpectedResolution(code)) << "byte " << code;
    }
}

TEST_P(EachCarrierZfy, ResolutionOfThirteenAndThreeIsEightFortyByFourEighty) {
    camsim::Camera& camera = Unlocked(GetParam());
    for (uint8_t code : {13, 3}) {
        camera.update([code](camsim::CameraState& s) { s.sysParam[0] = code; });
        int32_t width = -1, height = -1;
        uint16_t result = kUntouched16;
        ASSERT_EQ(ReadDeviceResolution(&width, &height, kAdminPassword, &result), ZFY_TRUE);
        EXPECT_EQ(width, 840);
        EXPECT_EQ(height, 480);
    }
}

TEST_P(EachCarrierZfy, DateTimeIsPrintedWithSlashesAndATerminator) {
    camsim::CameraState state;
    state.clock = camsim::DateTime{2024, 3, 5, 14, 7, 0};
    Unlocked(GetParam(), state);
    char text[ZFY_DATE_TIME_SIZE + 1];
    std::memset(text, kJunk, sizeof text);
    uint16_t result = kUntouched16;
    ASSERT_EQ(ReadDeviceDateTime(text, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(std::strlen(text), 19u);
    EXPECT_EQ(std::string(text, 18), "2024/03/05 14:07:0") << text;  // the clock runs on
    EXPECT_EQ(text[ZFY_DATE_TIME_SIZE], kJunk);
}

TEST_P(EachCarrierZfy, NetworkBluetoothAndCellularRecordsTravelWhole) {
    camsim::CameraState state;
    for (size_t i = 0; i < state.networkInfo.size(); ++i) state.networkInfo[i] = uint8_t(i + 1);
    for (size_t i = 0; i < state.bluetoothInfo.size(); ++i) state.bluetoothInfo[i] = uint8_t(i + 2);
    for (size_t i = 0; i < state.mobile4GInfo.size(); ++i) state.mobile4GInfo[i] = uint8_t(i + 3);
    camsim::Camera& camera = Unlocked(GetParam(), state);
    uint16_t result = kUntouched16;

    NetworkInfo network{};
    BluetoothInfo bluetooth{};
    Mobile4GInfo mobile{};
    ASSERT_EQ(ReadDeviceNetWorkInfo(&network, kAdminPassword, &result), ZFY_TRUE);
    ASSERT_EQ(ReadDeviceBluetoothInfo(&bluetooth, kAdminPassword, &result), ZFY_TRUE);
    ASSERT_EQ(ReadDevice4GInfo(&mobile, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(std::memcmp(&network, state.networkInfo.data(), sizeof network), 0);
    EXPECT_EQ(std::memcmp(&bluetooth, state.bluetoothInfo.data(), sizeof bluetooth), 0);
    EXPECT_EQ(std::memcmp(&mobile, state.mobile4GInfo.data(), sizeof mobile), 0);

    std::memset(&network, 0x41, sizeof network);
    std::memset(&bluetooth, 0x42, sizeof bluetooth);
    std::memset(&mobile, 0x43, sizeof mobile);
    ASSERT_EQ(WriteDeviceNetWorkInfo(&network, kAdminPassword, &result), ZFY_TRUE);
    ASSERT_EQ(WriteDeviceBluetoothInfo(&bluetooth, kAdminPassword, &result), ZFY_TRUE);
    ASSERT_EQ(WriteDevice4GInfo(&mobile, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    const camsim::CameraState after = camera.state();
    EXPECT_EQ(std::memcmp(after.networkInfo.data(), &network, sizeof network), 0);
    EXPECT_EQ(std::memcmp(after.bluetoothInfo.data(), &bluetooth, sizeof bluetooth), 0);
    EXPECT_EQ(std::memcmp(after.mobile4GInfo.data(), &mobile, sizeof mobile), 0);
}

TEST_P(EachCarrierZfy, IdentityTextsPassStraightThrough) {
    camsim::CameraState state;
    state.modelId = "BWC_Q7";
    state.barCode = "BC0000000042";
    state.waterMark = "POLICE 7";
    camsim::Camera& camera = Initialised(GetParam(), state);
    char text[64] = {};
    uint16_t result = kUntouched16;
    ASSERT_EQ(GetIDCode(text, &result), ZFY_TRUE) << "no password needed";
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_STREQ(text, "BWC_Q7");
    ASSERT_EQ(GetSerialID(text, &result), ZFY_TRUE);
    EXPECT_STREQ(text, "BC0000000042");
    EXPECT_TRUE(PasswordChecks(camera).empty());

    ASSERT_EQ(GetCustomizeWaterMarkInfo(text, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_STREQ(text, "POLICE 7");
    ASSERT_EQ(SetCustomizeWaterMarkInfo("UNIT 9", kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(camera.state().waterMark, "UNIT 9");
    ASSERT_EQ(SetIDCode("BWC_Q8", &result), ZFY_TRUE) << "the gate verified the connection";
    EXPECT_EQ(camera.state().modelId, "BWC_Q8");
}

// ---- Lifecycle ------------------------------------------------------------

TEST_P(EachCarrierZfy, NoCurrentConnectionAfterUninit) {
    camsim::Camera& camera = Unlocked(GetParam());
    uint16_t result = kUntouched16;
    EXPECT_EQ(Uninit_Device(nullptr, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    char model[ZFY_ID_CODE_SIZE] = {};
    EXPECT_EQ(GetIDCode(model, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    int32_t battery = 0;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_TRUE(camera.log().empty());

    ASSERT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
    camera.clearLog();
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kAdminPassword, &result), ZFY_TRUE);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0, 1})) << "Uninit_Device reset the gate";
}

TEST_F(StandardInterface, UninitWithoutAConnectionSucceeds) {
    uint16_t result = kUntouched16;
    EXPECT_EQ(Uninit_Device(nullptr, &result), ZFY_TRUE);
    EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    EXPECT_EQ(Uninit_Device(nullptr, nullptr), ZFY_TRUE) << "a null result is skipped";
}

TEST_P(EachCarrierZfy, InitResetsTheGate) {
    camsim::Camera& camera = Unlocked(GetParam());
    uint16_t result = kUntouched16;
    ASSERT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
    camera.clearLog();
    int32_t battery = 0;
    EXPECT_EQ(ReadDeviceBatteryDumpEnergy(&battery, kUserPassword, &result), ZFY_TRUE);
    EXPECT_EQ(PasswordChecks(camera), (std::vector<int>{0}));
}

TEST_F(StandardInterface, InitFindingNothingWritesTwo) {
    sim_.addPlainDisk();
    uint16_t result = kUntouched16;
    EXPECT_EQ(Init_Device(nullptr, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
}

TEST_F(StandardInterface, InitPrefersTheUsbCamera) {
    camsim::CameraState disk;
    disk.modelId = "BWC_DISK";
    camsim::CameraState usb;
    usb.modelId = "BWC_USB";
    sim_.addDiskCamera(disk);
    sim_.addUsbCamera(usb);
    uint16_t result = kUntouched16;
    ASSERT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
    char model[ZFY_ID_CODE_SIZE] = {};
    ASSERT_EQ(GetIDCode(model, &result), ZFY_TRUE);
    EXPECT_STREQ(model, "BWC_USB");
}

// Letters stick to their disks for the life of the process, so which simulated disk
// has the lower letter depends on the tests before: the connection-based family says.
TEST_F(StandardInterface, InitTakesTheCameraDiskOfTheLowestLetter) {
    camsim::CameraState first;
    first.modelId = "BWC_FIRST";
    camsim::CameraState second;
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
    CloseDevice(connection_);
    connection_ = nullptr;

    uint16_t result = kUntouched16;
    ASSERT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
    char model[ZFY_ID_CODE_SIZE + 1] = {};
    ASSERT_EQ(GetIDCode(model, &result), ZFY_TRUE);
    EXPECT_STREQ(model, expected);
}

// The sanitizer build's leak check also covers these: an old connection record
// that were dropped instead of closed would be reported at exit.
TEST_P(EachCarrierZfy, RepeatedInitClosesTheOldConnection) {
    camsim::Camera& camera = Initialised(GetParam());
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    uint16_t result = kUntouched16;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(Init_Device(nullptr, &result), ZFY_TRUE);
        EXPECT_EQ(result, ZFY_RESULT_SUCCESS);
    }
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    char model[ZFY_ID_CODE_SIZE] = {};
    camera.clearLog();
    EXPECT_EQ(GetIDCode(model, &result), ZFY_TRUE) << "the newest connection is current";
    EXPECT_FALSE(camera.log().empty());
    EXPECT_EQ(Uninit_Device(nullptr, &result), ZFY_TRUE);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u);
}

TEST_P(EachCarrierZfy, InitFindingNothingClosesTheOldConnection) {
    camsim::Camera& camera = Initialised(GetParam());
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 1u);
    camera.unplug();
    uint16_t result = kUntouched16;
    EXPECT_EQ(Init_Device(nullptr, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_EQ(OpenCameraNodes(sim_.rootDir()), 0u);

    camera.plugIn();
    camera.clearLog();
    char model[ZFY_ID_CODE_SIZE] = {};
    EXPECT_EQ(GetIDCode(model, &result), ZFY_FALSE);
    EXPECT_EQ(result, ZFY_RESULT_NO_CONNECTION);
    EXPECT_TRUE(camera.log().empty());
}

INSTANTIATE_TEST_SUITE_P(Carriers, EachCarrierZfy, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         CarrierName);

}  // namespace
}  // namespace petrel_test
