// Finding cameras and opening connections, through the exports of libPetrel.so.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

using Discovery = CameraTest;

TEST_F(Discovery, CapacityZeroStopsAtTheFirstCamera) {
    sim_.addUsbCamera();
    sim_.addUsbCamera();
    std::array<DeviceListEntry*, 4> list{};
    EXPECT_EQ(EnumDeviceList(list.data(), 0), 1);
    EXPECT_NE(list[0], nullptr);
    EXPECT_EQ(list[1], nullptr);
    ReleaseList(list.data(), 1);
    EXPECT_EQ(EnumDeviceList(list.data(), 32), 2);
    ReleaseList(list.data(), 2);
}

TEST_F(Discovery, NullListCountsWithoutAllocating) {
    sim_.addUsbCamera();
    sim_.addUsbCamera();
    EXPECT_EQ(EnumDeviceList(nullptr, 32), 2);
}

TEST_F(Discovery, NoCameraLeavesTheListUntouched) {
    sim_.addPlainDisk();
    auto* marker = reinterpret_cast<DeviceListEntry*>(0x1);
    std::array<DeviceListEntry*, 22> list;
    list.fill(marker);
    EXPECT_EQ(EnumDeviceList(list.data(), 32), 0);
    EXPECT_EQ(EnumStorageList(list.data(), 0), 0);
    for (auto* slot : list) EXPECT_EQ(slot, marker);
}

TEST_F(Discovery, ReleasingTwiceFreesNothingTheSecondTime) {
    sim_.addUsbCamera();
    std::array<DeviceListEntry*, 2> list{};
    ASSERT_EQ(EnumDeviceList(list.data(), 2), 1);
    EXPECT_EQ(ReleaseList(list.data(), 1), 0);
    EXPECT_EQ(list[0], nullptr);
    EXPECT_EQ(ReleaseList(list.data(), 1), 0);
}

TEST_F(Discovery, CameraDisksAreFoundAndOtherDisksSkipped) {
    sim_.addPlainDisk();
    sim_.addDiskCamera();
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
    const int letter = GetStorageDisk(list[0]);
    EXPECT_GE(letter, 'D');
    EXPECT_LE(letter, 'Y');
    ReleaseList(list.data(), 1);
    EXPECT_EQ(EnumStorageList(nullptr, 0), 1);
}

TEST_F(Discovery, AnEntryWithoutTheTagIsRefused) {
    sim_.addUsbCamera();
    std::array<uint32_t, 8> forged{};  // as large as an entry, tag 0
    DeviceConnection* untouched = reinterpret_cast<DeviceConnection*>(0x2);
    DeviceConnection* out = untouched;
    EXPECT_EQ(ConnectDevice(reinterpret_cast<DeviceListEntry*>(forged.data()), &out), STATUS_FAILED);
    EXPECT_EQ(out, untouched);
    EXPECT_EQ(ConnectDevice(nullptr, &out), STATUS_FAILED);
    EXPECT_EQ(GetStorageDisk(reinterpret_cast<DeviceListEntry*>(forged.data())), 0);
}

TEST_F(Discovery, ConnectSendsSystemTypeOne) {
    camsim::Camera& camera = sim_.addUsbCamera();
    ASSERT_EQ(ConnectFirst(), STATUS_OK);
    EXPECT_EQ(camera.state().systemType, 1);
}

TEST_F(Discovery, VersionTextNeedsTheInterfaceVersionAnywhere) {
    camsim::CameraState state;
    state.version = "XW-9.1_API_1.0.8_build_2207";
    sim_.addUsbCamera(state);
    EXPECT_EQ(ConnectFirst(), STATUS_OK);
}

TEST_F(Discovery, OlderInterfaceIsAMismatchWithTheConnectionKept) {
    camsim::CameraState state;
    state.version = "FW_2.0.0_API_1.0.7";
    sim_.addUsbCamera(state);
    ASSERT_EQ(ConnectFirst(), STATUS_VERSION_MISMATCH);
    ASSERT_NE(connection_, nullptr);
    char model[32] = {};
    EXPECT_EQ(GetModelID(connection_, model), STATUS_OK);
}

TEST_F(Discovery, UnansweredVersionStillConnects) {
    camsim::Camera& camera = sim_.addUsbCamera();
    // Connecting exchanges the model id, system type, bar code, then the version.
    camera.injectFault(camsim::Fault::NoReply, 4);
    EXPECT_EQ(ConnectFirst(), STATUS_OK);
}

TEST_F(Discovery, UnansweredModelIdMeansNoConnection) {
    camsim::Camera& camera = sim_.addUsbCamera();
    camera.injectFault(camsim::Fault::NoReply, 1);
    DeviceConnection* untouched = reinterpret_cast<DeviceConnection*>(0x2);
    connection_ = untouched;
    EXPECT_EQ(ConnectFirst(), STATUS_FAILED);
    EXPECT_EQ(connection_, untouched);
    connection_ = nullptr;
}

TEST_F(Discovery, StorageIdIsTheDriveLetterOfDiskConnectionsOnly) {
    sim_.addUsbCamera();
    ASSERT_EQ(ConnectFirst(), STATUS_OK);
    EXPECT_EQ(GetStorageID(connection_), 0);
    EXPECT_EQ(GetStorageID(nullptr), 0);
}

TEST_F(Discovery, FixedDriveMapPutsTheCameraOnE) {
    camsim::Camera& camera = sim_.addDiskCamera();
    const std::string map = "E=" + camera.deviceNode();
    setenv("PETREL_DRIVES", map.c_str(), 1);
    const int status = ConnectStorageDevice('E', &connection_);
    unsetenv("PETREL_DRIVES");
    ASSERT_EQ(status, STATUS_OK);
    EXPECT_EQ(GetStorageID(connection_), 69);
    DeviceConnection* other = nullptr;
    EXPECT_EQ(ConnectStorageDevice('F', &other), STATUS_FAILED);
}

TEST_F(Discovery, DescriptorStringsComeFromUsbOnly) {
    camsim::CameraState state;
    state.manufacturer = "Maker";
    state.product = "Recorder";
    state.serial = "0123456789abcdef0123456789abcdefXYZ";
    sim_.addUsbCamera(state);
    ASSERT_EQ(ConnectFirst(), STATUS_OK);
    char manufacturer[32], product[32], serial[32];
    ASSERT_EQ(GetDescriptorString(connection_, manufacturer, product, serial), STATUS_OK);
    EXPECT_STREQ(manufacturer, "Maker");
    EXPECT_STREQ(product, "Recorder");
    EXPECT_EQ(std::string(serial), state.serial.substr(0, 31));
    EXPECT_EQ(GetDescriptorString(nullptr, manufacturer, product, serial), STATUS_FAILED);
}

TEST_F(Discovery, DescriptorStringsFailOnADiskAndWriteNothing) {
    sim_.addDiskCamera();
    ASSERT_EQ(ConnectFirst(), STATUS_OK);
    char manufacturer[32] = "m", product[32] = "p", serial[32] = "s";
    EXPECT_EQ(GetDescriptorString(connection_, manufacturer, product, serial), STATUS_FAILED);
    EXPECT_STREQ(manufacturer, "m");
    EXPECT_STREQ(product, "p");
    EXPECT_STREQ(serial, "s");
}

TEST_F(Discovery, CloseAcceptsNull) { EXPECT_EQ(CloseDevice(nullptr), 0); }

TEST_F(Discovery, OfflineVolumeNameIsStableAndTheLetterGoesAway) {
    sim_.addDiskCamera();
    ASSERT_EQ(EnumStorageList(nullptr, 0), 1);
    char name[260] = {};
    ASSERT_EQ(StorageToVolumeName('D', name), 0);
    EXPECT_EQ(std::strncmp(name, "/dev/", 5), 0) << name;
    EXPECT_EQ(EnumStorageList(nullptr, 0), 0);
    EXPECT_EQ(StorageToVolumeName('D', name), 1);
    EXPECT_EQ(StorageToVolumeName('Q', nullptr), 1);
}

TEST(StatusNames, EveryStatusHasAName) {
    EXPECT_STREQ(PetrelStatusName(STATUS_OK), "STATUS_OK");
    EXPECT_STREQ(PetrelStatusName(STATUS_NO_CONNECTION), "STATUS_NO_CONNECTION");
    EXPECT_STREQ(PetrelStatusName(STATUS_NOT_SUPPORTED), "STATUS_NOT_SUPPORTED");
    EXPECT_STREQ(PetrelStatusName(8), "STATUS_UNKNOWN");
    EXPECT_STREQ(PetrelStatusName(-1), "STATUS_UNKNOWN");
}

}  // namespace
}  // namespace petrel_test
