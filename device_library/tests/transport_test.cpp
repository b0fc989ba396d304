// What crosses the wire for one command, and how each kind of bad reply is met.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(CameraTest, UsbQueryWritesAFramedRequestFirst) {
    camsim::Camera& camera = Connected(Carrier::kUsb);
    char model[32];
    ASSERT_EQ(GetModelID(connection_, model), STATUS_OK);
    const auto log = camera.log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].direction, camsim::Direction::Write);
    Bytes expected = {0xD0, 0xC1, 0xB2, 0xA3, 0x00, 42, 0x00, 0x2D, 0x00};
    expected.resize(9 + 32, 0);
    unsigned sum = 0;
    for (uint8_t b : expected) sum += b;
    expected.push_back(static_cast<uint8_t>(sum));
    EXPECT_EQ(log[0].wire, expected);
    EXPECT_EQ(log[1].direction, camsim::Direction::Read);
}

TEST_F(CameraTest, DiskQuerySendsNothingBeforeItsRead) {
    camsim::Camera& camera = Connected(Carrier::kDisk);
    char model[32];
    ASSERT_EQ(GetModelID(connection_, model), STATUS_OK);
    const auto log = camera.log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].direction, camsim::Direction::Read);
    const std::array<uint8_t, 16> cdb = {0xA7, 0xB6, 0xC5, 0xD4, 0x00, 0x2D};
    EXPECT_EQ(log[0].cdb, cdb);
}

TEST_P(EachCarrier, IdentityTextsReadBackAsTheCameraHoldsThem) {
    camsim::CameraState state;
    state.modelId = "BWC_Z9";
    state.barCode = "0123456789ABCDEF0123456789ABCDEF";  // a full field, no terminator
    state.version = std::string(60, 'v').replace(10, 9, "API_1.0.8");
    Connected(GetParam(), state);
    char model[33] = {}, barCode[33] = {}, version[49];
    std::memset(version, 0x7E, sizeof version);
    ASSERT_EQ(GetModelID(connection_, model), STATUS_OK);
    ASSERT_EQ(GetBarCode(connection_, barCode), STATUS_OK);
    ASSERT_EQ(GetDeviceVersion(connection_, version), STATUS_OK);
    EXPECT_STREQ(model, "BWC_Z9");
    EXPECT_EQ(std::string(barCode), state.barCode);
    EXPECT_EQ(std::string(version, 47), state.version.substr(0, 47));
    EXPECT_EQ(version[47], 0x7E) << "only 47 bytes are written";
}

TEST_P(EachCarrier, GuardsComeBeforeAnyTransfer) {
    camsim::Camera& camera = Connected(GetParam());
    EXPECT_EQ(GetModelID(nullptr, nullptr), STATUS_NO_CONNECTION);
    EXPECT_EQ(GetModelID(connection_, nullptr), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(GetDeviceVersion(connection_, nullptr), STATUS_BAD_ARGUMENT);
    EXPECT_EQ(ResetDevice(connection_), STATUS_NOT_VERIFIED);
    EXPECT_EQ(SetSystemType(nullptr, 1), STATUS_NO_CONNECTION);
    EXPECT_TRUE(camera.log().empty());
}

TEST_P(EachCarrier, SystemTypeOneOnlyForTypeOne) {
    camsim::Camera& camera = Connected(GetParam());
    EXPECT_EQ(SetSystemType(connection_, 7), STATUS_OK);
    EXPECT_EQ(camera.state().systemType, 0);
    EXPECT_EQ(SetSystemType(connection_, 1), STATUS_OK);
    EXPECT_EQ(camera.state().systemType, 1);
}

class FaultyReply : public CameraTest,
                    public testing::WithParamInterface<std::tuple<Carrier, camsim::Fault>> {};

TEST_P(FaultyReply, FailsAndLeavesTheOutputAlone) {
    camsim::Camera& camera = Connected(std::get<0>(GetParam()));
    camera.injectFault(std::get<1>(GetParam()));
    char model[32];
    std::memset(model, 0x7E, sizeof model);
    EXPECT_EQ(GetModelID(connection_, model), STATUS_FAILED);
    for (char c : model) ASSERT_EQ(c, 0x7E);
    camera.clearFaults();
    if (std::get<1>(GetParam()) != camsim::Fault::Unplugged) {
        EXPECT_EQ(GetModelID(connection_, model), STATUS_OK) << "the next exchange works again";
    }
}

TEST_P(FaultyReply, UnpluggedForGoodFailsEveryLaterExchange) {
    if (std::get<1>(GetParam()) != camsim::Fault::Unplugged) GTEST_SKIP() << "covered once";
    camsim::Camera& camera = Connected(std::get<0>(GetParam()));
    camera.injectFault(camsim::Fault::Unplugged, 1, camsim::FaultSpan::FromThenOn);
    char text[48];
    EXPECT_EQ(GetModelID(connection_, text), STATUS_FAILED);
    EXPECT_EQ(GetDeviceVersion(connection_, text), STATUS_FAILED);
    EXPECT_EQ(SetSystemType(connection_, 1), STATUS_FAILED);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultyReply,
    testing::Combine(testing::Values(Carrier::kUsb, Carrier::kDisk),
                     testing::Values(camsim::Fault::NoReply, camsim::Fault::WrongMagic,
                                     camsim::Fault::WrongChecksum, camsim::Fault::LengthTooLong,
                                     camsim::Fault::OtherCommand, camsim::Fault::Unplugged)));

INSTANTIATE_TEST_SUITE_P(Carriers, EachCarrier, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         CarrierName);

}  // namespace
}  // namespace petrel_test
