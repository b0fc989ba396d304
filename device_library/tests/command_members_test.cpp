// The exports that do more than one plain exchange: the clock from the computer, disk
// space, mass-storage mode, the chunked key text, the storage lock, the heartbeat, and
// the commands after which the camera is gone.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "support/command_support.h"

namespace petrel_test {
namespace {

using Bytes = std::vector<uint8_t>;

class CommandMembers : public VerifiedCarrier {};

std::string KeyText(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>('A' + i % 26);
    return text;
}

TEST_P(CommandMembers, SyncDateTimeSendsWhatSetTimeSendsForTheSameLocalTime) {
    camsim::Camera& camera = Verified();
    for (int attempt = 0; attempt < 3; ++attempt) {
        camera.clearLog();
        const std::time_t before = std::time(nullptr);
        ASSERT_EQ(SyncDateTime(connection_), STATUS_OK);
        if (std::time(nullptr) != before) continue;  // a second turned over in between
        std::tm local{};
        localtime_r(&before, &local);
        const DeviceTime now{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                             local.tm_hour,        local.tm_min,     local.tm_sec};
        ASSERT_EQ(SetTime(connection_, &now), STATUS_OK);
        const auto writes = Writes(camera);
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].wire, writes[1].wire);
        EXPECT_EQ(writes[0].cdb, writes[1].cdb);
        const Bytes wireTime = {
            static_cast<uint8_t>(local.tm_year), static_cast<uint8_t>(local.tm_year >> 8),
            static_cast<uint8_t>(now.month),     static_cast<uint8_t>(now.day),
            static_cast<uint8_t>(now.hour),      static_cast<uint8_t>(now.minute),
            static_cast<uint8_t>(now.second),    0};
        EXPECT_EQ(Bytes(writes[0].payload.begin(), writes[0].payload.begin() + 8), wireTime);
        return;
    }
    FAIL() << "every attempt straddled a second";
}

TEST_P(CommandMembers, ClockSetIsTheClockRead) {
    camsim::Camera& camera = Verified();
    const DeviceTime set{2024, 3, 5, 14, 7, 9};
    ASSERT_EQ(SetTime(connection_, &set), STATUS_OK);
    EXPECT_EQ(camera.state().clock, (camsim::DateTime{2024, 3, 5, 14, 7, 9}));
    DeviceTime read{};
    ASSERT_EQ(GetTime(connection_, &read), STATUS_OK);
    EXPECT_EQ(std::tie(read.year, read.month, read.day, read.hour, read.minute),
              std::tie(set.year, set.month, set.day, set.hour, set.minute));
    EXPECT_LE(read.second - set.second, 2) << "the camera's clock runs on, but not that fast";
}

TEST_F(CameraTest, UsbDiskSpaceWhoseRequestFailsReadsNothing) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    camera.clearLog();
    camera.injectFault(camsim::Fault::Unplugged);
    uint32_t total = 7, free = 7;
    EXPECT_EQ(GetDiskSpaceInfo(connection_, &total, &free), STATUS_FAILED);
    EXPECT_EQ(total, 7u);
    EXPECT_EQ(free, 7u);
    EXPECT_EQ(Writes(camera).size(), 1u);
    EXPECT_TRUE(Reads(camera).empty()) << "unlike other queries, a failed send ends it";

    // The same failure on a plain query still reads, as its send is not consulted.
    camera.clearLog();
    camera.injectFault(camsim::Fault::Unplugged);
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_FAILED);
    EXPECT_EQ(Reads(camera).size(), 1u);
}

TEST_P(CommandMembers, DiskSpaceOfAnUnmountedCameraComesFromTheCamera) {
    camsim::CameraState state;
    state.diskTotalMb = 0x00012345;
    state.diskFreeMb = 0x00000678;
    camsim::Camera& camera = Verified(state);
    uint32_t total = 0, free = 0;
    ASSERT_EQ(GetDiskSpaceInfo(connection_, &total, &free), STATUS_OK);
    EXPECT_EQ(total, state.diskTotalMb);
    EXPECT_EQ(free, state.diskFreeMb);
    const auto reads = Reads(camera);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].code, 0x35);
}

TEST_F(CameraTest, MassStorageModeDropsTheUsbCarrierAndTheDiskCanBeConnected) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    ASSERT_EQ(SetMSCMode(connection_), STATUS_OK);
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_NO_CONNECTION);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(5)));

    CloseDevice(connection_);
    connection_ = nullptr;
    ASSERT_EQ(ConnectFirst(), STATUS_OK);
    EXPECT_NE(GetStorageID(connection_), 0) << "found again as a disk";
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_OK);
    EXPECT_EQ(battery, camera.state().batteryPercent);
}

TEST_F(CameraTest, MassStorageModeWithoutAnAnswerKeepsTheUsbCarrier) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    camera.injectFault(camsim::Fault::NoReply);
    EXPECT_EQ(SetMSCMode(connection_), STATUS_OK) << "the request went out";
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_OK);
}

TEST_P(CommandMembers, KeyTextInTwoChunksIsAssembledAndEachRequestRepeatsTheLastReply) {
    camsim::CameraState state;
    state.rsaAesKey = KeyText(150);
    camsim::Camera& camera = Verified(state);
    Scratch out;
    ASSERT_EQ(GetRsaAesKey(connection_, reinterpret_cast<char*>(out.data())), STATUS_OK);
    Bytes expected(state.rsaAesKey.begin(), state.rsaAesKey.end());
    expected.resize(192, 0);
    EXPECT_EQ(Bytes(out.data(), out.data() + 192), expected);
    EXPECT_EQ(out.bytes[192], kUntouched) << "only two chunks are copied";

    const auto reads = Reads(camera);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].reply[0], 0) << "more follow";
    EXPECT_EQ(reads[1].reply[0], 1) << "the last one";
    const auto writes = Writes(camera);
    if (OnUsb()) {
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].payload, Bytes(98, 0));
        EXPECT_EQ(writes[1].payload, reads[0].reply);
    } else {
        EXPECT_TRUE(writes.empty()) << "the disk's reads alone ask";
    }
}

TEST_P(CommandMembers, KeyTextOfFiveChunksFillsTheWholeBuffer) {
    camsim::CameraState state;
    state.rsaAesKey = KeyText(PETREL_RSA_AES_KEY_SIZE);
    Verified(state);
    Scratch out;
    ASSERT_EQ(GetRsaAesKey(connection_, reinterpret_cast<char*>(out.data())), STATUS_OK);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), PETREL_RSA_AES_KEY_SIZE),
              state.rsaAesKey);
}

TEST_P(CommandMembers, KeyTextThatNeverEndsFailsAfterFivePasses) {
    camsim::CameraState state;
    state.rsaAesKey = KeyText(300);
    state.keyChunksNeverLast = true;
    camsim::Camera& camera = Verified(state);
    Scratch out;
    EXPECT_EQ(GetRsaAesKey(connection_, reinterpret_cast<char*>(out.data())), STATUS_FAILED);
    EXPECT_TRUE(out.Untouched());
    EXPECT_EQ(Reads(camera).size(), 5u);
}

TEST_P(CommandMembers, StorageLockTravelsWithItsPasswordAndReadsBack) {
    camsim::Camera& camera = Verified();
    ASSERT_EQ(SetLockMemoryState(connection_, 7, "secret"), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    const Bytes expected = {1, 1, 's', 'e', 'c', 'r', 'e', 't'};
    EXPECT_EQ(Bytes(writes[0].payload.begin(), writes[0].payload.begin() + 8), expected);
    EXPECT_TRUE(camera.state().storageLocked);
    EXPECT_EQ(camera.state().lockPassword, "secret");

    // A disk connection opened its volume afresh; the new one carries the next commands.
    int32_t state = 5;
    camera.clearLog();
    ASSERT_EQ(GetLockMemoryState(connection_, &state), STATUS_OK);
    EXPECT_EQ(state, 1);
    if (OnUsb()) {
        ASSERT_EQ(Writes(camera).size(), 1u);
        EXPECT_EQ(Writes(camera)[0].payload,
                  Bytes({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    }
    ASSERT_EQ(SetLockMemoryState(connection_, 0, ""), STATUS_OK);
    EXPECT_FALSE(camera.state().storageLocked);
    ASSERT_EQ(GetLockMemoryState(connection_, &state), STATUS_OK);
    EXPECT_EQ(state, 0);
}

TEST_P(CommandMembers, HeartbeatIsCappedAndTheCameraAnswerStored) {
    camsim::Camera& camera = Verified();
    uint32_t answer = 0;
    ASSERT_EQ(SendHeartbeat(connection_, 200000, &answer), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(Bytes(writes[0].payload.begin(), writes[0].payload.begin() + 4),
              Bytes({0xC0, 0xD4, 0x01, 0x00}));
    EXPECT_EQ(answer, 120000u);
    EXPECT_EQ(SendHeartbeat(connection_, 1000, nullptr), STATUS_OK) << "the answer may be skipped";
    uint32_t timeout = 0;
    ASSERT_EQ(GetTimeOut(connection_, &timeout), STATUS_OK);
    EXPECT_EQ(timeout, 1000u);
}

TEST_P(CommandMembers, EncryptionKeyTravelsWithOneZeroByteMore) {
    camsim::Camera& camera = Verified();
    const char key[] = "0123456789abcdef0123456789ABCDEF";
    ASSERT_EQ(SetEncryption(connection_, 0x103, 1, key), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_GE(writes[0].payload.size(), 35u);
    EXPECT_EQ(writes[0].payload[0], 3) << "low 8 bits of the mode";
    EXPECT_EQ(writes[0].payload[34], 0);
    uint8_t mode = 0, playback = 0;
    char read[32];
    ASSERT_EQ(GetEncryption(connection_, &mode, &playback, read), STATUS_OK);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(playback, 1);
    EXPECT_EQ(std::string(read, sizeof read), key);
}

TEST_P(CommandMembers, ResetSendsItsGuardValueAndRestoresTheSettings) {
    camsim::Camera& camera = Verified();
    SysParam changed{};
    changed.timeZone = 40;
    ASSERT_EQ(SetSysParam(connection_, &changed), STATUS_OK);
    camera.clearLog();
    ASSERT_EQ(ResetDevice(connection_), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(Bytes(writes[0].payload.begin(), writes[0].payload.begin() + 7),
              Bytes({0x3E, 0x51, 0x0C, 0x72, 0x26, 0x19, 0x44}));
    EXPECT_EQ(camera.state().resetCount, 1u);
    EXPECT_EQ(camera.state().sysParam, camsim::CameraState{}.sysParam);
}

TEST_P(CommandMembers, FormatFreesTheCameraStorage) {
    camsim::Camera& camera = Verified();
    ASSERT_EQ(FormatDisk(connection_), STATUS_OK);
    EXPECT_EQ(camera.state().formatCount, 1u);
    EXPECT_EQ(camera.state().diskFreeMb, camera.state().diskTotalMb);
}

// The connection stays open on the library's side; what it sends next finds no camera.
struct Departure {
    const char* name;
    int (*command)(DeviceConnection*);
    camsim::Presence presence;
};

class CameraDeparture : public CameraTest,
                        public testing::WithParamInterface<std::tuple<Carrier, Departure>> {};

TEST_P(CameraDeparture, LaterExchangesFailUntilTheCameraIsBack) {
    const auto [carrier, departure] = GetParam();
    camsim::CameraState state;
    state.rebootDelay = std::chrono::seconds(3);
    camsim::Camera& camera = Connected(carrier, state);
    ASSERT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    ASSERT_EQ(departure.command(connection_), STATUS_OK);
    ASSERT_TRUE(camera.waitForPresence(departure.presence, std::chrono::seconds(2)));
    uint16_t battery = 3;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_FAILED);
    EXPECT_EQ(battery, 3);
}

INSTANTIATE_TEST_SUITE_P(Power, CameraDeparture,
                         testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                                          testing::Values(Departure{"Shutdown", SetCameraShutdown,
                                                                    camsim::Presence::Off},
                                                          Departure{"Reboot", CameraReboot,
                                                                    camsim::Presence::Rebooting})),
                         [](const testing::TestParamInfo<std::tuple<Carrier, Departure>>& info) {
                             return std::string(std::get<1>(info.param).name) +
                                    (std::get<0>(info.param) == Carrier::kUsb ? "_Usb" : "_Disk");
                         });

INSTANTIATE_TEST_SUITE_P(Carriers, CommandMembers, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         CarrierName);

}  // namespace
}  // namespace petrel_test
