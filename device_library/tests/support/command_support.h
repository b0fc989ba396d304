// What the command tests share: the simulated camera's default passwords, a marked
// output area to prove a failure wrote nothing, and views of the camera's request log.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "support/camera_fixture.h"

namespace petrel_test {

inline constexpr const char* kGeneralPassword = "123456";  // CameraState's level 0
inline constexpr const char* kAdminPassword = "888888";    // CameraState's level 1

// Outputs start as this byte; any other byte after a failed call was written by it.
inline constexpr uint8_t kUntouched = 0x7E;

// Room for the largest output of any export (the 480-byte key text).
struct Scratch {
    alignas(8) std::array<uint8_t, 512> bytes;
    Scratch() { bytes.fill(kUntouched); }
    uint8_t* data() { return bytes.data(); }
    bool Untouched() const {
        return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == kUntouched; });
    }
};

inline std::vector<camsim::LoggedRequest> Only(const std::vector<camsim::LoggedRequest>& log,
                                               camsim::Direction direction) {
    std::vector<camsim::LoggedRequest> kept;
    std::copy_if(log.begin(), log.end(), std::back_inserter(kept),
                 [direction](const camsim::LoggedRequest& e) { return e.direction == direction; });
    return kept;
}

inline std::vector<camsim::LoggedRequest> Writes(const camsim::Camera& camera) {
    return Only(camera.log(), camsim::Direction::Write);
}

inline std::vector<camsim::LoggedRequest> Reads(const camsim::Camera& camera) {
    return Only(camera.log(), camsim::Direction::Read);
}

// A connected camera on which the administrator is logged in; its log starts empty.
class VerifiedCarrier : public EachCarrier {
protected:
    camsim::Camera& Verified(const camsim::CameraState& state = {}) {
        camsim::Camera& camera = Connected(GetParam(), state);
        EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
                  STATUS_OK);
        camera.clearLog();
        return camera;
    }
    bool OnUsb() const { return GetParam() == Carrier::kUsb; }
};

}  // namespace petrel_test
