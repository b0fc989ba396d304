// The umockdev testbed the simulated devices live in, with the numbers a real
// bus would hand out. Safe to use from the test thread and from ioctl handlers.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

namespace camsim::plumbing {

class NodeBinding;

class Testbed {
public:
    Testbed();
    ~Testbed();
    Testbed(const Testbed&) = delete;
    Testbed& operator=(const Testbed&) = delete;

    std::string root() const { return root_; }

    // Adds devices from a umockdev record; throws std::runtime_error when umockdev refuses it.
    void add(const std::string& record);
    // Routes the node's ioctls to the binding until the node is removed.
    void attach(const std::string& node, std::unique_ptr<NodeBinding> binding);
    // Takes a device out of sysfs and its nodes out of /dev, and stops serving the nodes.
    void remove(const std::string& sysfsPath, const std::vector<std::string>& nodes);

    unsigned nextDevnum();
    unsigned nextHost();
    unsigned nextGeneric();
    std::string nextBlockName();

private:
    std::mutex mutex_;
    UMockdevTestbed* testbed_ = nullptr;
    std::string root_;
    std::map<std::string, UMockdevIoctlBase*> handlers_;  // by node, while it is served
    unsigned devnum_ = 1;
    unsigned host_ = 0;
    unsigned generic_ = 0;
    unsigned block_ = 0;
};

}  // namespace camsim::plumbing
