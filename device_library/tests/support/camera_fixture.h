// Simulated cameras for the device tests, the connect steps they repeat, and views of a
// camera's request log.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "camsim/simulator.h"
#include "petrel.h"

// A simulated camera only plugs in under umockdev's preload (umockdev-wrapper puts it in
// LD_PRELOAD): elsewhere a test that needs one reports itself skipped (ctest matches this
// text) instead of passing on no camera.
#define PETREL_NEEDS_SIMULATOR()       \
    if (!petrel_test::UnderUmockdev()) \
    GTEST_SKIP() << "no simulated camera: run under umockdev-wrapper"

namespace petrel_test {

inline bool UnderUmockdev() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::strstr(preload, "umockdev-preload") != nullptr;
}

using Bytes = std::vector<uint8_t>;

enum class Carrier { kUsb, kDisk };

inline std::string CarrierName(Carrier carrier) {
    return carrier == Carrier::kUsb ? "Usb" : "Disk";
}

// Runs a suite parameterised by Carrier once on each carrier.
#define PETREL_ON_EACH_CARRIER(Suite)                                                         \
    INSTANTIATE_TEST_SUITE_P(Carriers, Suite, testing::Values(Carrier::kUsb, Carrier::kDisk), \
                             [](const auto& info) { return CarrierName(info.param); })

inline constexpr const char* kGeneralPassword = "123456";  // CameraState's level 0
inline constexpr const char* kAdminPassword = "888888";    // CameraState's level 1

// Outputs start as this byte; any other byte after a failed call was written by it.
inline constexpr uint8_t kUntouched = 0x7E;

// Room for the largest output of any export (the 480-byte key text).
struct Scratch {
    alignas(8) std::array<uint8_t, 512> bytes;
    Scratch() { bytes.fill(kUntouched); }
    uint8_t* data() { return bytes.data(); }
    char* text() { return reinterpret_cast<char*>(bytes.data()); }
    Bytes Head(size_t count) const { return Bytes(bytes.begin(), bytes.begin() + count); }
    bool Untouched() const {
        return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == kUntouched; });
    }
};

inline std::vector<camsim::LoggedRequest> Logged(const camsim::Camera& camera,
                                                 camsim::Direction direction) {
    auto log = camera.log();
    std::erase_if(log, [direction](const auto& entry) { return entry.direction != direction; });
    return log;
}
inline auto Writes(const camsim::Camera& c) { return Logged(c, camsim::Direction::Write); }
inline auto Reads(const camsim::Camera& c) { return Logged(c, camsim::Direction::Read); }

inline Bytes Head(const Bytes& bytes, size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

// Connects the first camera of the USB list (else of the disk list), as the manager does.
inline int ConnectFirst(DeviceConnection** connection, bool usb = true, bool disk = true) {
    std::array<DeviceListEntry*, 32> list{};
    int count = usb ? EnumDeviceList(list.data(), 0) : 0;
    if (count < 1 && disk) count = EnumStorageList(list.data(), 0);
    if (count < 1) return -1;
    const int status = ConnectDevice(list[0], connection);
    ReleaseList(list.data(), count);
    return status;
}

// A fresh simulated camera and connection for each test.
class CameraTest : public testing::Test {
protected:
    void SetUp() override { PETREL_NEEDS_SIMULATOR(); }
    void TearDown() override { CloseDevice(connection_); }

    camsim::Camera& AddCamera(Carrier carrier, const camsim::CameraState& state = {}) {
        return carrier == Carrier::kUsb ? sim_.addUsbCamera(state) : sim_.addDiskCamera(state);
    }

    // Adds one camera, connects it and forgets the connect-time traffic; verified adds
    // the administrator's login.
    camsim::Camera& Connected(Carrier carrier, const camsim::CameraState& state = {},
                              bool verified = false) {
        camsim::Camera& camera = AddCamera(carrier, state);
        EXPECT_EQ(ConnectFirst(&connection_), STATUS_OK);
        if (verified) {
            EXPECT_EQ(VerifiPassword(connection_, kAdminPassword, PETREL_USER_ADMINISTRATOR),
                      STATUS_OK);
        }
        camera.clearLog();
        return camera;
    }
    camsim::Camera& Verified(Carrier carrier, const camsim::CameraState& state = {}) {
        return Connected(carrier, state, true);
    }

    camsim::Simulator sim_;
    DeviceConnection* connection_ = nullptr;
};

class EachCarrier : public CameraTest, public testing::WithParamInterface<Carrier> {};

// One USB and one disk camera for a whole test suite, each with an administrator's
// connection: connecting pauses, so tests that need no fresh camera share these.
class SharedCameras : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!UnderUmockdev()) return;  // each test reports itself skipped
        rig_ = new Rig;
        rig_->cameras = {&rig_->sim.addUsbCamera(), &rig_->sim.addDiskCamera()};
        for (size_t i = 0; i < 2; ++i) {
            ASSERT_EQ(ConnectFirst(&rig_->connections[i], i == 0, i == 1), STATUS_OK);
            ASSERT_EQ(
                VerifiPassword(rig_->connections[i], kAdminPassword, PETREL_USER_ADMINISTRATOR),
                STATUS_OK);
        }
    }
    static void TearDownTestSuite() {
        if (rig_ == nullptr) return;
        for (DeviceConnection* connection : rig_->connections) CloseDevice(connection);
        delete rig_;
        rig_ = nullptr;
    }
    void SetUp() override {
        PETREL_NEEDS_SIMULATOR();
        for (camsim::Camera* camera : rig_->cameras) {
            camera->clearFaults();
            camera->clearLog();
        }
    }

    static camsim::Camera& CameraOn(Carrier carrier) { return *rig_->cameras[Index(carrier)]; }
    static DeviceConnection* ConnectionOn(Carrier carrier) {
        return rig_->connections[Index(carrier)];
    }

private:
    struct Rig {
        camsim::Simulator sim;
        std::array<camsim::Camera*, 2> cameras{};
        std::array<DeviceConnection*, 2> connections{};
    };
    static size_t Index(Carrier carrier) { return carrier == Carrier::kUsb ? 0 : 1; }
    static inline Rig* rig_ = nullptr;
};

}  // namespace petrel_test
