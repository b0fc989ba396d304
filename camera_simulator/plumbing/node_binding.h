// What answers the ioctls of one device node: a camera during one of its
// appearances on the bus, or a disk that is no camera.
#pragma once

#include <camsim/types.h>

typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

namespace camsim::detail {
class CameraDevice;
}

namespace camsim::plumbing {

class NodeBinding {
public:
    // camera is null for a plain disk.
    NodeBinding(Carrier carrier, detail::CameraDevice* camera, unsigned appearance)
        : carrier_(carrier), camera_(camera), appearance_(appearance) {}

    // True when the request was answered; false leaves umockdev's default (ENOTTY).
    bool handle(UMockdevIoctlClient* client);

private:
    bool handleUsb(UMockdevIoctlClient* client, unsigned long request);
    bool handleScsi(UMockdevIoctlClient* client, unsigned long request);

    Carrier carrier_;
    detail::CameraDevice* camera_;
    unsigned appearance_;
};

}  // namespace camsim::plumbing
