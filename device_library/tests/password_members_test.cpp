// Password check, read and change over the simulated camera, and the connection key
// behind the masked fields: the camera unmasks with the key it derived itself, so a
// field that arrives in clear proves both sides hold the same key.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/command_support.h"

namespace petrel_test {
namespace {

using Bytes = std::vector<uint8_t>;

class PasswordMembers : public VerifiedCarrier {
protected:
    // The identity write masks two fields with the connection key; true when the camera
    // read them back in clear.
    bool KeysAgree(camsim::Camera& camera) {
        if (SetUserDevID(connection_, "100200", "Kim", "D00042") != STATUS_OK) return false;
        const camsim::CameraState state = camera.state();
        return state.userId == "100200" && state.deviceId == "D00042";
    }

    static Bytes Field(const camsim::LoggedRequest& request, size_t offset, size_t size) {
        return Bytes(request.payload.begin() + static_cast<std::ptrdiff_t>(offset),
                     request.payload.begin() + static_cast<std::ptrdiff_t>(offset + size));
    }
};

TEST_P(PasswordMembers, AcceptedPasswordTravelsInClearAndDerivesTheCamerasKey) {
    camsim::Camera& camera = Connected(GetParam());
    ASSERT_EQ(VerifiPassword(connection_, kGeneralPassword, PETREL_USER_GENERAL), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(Field(writes[0], 0, 8), Bytes({0, 0, '1', '2', '3', '4', '5', '6'}));
    EXPECT_EQ(camera.session().verifiedLevel, PETREL_USER_GENERAL);
    EXPECT_TRUE(KeysAgree(camera));
}

TEST_P(PasswordMembers, RejectedPasswordLeavesTheConnectionUnverified) {
    camsim::Camera& camera = Connected(GetParam());
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_ADMINISTRATOR),
              STATUS_NOT_VERIFIED);
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_NOT_VERIFIED);
    EXPECT_EQ(camera.session().verifiedLevel, -1);
}

TEST_P(PasswordMembers, OnlySixteenCharactersOfAPasswordAreSent) {
    camsim::CameraState state;
    state.passwords[1] = "ABCDEFGHIJKLMNOP";
    camsim::Camera& camera = Connected(GetParam(), state);
    EXPECT_EQ(VerifiPassword(connection_, "ABCDEFGHIJKLMNOPQRST", PETREL_USER_ADMINISTRATOR),
              STATUS_OK);
    EXPECT_EQ(Field(Writes(camera)[0], 2, 16),
              Bytes(state.passwords[1].begin(), state.passwords[1].end()));
    EXPECT_TRUE(KeysAgree(camera));
}

TEST_P(PasswordMembers, LockOutIsReportedAndKeepsTheVerifiedLevelAndKey) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 2;
    camsim::Camera& camera = Connected(GetParam(), state);
    ASSERT_EQ(VerifiPassword(connection_, kGeneralPassword, PETREL_USER_GENERAL), STATUS_OK);
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_ADMINISTRATOR),
              STATUS_NOT_VERIFIED);
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_ADMINISTRATOR),
              STATUS_NOT_VERIFIED);
    EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
              STATUS_PASSWORD_LOCKED)
        << "even the right password is refused while locked out";
    ASSERT_TRUE(camera.session().lockedOut);

    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_OK) << "still verified as before";
    EXPECT_TRUE(KeysAgree(camera)) << "still the general user's key";
    char password[16];
    ASSERT_EQ(SetPassword(connection_, "111111", PETREL_USER_GENERAL), STATUS_OK);
    ASSERT_EQ(GetPassword(connection_, password, PETREL_USER_GENERAL), STATUS_OK);
    EXPECT_EQ(std::string(password, 6), "111111")
        << "a change of the verified level's own password";
}

TEST_P(PasswordMembers, LockOutOnAFreshConnectionLeavesItUnverified) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1;
    Connected(GetParam(), state);
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_GENERAL), STATUS_NOT_VERIFIED);
    EXPECT_EQ(VerifiPassword(connection_, kGeneralPassword, PETREL_USER_GENERAL),
              STATUS_PASSWORD_LOCKED);
    uint16_t battery = 0;
    EXPECT_EQ(GetBattery(connection_, &battery), STATUS_NOT_VERIFIED);
}

TEST_P(PasswordMembers, ChangingTheOtherLevelsPasswordKeepsTheKey) {
    camsim::Camera& camera = Verified();
    const camsim::Bytes6 key = camera.session().connectionKey;
    ASSERT_EQ(SetPassword(connection_, "654321", PETREL_USER_GENERAL), STATUS_OK);
    EXPECT_EQ(camera.state().passwords[0], "654321") << "unmasked with the administrator's key";
    EXPECT_EQ(camera.session().connectionKey, key);
    EXPECT_TRUE(KeysAgree(camera));
}

TEST_P(PasswordMembers, ChangingTheVerifiedLevelsPasswordRenewsTheKey) {
    camsim::Camera& camera = Verified();
    const camsim::Bytes6 key = camera.session().connectionKey;
    ASSERT_EQ(SetPassword(connection_, "777777", PETREL_USER_ADMINISTRATOR), STATUS_OK);
    EXPECT_EQ(camera.state().passwords[1], "777777");
    EXPECT_NE(camera.session().connectionKey, key);
    EXPECT_TRUE(KeysAgree(camera));
    EXPECT_EQ(VerifiPassword(connection_, "777777", PETREL_USER_ADMINISTRATOR), STATUS_OK);
}

TEST_P(PasswordMembers, NewPasswordTravelsMaskedAndArrivesInClear) {
    camsim::Camera& camera = Verified();
    ASSERT_EQ(SetPassword(connection_, "abcdefghij", PETREL_USER_GENERAL), STATUS_OK);
    const auto writes = Writes(camera);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].payload[0], PETREL_USER_GENERAL);
    EXPECT_NE(Field(writes[0], 2, 6), Bytes({'a', 'b', 'c', 'd', 'e', 'f'}));
    EXPECT_EQ(Field(writes[0], 8, 4), Bytes({'g', 'h', 'i', 'j'})) << "only six bytes are masked";
    EXPECT_EQ(camera.state().passwords[0], "abcdefghij");
}

TEST_P(PasswordMembers, IdentityFieldsTravelMaskedAndArriveInClear) {
    camsim::Camera& camera = Verified();
    const std::string longUser = "U123456789ABCDEFGHIJ";  // 20 characters: 16 go out
    ASSERT_EQ(SetUserDevID(connection_, longUser.c_str(), "Officer Kim", "ab"), STATUS_OK);
    const camsim::CameraState state = camera.state();
    EXPECT_EQ(state.userId, longUser.substr(0, 16));
    EXPECT_EQ(state.deviceId, "ab") << "the key bytes behind a short text unmask to zeros";
    EXPECT_EQ(state.userName, "Officer Kim");

    const auto write = Writes(camera).at(0);
    EXPECT_NE(Field(write, 0, 6), Bytes(longUser.begin(), longUser.begin() + 6));
    EXPECT_EQ(Field(write, 6, 10), Bytes(longUser.begin() + 6, longUser.begin() + 16));
    EXPECT_EQ(Field(write, 32, 11), Bytes({'O', 'f', 'f', 'i', 'c', 'e', 'r', ' ', 'K', 'i', 'm'}));

    char userId[16], userName[32], deviceId[16];
    ASSERT_EQ(GetUserDevID(connection_, userId, userName, deviceId), STATUS_OK);
    EXPECT_EQ(std::string(userId, 16), longUser.substr(0, 16))
        << "read back in clear, no terminator";
    EXPECT_STREQ(deviceId, "ab");
    EXPECT_STREQ(userName, "Officer Kim");

    // The name is optional both ways.
    ASSERT_EQ(SetUserDevID(connection_, "100200", nullptr, "D00042"), STATUS_OK);
    EXPECT_EQ(camera.state().userName, "");
    ASSERT_EQ(GetUserDevID(connection_, userId, nullptr, deviceId), STATUS_OK);
    EXPECT_STREQ(deviceId, "D00042");
}

TEST_P(PasswordMembers, StoredPasswordIsReadForTheLevelAsked) {
    camsim::Camera& camera = Connected(GetParam());
    char password[17] = {};
    ASSERT_EQ(GetPassword(connection_, password, PETREL_USER_ADMINISTRATOR), STATUS_OK);
    EXPECT_STREQ(password, kAdminPassword);
    if (GetParam() == Carrier::kUsb) {
        Bytes request(18, 0);
        request[0] = PETREL_USER_ADMINISTRATOR;
        EXPECT_EQ(Writes(camera).at(0).payload, request);
    } else {
        EXPECT_EQ(Reads(camera).at(0).params[0], PETREL_USER_ADMINISTRATOR);
    }
}

TEST_P(PasswordMembers, LevelsOtherThanTheTwoAccountsAreRefusedUnsent) {
    camsim::Camera& camera = Verified();
    char password[16];
    for (int level : {-1, 2, 256}) {
        SCOPED_TRACE(level);
        EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, level), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(GetPassword(connection_, password, level), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(SetPassword(connection_, kAdminPassword, level), STATUS_BAD_ARGUMENT);
    }
    EXPECT_TRUE(camera.log().empty());
}

INSTANTIATE_TEST_SUITE_P(Carriers, PasswordMembers, testing::Values(Carrier::kUsb, Carrier::kDisk),
                         CarrierName);

}  // namespace
}  // namespace petrel_test
