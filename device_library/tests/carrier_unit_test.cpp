// Carrier behaviour seen from inside the library, against the simulated camera.
#include <gtest/gtest.h>

#include <string>

#include "camsim/simulator.h"
#include "petrel.h"
#include "transport/connection.h"

namespace {

class DiskCarrier : public testing::Test {
protected:
    void SetUp() override {
        camera_ = &sim_.addDiskCamera();
        ASSERT_EQ(EnumStorageList(nullptr, 0), 1);
        ASSERT_EQ(ConnectStorageDevice('D', &connection_), STATUS_OK);
        camera_->clearLog();
    }
    void TearDown() override { CloseDevice(connection_); }

    size_t WrittenLength(size_t payloadLength) {
        camera_->clearLog();
        const std::vector<uint8_t> payload(payloadLength, 0x5A);
        EXPECT_TRUE(connection_->carrier->Send(0x45, nullptr, payload.data(), payload.size()));
        const auto log = camera_->log();
        EXPECT_EQ(log.size(), 1u);
        return log.empty() ? 0 : log.front().wire.size();
    }

    camsim::Simulator sim_;
    camsim::Camera* camera_ = nullptr;
    DeviceConnection* connection_ = nullptr;
};

TEST_F(DiskCarrier, PayloadTravelsInWholeSixteenByteBlocks) {
    EXPECT_EQ(WrittenLength(7), 16u);
    EXPECT_EQ(WrittenLength(16), 16u);
    EXPECT_EQ(WrittenLength(18), 32u);
    EXPECT_EQ(WrittenLength(0), 0u);
}

TEST_F(DiskCarrier, PayloadBeyondOneCipherUnitIsNotSent) {
    const std::vector<uint8_t> payload(129, 1);
    EXPECT_FALSE(connection_->carrier->Send(0x45, nullptr, payload.data(), payload.size()));
    EXPECT_TRUE(camera_->log().empty());
}

TEST_F(DiskCarrier, CommandBlockCarriesSignatureCodeAndParameters) {
    const uint8_t parameter[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const uint8_t payload[4] = {};
    connection_->carrier->Send(0x1234, parameter, payload, 4);  // refused: no such command
    const auto log = camera_->log();
    ASSERT_EQ(log.size(), 1u);
    const std::array<uint8_t, 16> expected = {0xA3, 0xB2, 0xC1, 0xD0, 0x12, 0x34, 1, 2,
                                              3,    4,    5,    6,    7,    8,    9, 10};
    EXPECT_EQ(log.front().cdb, expected);
}

class ModelCode : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(ModelCode, IsTheTextAfterTheFirstUnderscore) {
    camsim::Simulator sim;
    camsim::CameraState state;
    state.modelId = GetParam().first;
    sim.addUsbCamera(state);
    DeviceListEntry* list[1] = {};
    ASSERT_EQ(EnumDeviceList(list, 1), 1);
    DeviceConnection* connection = nullptr;
    ASSERT_EQ(ConnectDevice(list[0], &connection), STATUS_OK);
    ReleaseList(list, 1);
    EXPECT_EQ(std::string(connection->modelCode), GetParam().second);
    CloseDevice(connection);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, ModelCode,
    testing::Values(std::pair<std::string, std::string>{"ABC_X1", "X1"},
                    std::pair<std::string, std::string>{"ABCX1", "ABCX1"},
                    std::pair<std::string, std::string>{"A_B_C", "B_C"},
                    std::pair<std::string, std::string>{"M_0123456789ABCDEFGH", "0123456789ABCDE"}));

}  // namespace
