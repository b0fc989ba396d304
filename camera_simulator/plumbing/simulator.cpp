#include <camsim/simulator.h>
#include <openssl/crypto.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "../model/command_table.h"
#include "camera_device.h"
#include "node_binding.h"
#include "state_file.h"

namespace camsim {

const char* commandName(std::uint16_t code) {
    const model::CommandSpec* spec = model::findCommand(code);
    return spec ? spec->name : nullptr;
}

struct Simulator::Impl {
    std::unique_ptr<plumbing::Testbed> testbed = std::make_unique<plumbing::Testbed>();
    std::vector<std::unique_ptr<detail::CameraDevice>> devices;
    std::vector<std::unique_ptr<Camera>> cameras;
    unsigned nextPort = 1;
};

Simulator::Simulator() : impl_(std::make_unique<Impl>()) {
    // The camera's digests and ciphers run on umockdev's worker thread, which may still be
    // ending when the process exits: OpenSSL must not tear its state down under it.
    OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr);
}

Simulator::~Simulator() {
    for (auto& device : impl_->devices) device->stop();
    impl_->testbed.reset();
}

Camera& Simulator::addUsbCamera(const CameraState& initial) {
    auto& device = impl_->devices.emplace_back(std::make_unique<detail::CameraDevice>(
        *impl_->testbed, impl_->nextPort++, Carrier::Usb, initial));
    return *impl_->cameras.emplace_back(new Camera(*device));
}

Camera& Simulator::addDiskCamera(const CameraState& initial) {
    auto& device = impl_->devices.emplace_back(std::make_unique<detail::CameraDevice>(
        *impl_->testbed, impl_->nextPort++, Carrier::Disk, initial));
    return *impl_->cameras.emplace_back(new Camera(*device));
}

void Simulator::addPlainDisk() {
    plumbing::Testbed& testbed = *impl_->testbed;
    const plumbing::DiskPlace place{
        impl_->nextPort++,     testbed.nextDevnum(),    "",   testbed.nextHost(),
        testbed.nextGeneric(), testbed.nextBlockName(), false};
    testbed.add(plumbing::diskRecord(place));
    for (const auto& node : {plumbing::genericNode(place), plumbing::blockNode(place)})
        testbed.attach(node, std::make_unique<plumbing::NodeBinding>(Carrier::Disk, nullptr, 0));
}

std::size_t Simulator::cameraCount() const { return impl_->cameras.size(); }

Camera& Simulator::camera(std::size_t index) { return *impl_->cameras.at(index); }

std::string Simulator::rootDir() const { return impl_->testbed->root(); }

bool Simulator::saveState(const std::string& path) const {
    std::vector<plumbing::SavedCamera> saved;
    for (const auto& device : impl_->devices) saved.push_back({device->home(), device->state()});
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << plumbing::formatStateFile(saved);
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool Simulator::loadState(const std::string& path) {
    std::ifstream in(path);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    std::string problem;
    const auto cameras = plumbing::parseStateFile(text.str(), problem);
    if (!cameras) return false;
    for (const auto& camera : *cameras) {
        if (camera.home == Carrier::Usb)
            addUsbCamera(camera.state);
        else
            addDiskCamera(camera.state);
    }
    return true;
}

CameraState Camera::state() const { return device_.state(); }
void Camera::update(const std::function<void(CameraState&)>& change) { device_.update(change); }
SessionState Camera::session() const { return device_.session(); }
std::vector<LoggedRequest> Camera::log() const { return device_.log(); }
void Camera::clearLog() { device_.clearLog(); }
void Camera::injectFault(Fault fault, unsigned exchange, FaultSpan span) {
    device_.injectFault(fault, exchange, span);
}
void Camera::clearFaults() { device_.clearFaults(); }
Presence Camera::presence() const { return device_.presence(); }
bool Camera::waitForPresence(Presence wanted, std::chrono::milliseconds timeout) const {
    return device_.waitForPresence(wanted, timeout);
}
void Camera::powerOn() { device_.powerOn(); }
void Camera::switchToDisk() { device_.switchTo(Carrier::Disk); }
void Camera::switchToUsb() { device_.switchTo(Carrier::Usb); }
void Camera::unplug() { device_.unplug(); }
void Camera::plugIn() { device_.plugIn(); }
std::string Camera::deviceNode() const { return device_.deviceNode(); }
std::string Camera::blockNode() const { return device_.blockNode(); }
std::string Camera::sysfsPath() const { return device_.sysfsPath(); }

}  // namespace camsim
