// Password check, read and change over the simulated camera, and the connection key
// behind the masked fields: the camera unmasks with the key it derived itself, so a
// field that arrives in clear proves both sides hold the same key.
#include <utility>

#include "support/camera_fixture.h"

namespace petrel_test {
namespace {

class PasswordMembers : public EachCarrier {
protected:
    // The identity write masks two fields with the connection key; true when the camera
    // read them back in clear.
    bool KeysAgree(camsim::Camera& camera) {
        if (SetUserDevID(connection_, "100200", "Kim", "D00042") != STATUS_OK) return false;
        const camsim::CameraState state = camera.state();
        return state.userId == "100200" && state.deviceId == "D00042";
    }
    int Battery() {
        uint16_t battery = 0;
        return GetBattery(connection_, &battery);
    }
};

TEST_P(PasswordMembers, AcceptedPasswordTravelsInClearAtMostSixteenAndDerivesTheKey) {
    camsim::CameraState state;
    state.passwords[0] = "ABCDEFGHIJKLMNOP";
    camsim::Camera& camera = Connected(GetParam(), state);
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_ADMINISTRATOR),
              STATUS_NOT_VERIFIED);
    EXPECT_EQ(Battery(), STATUS_NOT_VERIFIED) << "a refusal leaves the connection unverified";
    camera.clearLog();
    ASSERT_EQ(VerifiPassword(connection_, "ABCDEFGHIJKLMNOPQRST", PETREL_USER_GENERAL), STATUS_OK);
    EXPECT_EQ(Head(Writes(camera).at(0).payload, 18),
              Bytes({0, 0, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N',
                     'O', 'P'}));
    EXPECT_EQ(camera.session().verifiedLevel, PETREL_USER_GENERAL);
    EXPECT_TRUE(KeysAgree(camera));
}

TEST_P(PasswordMembers, LockOutIsReportedAndKeepsTheVerifiedLevelAndKey) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 2;
    camsim::Camera& camera = Connected(GetParam(), state);
    ASSERT_EQ(VerifiPassword(connection_, kGeneralPassword, PETREL_USER_GENERAL), STATUS_OK);
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_ADMINISTRATOR),
                  STATUS_NOT_VERIFIED);
    }
    EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
              STATUS_PASSWORD_LOCKED)
        << "even the right password is refused while locked out";
    ASSERT_TRUE(camera.session().lockedOut);
    EXPECT_EQ(Battery(), STATUS_OK) << "still verified as before";
    EXPECT_TRUE(KeysAgree(camera)) << "still the general user's key";
}

TEST_P(PasswordMembers, LockOutOnAFreshConnectionLeavesItUnverified) {
    camsim::CameraState state;
    state.lockout.maxAttempts = 1;
    Connected(GetParam(), state);
    EXPECT_EQ(VerifiPassword(connection_, "000000", PETREL_USER_GENERAL), STATUS_NOT_VERIFIED);
    EXPECT_EQ(VerifiPassword(connection_, kGeneralPassword, PETREL_USER_GENERAL),
              STATUS_PASSWORD_LOCKED);
    EXPECT_EQ(Battery(), STATUS_NOT_VERIFIED);
}

// The new password travels masked with the key of the verified level (the camera unmasks it
// with its own); only a change of that level's own password renews the key.
TEST_P(PasswordMembers, ChangeTravelsMaskedAndRenewsOnlyTheVerifiedLevelsKey) {
    camsim::Camera& camera = Verified(GetParam());
    const camsim::Bytes6 key = camera.session().connectionKey;
    char password[16];
    for (int level : {-1, 2, 256}) {
        SCOPED_TRACE(level);
        EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, level), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(GetPassword(connection_, password, level), STATUS_BAD_ARGUMENT);
        EXPECT_EQ(SetPassword(connection_, kAdminPassword, level), STATUS_BAD_ARGUMENT);
    }
    EXPECT_TRUE(camera.log().empty()) << "levels other than the two accounts go nowhere";
    ASSERT_EQ(SetPassword(connection_, "abcdefghij", PETREL_USER_GENERAL), STATUS_OK);
    EXPECT_EQ(camera.state().passwords[0], "abcdefghij");
    EXPECT_EQ(camera.session().connectionKey, key);
    EXPECT_TRUE(KeysAgree(camera));

    ASSERT_EQ(SetPassword(connection_, "777777", PETREL_USER_ADMINISTRATOR), STATUS_OK);
    EXPECT_EQ(camera.state().passwords[1], "777777");
    EXPECT_NE(camera.session().connectionKey, key);
    EXPECT_TRUE(KeysAgree(camera));
    EXPECT_EQ(VerifiPassword(connection_, "777777", PETREL_USER_ADMINISTRATOR), STATUS_OK);
}

TEST_P(PasswordMembers, IdentityFieldsTravelMaskedAndArriveInClear) {
    camsim::Camera& camera = Verified(GetParam());
    const std::string longUser = "U123456789ABCDEFGHIJ";  // 20 characters: 16 go out
    ASSERT_EQ(SetUserDevID(connection_, longUser.c_str(), "Officer Kim", "ab"), STATUS_OK);
    const camsim::CameraState state = camera.state();
    EXPECT_EQ(state.userId, longUser.substr(0, 16));
    EXPECT_EQ(state.deviceId, "ab") << "the key bytes behind a short text unmask to zeros";
    EXPECT_EQ(state.userName, "Officer Kim");

    char userId[16], userName[32], deviceId[16];
    ASSERT_EQ(GetUserDevID(connection_, userId, userName, deviceId), STATUS_OK);
    EXPECT_EQ(std::string(userId, 16), longUser.substr(0, 16)) << "in clear, no terminator";
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
    if (GetParam() == Carrier::kUsb) {  // the disk's level byte: the command table's rows
        EXPECT_EQ(Writes(camera).at(0).payload[0], PETREL_USER_ADMINISTRATOR);
    }
}

// The camera derives its key from the text after the model identifier's first underscore,
// fifteen characters at most; the library takes the same text whatever the identifier.
TEST_P(PasswordMembers, KeysAgreeWhateverTheModelIdentifier) {
    for (const char* model : {"ABC_X1", "ABCX1", "A_B_C", "M_0123456789ABCDEFGH"}) {
        camsim::CameraState state;
        state.modelId = model;
        camsim::Camera& camera = Verified(GetParam(), state);
        EXPECT_TRUE(KeysAgree(camera)) << model;
        CloseDevice(std::exchange(connection_, nullptr));
        camera.unplug();
    }
}

PETREL_ON_EACH_CARRIER(PasswordMembers);

}  // namespace
}  // namespace petrel_test
