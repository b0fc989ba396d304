#include "camera_device.h"

#include "../model/usb_identity.h"
#include "node_binding.h"

namespace camsim::detail {
namespace {

using model::kCommandRequest;
using model::kVendorIn;
using model::kVendorOut;

UsbAnswer failure(int error) { return UsbAnswer{-1, error, {}}; }

UsbAnswer copied(std::span<const std::uint8_t> from, std::span<std::uint8_t> to) {
    const std::size_t n = std::min(from.size(), to.size());
    std::copy_n(from.begin(), n, to.begin());
    return UsbAnswer{static_cast<int>(n), 0, {}};
}

}  // namespace

CameraDevice::CameraDevice(plumbing::Testbed& testbed, unsigned port, Carrier home,
                           const CameraState& initial)
    : testbed_(testbed), port_(port), home_(home), model_(initial), last_(home) {
    Lock lock(mutex_);
    arrive(home, lock);
}

CameraDevice::~CameraDevice() { stop(); }

void CameraDevice::stop() {
    {
        Lock lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    if (rebootTimer_.joinable()) rebootTimer_.join();
}

CameraState CameraDevice::state() const {
    Lock lock(mutex_);
    return model_.core().state;
}

void CameraDevice::update(const std::function<void(CameraState&)>& change) {
    Lock lock(mutex_);
    change(model_.core().state);
}

SessionState CameraDevice::session() const {
    Lock lock(mutex_);
    return model_.session();
}

std::vector<LoggedRequest> CameraDevice::log() const {
    Lock lock(mutex_);
    return log_.entries();
}

void CameraDevice::clearLog() {
    Lock lock(mutex_);
    log_.clear();
}

void CameraDevice::injectFault(Fault fault, unsigned exchange, FaultSpan span) {
    Lock lock(mutex_);
    faults_.arm(fault, exchange, span);
}

void CameraDevice::clearFaults() {
    Lock lock(mutex_);
    faults_.clear();
}

Presence CameraDevice::presence() const {
    Lock lock(mutex_);
    return presence_;
}

bool CameraDevice::waitForPresence(Presence wanted, std::chrono::milliseconds timeout) const {
    Lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return presence_ == wanted; });
}

void CameraDevice::powerOn() {
    Lock lock(mutex_);
    if (presence_ == Presence::Off) arrive(last_, lock);
}

void CameraDevice::switchTo(Carrier carrier) {
    Lock lock(mutex_);
    const Presence wanted = carrier == Carrier::Usb ? Presence::Usb : Presence::Disk;
    if (presence_ == wanted) return;
    if (presence_ == Presence::Usb || presence_ == Presence::Disk) leave(Presence::Off, lock);
    arrive(carrier, lock);
}

void CameraDevice::unplug() {
    Lock lock(mutex_);
    if (presence_ == Presence::Usb || presence_ == Presence::Disk) leave(Presence::Unplugged, lock);
}

void CameraDevice::plugIn() {
    Lock lock(mutex_);
    if (presence_ == Presence::Unplugged) arrive(last_, lock);
}

std::string CameraDevice::deviceNode() const {
    Lock lock(mutex_);
    return nodes_.empty() ? std::string() : nodes_.front();
}

std::string CameraDevice::blockNode() const {
    Lock lock(mutex_);
    return presence_ == Presence::Disk && nodes_.size() > 1 ? nodes_[1] : std::string();
}

std::string CameraDevice::sysfsPath() const {
    Lock lock(mutex_);
    return sysfs_.empty() ? std::string() : "/sys" + sysfs_;
}

bool CameraDevice::answers(unsigned appearance, Carrier carrier) const {
    Lock lock(mutex_);
    return presentAs(appearance, carrier);
}

bool CameraDevice::presentAs(unsigned appearance, Carrier carrier) const {
    const Presence wanted = carrier == Carrier::Usb ? Presence::Usb : Presence::Disk;
    return appearance == appearance_ && presence_ == wanted;
}

UsbAnswer CameraDevice::usbControl(unsigned appearance, const UsbSetup& setup,
                                   std::span<std::uint8_t> data) {
    Lock lock(mutex_);
    if (!presentAs(appearance, Carrier::Usb)) return failure(ENODEV);
    if (setup.request != kCommandRequest ||
        (setup.requestType != kVendorOut && setup.requestType != kVendorIn))
        return standardRequest(setup, data);
    const model::TransferResult result =
        setup.requestType == kVendorOut ? usb_->write(data) : usb_->read(data.size());
    UsbAnswer answer;
    switch (result.status) {
        case model::TransferStatus::Done:
            answer = setup.requestType == kVendorOut
                         ? UsbAnswer{static_cast<int>(result.moved), 0, {}}
                         : copied(result.data, data);
            break;
        case model::TransferStatus::NoDevice:
            answer = failure(ENODEV);
            break;
        case model::TransferStatus::TimedOut:
            answer = failure(ETIMEDOUT);
            answer.held = true;
            break;
        default:
            answer = failure(EPIPE);
            break;
    }
    answer.after = Aftermath{appearance, result.effect, result.unplug};
    return answer;
}

UsbAnswer CameraDevice::standardRequest(const UsbSetup& setup, std::span<std::uint8_t> data) const {
    if (setup.requestType != model::kStandardDeviceIn || setup.request != model::kGetDescriptor)
        return failure(EPIPE);
    const auto descriptor =
        model::usbDescriptor(model_.core().state, model::UsbFunction::Command, setup.value);
    return descriptor ? copied(*descriptor, data) : failure(EPIPE);
}

ScsiAnswer CameraDevice::scsiCommand(unsigned appearance, std::span<const std::uint8_t> cdb,
                                     bool fromDevice, std::span<std::uint8_t> data) {
    Lock lock(mutex_);
    if (!presentAs(appearance, Carrier::Disk)) return ScsiAnswer{true, 0, 0, {}};
    if (!model::isVendorCdb(cdb)) return ScsiAnswer{false, 2, 0, {}};
    const bool write = std::equal(model::kDiskWriteSignature.begin(),
                                  model::kDiskWriteSignature.end(), cdb.begin());
    // A block whose signature and direction disagree is not a command of this camera.
    if (write == fromDevice) return ScsiAnswer{false, 2, 0, {}};
    const model::TransferResult result =
        write ? disk_->write(cdb, data) : disk_->read(cdb, data.size());
    ScsiAnswer answer{result.status == model::TransferStatus::NoDevice, 0, result.moved,
                      Aftermath{appearance, result.effect, result.unplug}};
    if (result.status == model::TransferStatus::CheckCondition) answer.status = 2;
    if (!write)
        std::copy_n(result.data.begin(), std::min(result.data.size(), data.size()), data.begin());
    return answer;
}

void CameraDevice::settle(const Aftermath& after) {
    Lock lock(mutex_);
    if (after.appearance != appearance_ || stopping_) return;
    if (after.unplug) return leave(Presence::Unplugged, lock);
    switch (after.effect) {
        case model::Effect::LeaveForDisk:
            leave(Presence::Off, lock);
            return arrive(Carrier::Disk, lock);
        case model::Effect::PowerOff:
            return leave(Presence::Off, lock);
        case model::Effect::Reboot:
            leave(Presence::Rebooting, lock);
            return rebootLater(lock);
        case model::Effect::None:
            return;
    }
}

void CameraDevice::arrive(Carrier carrier, Lock&) {
    ++appearance_;
    model::PortContext ports{model_, faults_, log_};
    usb_.emplace(ports);
    disk_.emplace(ports);
    std::string record;
    if (carrier == Carrier::Usb) {
        const plumbing::UsbPlace place{port_, testbed_.nextDevnum(), model_.core().state.serial};
        record = plumbing::usbRecord(place);
        nodes_ = {plumbing::usbNode(place)};
    } else {
        const plumbing::DiskPlace place{port_,
                                        testbed_.nextDevnum(),
                                        model_.core().state.serial,
                                        testbed_.nextHost(),
                                        testbed_.nextGeneric(),
                                        testbed_.nextBlockName(),
                                        true};
        record = plumbing::diskRecord(place);
        nodes_ = {plumbing::genericNode(place), plumbing::blockNode(place)};
    }
    // Served before it is added: a client told of it by its uevent can talk to it at once.
    for (const auto& node : nodes_)
        testbed_.attach(node, std::make_unique<plumbing::NodeBinding>(carrier, this, appearance_));
    testbed_.add(record);
    sysfs_ = plumbing::usbSysfsPath(port_);
    presence_ = carrier == Carrier::Usb ? Presence::Usb : Presence::Disk;
    last_ = carrier;
    changed_.notify_all();
}

void CameraDevice::leave(Presence next, Lock&) {
    testbed_.remove(sysfs_, nodes_);
    ++appearance_;
    sysfs_.clear();
    nodes_.clear();
    presence_ = next;
    // Whatever was verified belonged to the connection that just ended.
    model_.core().startSession();
    changed_.notify_all();
}

void CameraDevice::rebootLater(Lock& lock) {
    // An earlier timer has already brought the camera back and is at most returning.
    if (rebootTimer_.joinable()) {
        lock.unlock();
        rebootTimer_.join();
        lock.lock();
    }
    const auto delay = model_.core().state.rebootDelay;
    const unsigned departed = appearance_;
    rebootTimer_ = std::thread([this, delay, departed] {
        Lock lock(mutex_);
        if (changed_.wait_for(lock, delay, [&] { return stopping_ || appearance_ != departed; }))
            return;
        arrive(home_, lock);
    });
}

}  // namespace camsim::detail
