// One simulated camera on a usb-redir connection. It plays the protocol's USB host
// side, so the virtual machine at the other end sees the camera as a device on its
// own USB bus: first its command interface, and after the mass-storage command its disk.
#pragma once

#include <optional>

#include "../model/usb_identity.h"
#include "bulk_only.h"

struct usbredirparser;
struct usb_redir_control_packet_header;
struct usb_redir_bulk_packet_header;

namespace camsim::redir {

struct RedirOptions {
    CameraState state;
    // The camera is pulled out while it is being sent this command.
    std::optional<std::uint16_t> unplugOn;
    // The blocks of the camera's disk; empty for a zeroed one.
    model::Bytes disk;
};

class RedirCamera {
public:
    RedirCamera(int socket, const RedirOptions& options);
    ~RedirCamera();
    RedirCamera(const RedirCamera&) = delete;
    RedirCamera& operator=(const RedirCamera&) = delete;

    // Answers the peer until it hangs up; false when the connection broke down.
    bool serve();

    // The parser's callbacks land here.
    int receive(std::uint8_t* data, int count);
    int send(const std::uint8_t* data, int count);
    void greeted();
    void control(std::uint64_t id, const usb_redir_control_packet_header& header,
                 std::span<const std::uint8_t> data);
    void bulk(std::uint64_t id, const usb_redir_bulk_packet_header& header,
              std::span<const std::uint8_t> data);
    void resetDevice() { transport_.reset(); }
    usbredirparser* parser() { return parser_; }

private:
    void arrive(model::UsbFunction function);
    void leave();
    void settle(model::Effect effect);
    void eraseDiskWhenFormatted();
    void armUnplug(std::uint16_t code);
    struct ControlReply;
    ControlReply standardRequest(const usb_redir_control_packet_header& header) const;
    ControlReply commandRequest(const usb_redir_control_packet_header& header,
                                std::span<const std::uint8_t> data);
    ControlReply diskRequest(const usb_redir_control_packet_header& header);

    const int socket_;
    const std::optional<std::uint16_t> unplugOn_;
    model::CameraModel model_;
    model::FaultPlan faults_;
    model::RequestLog log_;
    model::UsbPort usbPort_;
    model::DiskPort diskPort_;
    ScsiTarget target_;
    BulkOnlyTransport transport_;
    std::optional<model::UsbFunction> function_;  // none: off the bus
    unsigned formatsSeen_;
    bool hungUp_ = false;
    usbredirparser* parser_;
};

}  // namespace camsim::redir
