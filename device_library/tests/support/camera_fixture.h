// A simulated camera set up for each test, and the connect steps every test repeats.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "camsim/simulator.h"
#include "petrel.h"

namespace petrel_test {

enum class Carrier { kUsb, kDisk };

inline const char* CarrierName(const testing::TestParamInfo<Carrier>& info) {
    return info.param == Carrier::kUsb ? "Usb" : "Disk";
}

class CameraTest : public testing::Test {
protected:
    void TearDown() override { CloseDevice(connection_); }

    // Connects the first camera the way the manager does: USB first, then disks.
    int ConnectFirst() {
        std::array<DeviceListEntry*, 32> list{};
        int count = EnumDeviceList(list.data(), 0);
        if (count < 1) count = EnumStorageList(list.data(), 0);
        if (count < 1) return -1;
        const int status = ConnectDevice(list[0], &connection_);
        ReleaseList(list.data(), count);
        return status;
    }

    camsim::Camera& AddCamera(Carrier carrier, const camsim::CameraState& state = {}) {
        return carrier == Carrier::kUsb ? sim_.addUsbCamera(state) : sim_.addDiskCamera(state);
    }

    // Adds one camera, connects it and forgets the connect-time traffic.
    camsim::Camera& Connected(Carrier carrier, const camsim::CameraState& state = {}) {
        camsim::Camera& camera = AddCamera(carrier, state);
        EXPECT_EQ(ConnectFirst(), STATUS_OK);
        camera.clearLog();
        return camera;
    }

    camsim::Simulator sim_;
    DeviceConnection* connection_ = nullptr;
};

class EachCarrier : public CameraTest, public testing::WithParamInterface<Carrier> {};

}  // namespace petrel_test
