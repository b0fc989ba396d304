// In-process camera simulator for tests. A Simulator owns a umockdev testbed in
// which each Camera appears as a USB device (libusb 0.1 sees it under
// /dev/bus/usb) or as a removable SCSI disk (reached with SG_IO on /dev/sgN).
// The test process must run under umockdev-wrapper; the ioctl handlers run in
// umockdev's worker thread, so every Camera member is safe to call from any thread.
#pragma once

#include <camsim/camera_state.h>
#include <camsim/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace camsim {

class Simulator;
namespace detail {
class CameraDevice;
}

// Handle to one simulated camera; owned by its Simulator.
class Camera {
public:
    // Copy of the state, and a change made atomically with respect to the camera's own work.
    CameraState state() const;
    void update(const std::function<void(CameraState&)>& change);
    SessionState session() const;

    std::vector<LoggedRequest> log() const;
    void clearLog();

    // Arms a fault for the exchange-th command from now (1 = the next one); an
    // exchange is one command the camera executes (USB OUT frame, disk write or
    // disk query read) together with its reply.
    void injectFault(Fault fault, unsigned exchange = 1, FaultSpan span = FaultSpan::Once);
    void clearFaults();

    Presence presence() const;
    // Waits until the camera is at `wanted`; false on timeout.
    bool waitForPresence(Presence wanted, std::chrono::milliseconds timeout) const;

    void powerOn();       // after SetCameraShutdown: back on the carrier it left from
    void switchToDisk();  // what SetMSCMode does
    void switchToUsb();   // the disk is ejected and the camera returns to its command interface
    void unplug();
    void plugIn();

    // Device node the camera answers on now (/dev/bus/usb/001/002, /dev/sg1), empty when absent.
    std::string deviceNode() const;
    // Block node of the disk presence (/dev/sdb), empty when not a disk.
    std::string blockNode() const;
    // sysfs path of the device now present, empty when absent.
    std::string sysfsPath() const;

private:
    friend class Simulator;
    explicit Camera(detail::CameraDevice& device) : device_(device) {}
    detail::CameraDevice& device_;
};

// Name of a command code ("SetBarCode"), null for a code the camera does not know.
const char* commandName(std::uint16_t code);

class Simulator {
public:
    // Creates the testbed; UMOCKDEV_DIR in this process's environment points at it.
    Simulator();
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    Camera& addUsbCamera(const CameraState& initial = {});
    Camera& addDiskCamera(const CameraState& initial = {});
    // A removable disk that is not a camera: every vendor command ends in CHECK CONDITION.
    void addPlainDisk();

    std::size_t cameraCount() const;
    Camera& camera(std::size_t index);

    // Root of the testbed (the value of UMOCKDEV_DIR).
    std::string rootDir() const;

    // State file: cameras' kinds and states, to outlive one run. load adds the cameras it finds.
    bool saveState(const std::string& path) const;
    bool loadState(const std::string& path);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace camsim
