// Over the simulator's devices: only the cameras are taken, each as itself.
#include "udev_camera.h"

#include <camsim/simulator.h>
#include <gtest/gtest.h>
#include <libudev.h>

#include <map>
#include <optional>
#include <string>

namespace {

using udev_cameras::UdevCamera;

// The cameras among every usb and scsi_generic device udev lists, by node.
std::map<std::string, UdevCamera> CamerasListed() {
    std::map<std::string, UdevCamera> found;
    udev* context = udev_new();
    udev_enumerate* scan = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(scan, "usb");
    udev_enumerate_add_match_subsystem(scan, "scsi_generic");
    udev_enumerate_scan_devices(scan);
    udev_list_entry* item = nullptr;
    udev_list_entry_foreach(item, udev_enumerate_get_list_entry(scan)) {
        udev_device* device = udev_device_new_from_syspath(context, udev_list_entry_get_name(item));
        if (const std::optional<UdevCamera> camera = udev_cameras::AsCamera(device))
            found[camera->node] = *camera;
        udev_device_unref(device);
    }
    udev_enumerate_unref(scan);
    udev_unref(context);
    return found;
}

TEST(UdevCamera, OnlyCamerasAreTakenEachAsItself) {
    camsim::Simulator sim;
    camsim::CameraState second;
    second.serial = "SN0000000002";
    const std::string usb = sim.addUsbCamera().deviceNode();
    const std::string disk = sim.addDiskCamera(second).deviceNode();
    // Not cameras: another vendor's disk, the root hub and the disk camera's own USB device.
    sim.addPlainDisk();

    const std::map<std::string, UdevCamera> listed = CamerasListed();
    ASSERT_EQ(listed.size(), 2u);
    const UdevCamera& onUsb = listed.at(usb);
    EXPECT_FALSE(onUsb.disk);
    EXPECT_EQ(onUsb.serial, "SN0000000001");
    EXPECT_EQ(onUsb.bus + "/" + onUsb.number, usb.substr(usb.size() - 7));
    const UdevCamera& onDisk = listed.at(disk);
    EXPECT_TRUE(onDisk.disk);
    EXPECT_EQ(onDisk.serial, "SN0000000002");
    EXPECT_EQ(onDisk.bus + onDisk.number, "");
    EXPECT_FALSE(udev_cameras::AsCamera(nullptr));
}

}  // namespace
