// Finding cameras and opening connections, through the exports of libPetrel.so.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

using Discovery = CameraTest;

TEST_F(Discovery, UsbListHonoursCapacityAndReleasesOnce) {
    sim_.addUsbCamera();
    sim_.addUsbCamera();
    std::array<DeviceListEntry*, 4> list{};
    EXPECT_EQ(EnumDeviceList(nullptr, 32), 2) << "a null list counts without allocating";
    EXPECT_EQ(EnumDeviceList(list.data(), 0), 1) << "capacity 0 stops at the first camera";
    EXPECT_EQ(list[1], nullptr);
    EXPECT_EQ(ReleaseList(list.data(), 1), 0);
    EXPECT_EQ(list[0], nullptr);
    EXPECT_EQ(ReleaseList(list.data(), 1), 0) << "nothing is freed twice";
    EXPECT_EQ(EnumDeviceList(list.data(), 32), 2);
    EXPECT_EQ(GetStorageDisk(list[0]), 0);
    ReleaseList(list.data(), 2);
}

TEST_F(Discovery, CameraDisksAreFoundOtherDisksSkippedAndAReplugKeepsTheLetter) {
    sim_.addPlainDisk();
    auto* marker = reinterpret_cast<DeviceListEntry*>(0x1);
    std::array<DeviceListEntry*, 22> list;
    list.fill(marker);
    EXPECT_EQ(EnumDeviceList(list.data(), 32), 0);
    EXPECT_EQ(EnumStorageList(list.data(), 0), 0);
    for (auto* slot : list) EXPECT_EQ(slot, marker);

    camsim::Camera& camera = sim_.addDiskCamera();
    ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
    const int letter = GetStorageDisk(list[0]);
    EXPECT_TRUE(letter >= 'D' && letter <= 'Y') << letter;
    ReleaseList(list.data(), 1);
    for (int cycle = 0; cycle < 3; ++cycle) {
        camera.unplug();
        EXPECT_EQ(EnumStorageList(nullptr, 0), 0) << "a disk that went away stays away";
        camera.plugIn();
        ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
        EXPECT_EQ(GetStorageDisk(list[0]), letter);
        ReleaseList(list.data(), 1);
    }
}

// Connecting exchanges the model id, the system type, the bar code, then the version.
struct ConnectCase {
    const char* name;
    const char* version;
    unsigned unanswered;  // exchange left without reply, 0 for none
    int status;
};

class Connecting : public CameraTest, public testing::WithParamInterface<ConnectCase> {};

TEST_P(Connecting, ReadsIdentityAndJudgesTheInterfaceVersion) {
    camsim::CameraState state;
    state.version = GetParam().version;
    camsim::Camera& camera = AddCamera(Carrier::kUsb, state);
    if (GetParam().unanswered != 0)
        camera.injectFault(camsim::Fault::NoReply, GetParam().unanswered);
    DeviceConnection* untouched = reinterpret_cast<DeviceConnection*>(0x2);
    connection_ = untouched;
    EXPECT_EQ(ConnectFirst(&connection_), GetParam().status);
    if (GetParam().status == STATUS_FAILED) {
        EXPECT_EQ(connection_, untouched);
        connection_ = nullptr;
        return;
    }
    EXPECT_EQ(camera.state().systemType, 1);
    EXPECT_EQ(GetStorageID(connection_), 0);
    char model[32] = {};
    EXPECT_EQ(GetModelID(connection_, model), STATUS_OK) << "the connection is usable";
}

INSTANTIATE_TEST_SUITE_P(
    Versions, Connecting,
    testing::Values(ConnectCase{"Anywhere", "XW-9.1_API_1.0.8_build_2207", 0, STATUS_OK},
                    ConnectCase{"Unanswered", "FW_2.0.0_API_1.0.7", 4, STATUS_OK},
                    ConnectCase{"NoModelId", "FW_API_1.0.8", 1, STATUS_FAILED}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Discovery, FixedDriveMapPutsTheCameraOnE) {
    camsim::Camera& camera = sim_.addDiskCamera();
    const std::string map = "E=" + camera.deviceNode();
    setenv("PETREL_DRIVES", map.c_str(), 1);
    const int status = ConnectStorageDevice('E', &connection_);
    DeviceConnection* other = nullptr;
    EXPECT_EQ(ConnectStorageDevice('F', &other), STATUS_FAILED);
    unsetenv("PETREL_DRIVES");
    ASSERT_EQ(status, STATUS_OK);
    EXPECT_EQ(GetStorageID(connection_), 'E');
    char text[32] = "t";
    EXPECT_EQ(GetDescriptorString(connection_, text, text, text), STATUS_FAILED);
    EXPECT_STREQ(text, "t") << "descriptors come from USB only";
}

TEST_F(Discovery, DescriptorStringsAreCutToThirtyOneCharacters) {
    camsim::CameraState state;
    state.manufacturer = "Maker";
    state.product = "Recorder";
    state.serial = "0123456789abcdef0123456789abcdefXYZ";
    Connected(Carrier::kUsb, state);
    char manufacturer[32], product[32], serial[32];
    ASSERT_EQ(GetDescriptorString(connection_, manufacturer, product, serial), STATUS_OK);
    EXPECT_STREQ(manufacturer, "Maker");
    EXPECT_STREQ(product, "Recorder");
    EXPECT_EQ(std::string(serial), state.serial.substr(0, 31));
    EXPECT_EQ(GetDescriptorString(nullptr, manufacturer, product, serial), STATUS_FAILED);
}

TEST_F(Discovery, OfflineVolumeNameIsStableAndTheLetterGoesAway) {
    sim_.addDiskCamera();
    std::array<DeviceListEntry*, 22> list{};
    ASSERT_EQ(EnumStorageList(list.data(), 0), 1);
    const int letter = GetStorageDisk(list[0]);
    ReleaseList(list.data(), 1);
    char name[260] = {};
    ASSERT_EQ(StorageToVolumeName(letter, name), 0);
    EXPECT_EQ(std::strncmp(name, "/dev/", 5), 0) << name;
    EXPECT_EQ(EnumStorageList(nullptr, 0), 0);
    EXPECT_EQ(StorageToVolumeName(letter, name), 1);
    EXPECT_EQ(StorageToVolumeName('Q', nullptr), 1);
}

// An attribute of the USB device the simulator shows for the camera (a disk's too).
std::string UsbAttribute(const camsim::Camera& camera, const char* name) {
    std::ifstream file(camera.sysfsPath() + "/" + name);
    std::string value;
    std::getline(file, value);
    return value;
}

TEST_P(EachCarrier, EntryInfoTellsWhereTheListedCameraIs) {
    camsim::CameraState state;
    state.serial = "SN-0123456789abcdef0123456789abcdef-XYZ";  // longer than a descriptor copy
    sim_.addUsbCamera();  // another camera, so each entry must name its own
    camsim::Camera& camera = AddCamera(GetParam(), state);
    const bool usb = GetParam() == Carrier::kUsb;
    std::array<DeviceListEntry*, 22> list{};
    const int count = usb ? EnumDeviceList(list.data(), 32) : EnumStorageList(list.data(), 0);
    ASSERT_EQ(count, usb ? 2 : 1);
    std::vector<PetrelEntryInfo> infos(count);
    for (int i = 0; i < count; ++i) {
        std::memset(&infos[i], 0x7E, sizeof infos[i]);
        ASSERT_EQ(PetrelGetEntryInfo(list[i], &infos[i]), STATUS_OK);
    }
    const auto info = std::find_if(infos.begin(), infos.end(), [&](const PetrelEntryInfo& i) {
        return camera.deviceNode() == i.node;
    });
    ASSERT_NE(info, infos.end()) << "no entry names " << camera.deviceNode();
    EXPECT_EQ(info->kind, usb ? 0 : 1);
    EXPECT_STREQ(info->serial, state.serial.c_str());
    EXPECT_EQ(info->busNumber, std::stoi(UsbAttribute(camera, "busnum")));
    EXPECT_EQ(info->deviceNumber, std::stoi(UsbAttribute(camera, "devnum")));
    EXPECT_NE(info->deviceNumber, 0);
    EXPECT_EQ(info->driveLetter, usb ? 0 : GetStorageDisk(list[0]));
    if (usb) {
        EXPECT_STRNE(infos[0].serial, infos[1].serial);
    }
    EXPECT_EQ(PetrelGetEntryInfo(list[0], nullptr), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(PetrelGetEntryInfo(nullptr, infos.data()), STATUS_BAD_ARGUMENT);
    ReleaseList(list.data(), count);
}

PETREL_ON_EACH_CARRIER(EachCarrier);

TEST(StatusNames, EveryStatusHasItsOwnName) {
    std::set<std::string> names;
    for (int status = -1; status <= STATUS_NOT_SUPPORTED + 1; ++status) {
        names.insert(PetrelStatusName(status));
    }
    EXPECT_EQ(names.size(), 9u) << "eight names and STATUS_UNKNOWN";
    EXPECT_STREQ(PetrelStatusName(STATUS_NO_CONNECTION), "STATUS_NO_CONNECTION");
    EXPECT_STREQ(PetrelStatusName(STATUS_NOT_SUPPORTED), "STATUS_NOT_SUPPORTED");
    EXPECT_STREQ(PetrelStatusName(8), "STATUS_UNKNOWN");
    EXPECT_STREQ(PetrelStatusName(-1), "STATUS_UNKNOWN");
}

}  // namespace
}  // namespace petrel_test
