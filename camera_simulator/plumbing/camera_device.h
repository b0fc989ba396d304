// One simulated camera: its model and ports, and its presence on the bus. The
// node bindings call in from umockdev's worker thread, the test API from any other.
#pragma once

#include <condition_variable>
#include <functional>
#include <optional>
#include <span>
#include <thread>

#include "../model/ports.h"
#include "device_records.h"
#include "testbed.h"

namespace camsim::detail {

struct UsbSetup {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
};

// What the camera does once a transfer has been answered.
struct Aftermath {
    unsigned appearance = 0;
    model::Effect effect = model::Effect::None;
    bool unplug = false;
};

struct UsbAnswer {
    int result = 0;  // bytes moved, or -1 with error
    int error = 0;
    Aftermath after;
    bool held = false;  // given only once the transfer's time-out has run out
};

struct ScsiAnswer {
    bool gone = false;
    std::uint8_t status = 0;  // SCSI status: 0 good, 2 check condition
    std::size_t moved = 0;
    Aftermath after;
};

// A SCSI command refused: fixed-format sense, ILLEGAL REQUEST / INVALID COMMAND OPERATION CODE.
inline constexpr std::array<std::uint8_t, 18> kRefusedSense{0x70, 0, 0x05, 0, 0, 0,   0,
                                                            10,   0, 0,    0, 0, 0x20};

class CameraDevice {
public:
    CameraDevice(plumbing::Testbed& testbed, unsigned port, Carrier home,
                 const CameraState& initial);
    ~CameraDevice();

    CameraState state() const;
    void update(const std::function<void(CameraState&)>& change);
    SessionState session() const;
    std::vector<LoggedRequest> log() const;
    void clearLog();
    void injectFault(Fault fault, unsigned exchange, FaultSpan span);
    void clearFaults();

    Presence presence() const;
    bool waitForPresence(Presence wanted, std::chrono::milliseconds timeout) const;
    void powerOn();
    void switchTo(Carrier carrier);
    void unplug();
    void plugIn();
    std::string deviceNode() const;
    std::string blockNode() const;
    std::string sysfsPath() const;
    Carrier home() const { return home_; }

    // True while the node of this appearance is the camera's current one.
    bool answers(unsigned appearance, Carrier carrier) const;

    // Stops the reboot timer; nothing changes the testbed afterwards.
    void stop();

    UsbAnswer usbControl(unsigned appearance, const UsbSetup& setup, std::span<std::uint8_t> data);
    ScsiAnswer scsiCommand(unsigned appearance, std::span<const std::uint8_t> cdb, bool fromDevice,
                           std::span<std::uint8_t> data);
    void settle(const Aftermath& after);

private:
    using Lock = std::unique_lock<std::mutex>;
    bool presentAs(unsigned appearance, Carrier carrier) const;
    UsbAnswer standardRequest(const UsbSetup& setup, std::span<std::uint8_t> data) const;
    void arrive(Carrier carrier, Lock& lock);
    void leave(Presence next, Lock& lock);
    void rebootLater(Lock& lock);

    plumbing::Testbed& testbed_;
    const unsigned port_;
    const Carrier home_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    model::CameraModel model_;
    model::FaultPlan faults_;
    model::RequestLog log_;
    std::optional<model::UsbPort> usb_;
    std::optional<model::DiskPort> disk_;
    Presence presence_ = Presence::Off;
    Carrier last_;
    unsigned appearance_ = 0;  // grows on every arrival and departure
    std::string sysfs_;
    std::vector<std::string> nodes_;  // the node commands go to first
    std::thread rebootTimer_;
    bool stopping_ = false;
};

}  // namespace camsim::detail
