#include "testbed.h"

#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "device_records.h"
#include "node_binding.h"

namespace camsim::plumbing {
namespace {

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer binding) {
    return static_cast<NodeBinding*>(binding)->handle(client) ? TRUE : FALSE;
}

// The binding lives as long as its handler: a client still connected to a removed node
// holds the handler and keeps getting the binding's answers (ENODEV).
void dropBinding(gpointer binding, GClosure*) { delete static_cast<NodeBinding*>(binding); }

// The devices at and under `devicePath` (a path in the testbed's /sys), deepest first:
// the order a kernel announces them in when they leave.
std::vector<std::string> DevicesLeaving(const std::string& root, const std::string& devicePath) {
    namespace fs = std::filesystem;
    std::vector<std::string> devices;
    std::error_code error;
    const fs::path top = root + devicePath;
    if (fs::exists(top / "uevent", error)) devices.push_back(devicePath);
    // Directory links (subsystem, driver, port) are not followed: each device is met once.
    for (fs::recursive_directory_iterator it(top, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_symlink(error) && it->path().filename() == "uevent")
            devices.push_back(it->path().parent_path().string().substr(root.size()));
    }
    std::sort(devices.begin(), devices.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

}  // namespace

Testbed::Testbed() : testbed_(umockdev_testbed_new()) {
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    root_ = root;
    g_free(root);
    add(rootHubRecord());
}

Testbed::~Testbed() {
    // The testbed first: its worker stops calling handlers before the bindings go.
    g_object_unref(testbed_);
    for (auto& [node, handler] : handlers_) g_object_unref(handler);
}

void Testbed::add(const std::string& record) {
    std::lock_guard lock(mutex_);
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
        const std::string message = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("umockdev refused a device: " + message);
    }
}

void Testbed::attach(const std::string& node, std::unique_ptr<NodeBinding> binding) {
    std::lock_guard lock(mutex_);
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    g_signal_connect_data(handler, "handle-ioctl", G_CALLBACK(onIoctl), binding.release(),
                          dropBinding, GConnectFlags(0));
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(testbed_, node.c_str(), handler, &error)) {
        const std::string message = error ? error->message : "unknown error";
        g_clear_error(&error);
        g_object_unref(handler);
        throw std::runtime_error("cannot serve " + node + ": " + message);
    }
    handlers_[node] = handler;
}

void Testbed::remove(const std::string& sysfsPath, const std::vector<std::string>& nodes) {
    std::lock_guard lock(mutex_);
    // Announced while sysfs still describes them, so that a watcher reads what left.
    for (const auto& device : DevicesLeaving(root_, "/sys" + sysfsPath))
        umockdev_testbed_uevent(testbed_, device.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, ("/sys" + sysfsPath).c_str());
    // umockdev leaves the nodes; a scan must not find a device that left. Detaching closes
    // the node's listening socket; a client still connected keeps its own connection.
    for (const auto& node : nodes) {
        unlink((root_ + node).c_str());
        const auto served = handlers_.find(node);
        if (served == handlers_.end()) continue;
        umockdev_testbed_detach_ioctl(testbed_, node.c_str(), nullptr);
        g_object_unref(served->second);
        handlers_.erase(served);
    }
}

unsigned Testbed::nextDevnum() {
    std::lock_guard lock(mutex_);
    return ++devnum_;
}

unsigned Testbed::nextHost() {
    std::lock_guard lock(mutex_);
    return host_++;
}

unsigned Testbed::nextGeneric() {
    std::lock_guard lock(mutex_);
    return generic_++;
}

std::string Testbed::nextBlockName() {
    std::lock_guard lock(mutex_);
    // sda is the computer's own disk; cameras start at sdb, as they would.
    unsigned n = ++block_;
    std::string suffix;
    do {
        suffix.insert(suffix.begin(), static_cast<char>('a' + n % 26));
        n = n / 26;
    } while (n-- > 0);
    return "sd" + suffix;
}

}  // namespace camsim::plumbing
