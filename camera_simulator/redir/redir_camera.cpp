#include "redir_camera.h"

#include <poll.h>
#include <unistd.h>
#include <usbredirparser.h>

#include <cerrno>
#include <cstdio>

namespace camsim::redir {

struct RedirCamera::ControlReply {
    std::uint8_t status = usb_redir_stall;
    model::Bytes data;  // IN data
    std::size_t moved = 0;
    model::Effect effect = model::Effect::None;
    bool unplug = false;
};

namespace {

using model::kCommandRequest;
using model::kVendorIn;
using model::kVendorOut;

constexpr std::uint8_t kDirectionIn = 0x80;
constexpr std::uint8_t kClassInterfaceOut = 0x21;
constexpr std::uint8_t kClassInterfaceIn = 0xA1;
constexpr std::uint8_t kGetStatus = 0x00;
constexpr std::uint8_t kGetMaxLun = 0xFE;
constexpr std::uint8_t kBulkOnlyReset = 0xFF;

RedirCamera& cameraOf(void* priv) { return *static_cast<RedirCamera*>(priv); }

// Endpoint slot in the protocol's tables: OUT endpoints 0-15, IN endpoints 16-31.
int slotOf(std::uint8_t endpoint) { return ((endpoint & 0x80) >> 3) | (endpoint & 0x0F); }

std::uint32_t bulkLength(const usb_redir_bulk_packet_header& header) {
    return header.length | static_cast<std::uint32_t>(header.length_high) << 16;
}

void log(void*, int level, const char* message) {
    if (level <= usbredirparser_warning) std::fprintf(stderr, "camera-redir: %s\n", message);
}

usbredirparser* createParser(RedirCamera* camera) {
    usbredirparser* parser = usbredirparser_create();
    parser->priv = camera;
    parser->log_func = log;
    parser->read_func = [](void* priv, std::uint8_t* data, int count) {
        return cameraOf(priv).receive(data, count);
    };
    parser->write_func = [](void* priv, std::uint8_t* data, int count) {
        return cameraOf(priv).send(data, count);
    };
    parser->hello_func = [](void* priv, usb_redir_hello_header*) { cameraOf(priv).greeted(); };
    parser->reset_func = [](void* priv) { cameraOf(priv).resetDevice(); };
    parser->set_configuration_func = [](void* priv, std::uint64_t id,
                                        usb_redir_set_configuration_header* set) {
        usb_redir_configuration_status_header status{usb_redir_success, set->configuration};
        usbredirparser_send_configuration_status(cameraOf(priv).parser(), id, &status);
    };
    parser->get_configuration_func = [](void* priv, std::uint64_t id) {
        usb_redir_configuration_status_header status{usb_redir_success, 1};
        usbredirparser_send_configuration_status(cameraOf(priv).parser(), id, &status);
    };
    parser->set_alt_setting_func = [](void* priv, std::uint64_t id,
                                      usb_redir_set_alt_setting_header* set) {
        usb_redir_alt_setting_status_header status{
            set->alt == 0 ? std::uint8_t{usb_redir_success} : std::uint8_t{usb_redir_inval},
            set->interface, 0};
        usbredirparser_send_alt_setting_status(cameraOf(priv).parser(), id, &status);
    };
    parser->get_alt_setting_func = [](void* priv, std::uint64_t id,
                                      usb_redir_get_alt_setting_header* get) {
        usb_redir_alt_setting_status_header status{usb_redir_success, get->interface, 0};
        usbredirparser_send_alt_setting_status(cameraOf(priv).parser(), id, &status);
    };
    // Every answer is given at once, so there is never anything left to cancel.
    parser->cancel_data_packet_func = [](void*, std::uint64_t) {};
    parser->control_packet_func = [](void* priv, std::uint64_t id,
                                     usb_redir_control_packet_header* header, std::uint8_t* data,
                                     int length) {
        cameraOf(priv).control(id, *header, {data, static_cast<std::size_t>(length)});
        usbredirparser_free_packet_data(cameraOf(priv).parser(), data);
    };
    parser->bulk_packet_func = [](void* priv, std::uint64_t id,
                                  usb_redir_bulk_packet_header* header, std::uint8_t* data,
                                  int length) {
        cameraOf(priv).bulk(id, *header, {data, static_cast<std::size_t>(length)});
        usbredirparser_free_packet_data(cameraOf(priv).parser(), data);
    };
    std::uint32_t caps[USB_REDIR_CAPS_SIZE] = {};
    for (int cap : {usb_redir_cap_connect_device_version, usb_redir_cap_ep_info_max_packet_size,
                    usb_redir_cap_64bits_ids, usb_redir_cap_32bits_bulk_length})
        usbredirparser_caps_set_cap(caps, cap);
    usbredirparser_init(parser, "camera-redir", caps, USB_REDIR_CAPS_SIZE,
                        usbredirparser_fl_usb_host);
    return parser;
}

}  // namespace

RedirCamera::RedirCamera(int socket, const RedirOptions& options)
    : socket_(socket),
      unplugOn_(options.unplugOn),
      model_(options.state),
      usbPort_({model_, faults_, log_}),
      diskPort_({model_, faults_, log_}),
      target_(diskPort_, options.disk),
      transport_(target_),
      formatsSeen_(model_.core().state.formatCount),
      parser_(createParser(this)) {}

RedirCamera::~RedirCamera() { usbredirparser_destroy(parser_); }

bool RedirCamera::serve() {
    while (!hungUp_) {
        pollfd ready{socket_, POLLIN, 0};
        if (usbredirparser_has_data_to_write(parser_)) ready.events |= POLLOUT;
        if (poll(&ready, 1, -1) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if ((ready.revents & (POLLIN | POLLHUP | POLLERR)) &&
            usbredirparser_do_read(parser_) == usbredirparser_read_io_error)
            return hungUp_;
        if ((ready.revents & POLLOUT) && usbredirparser_do_write(parser_) != 0) return false;
    }
    return true;
}

int RedirCamera::receive(std::uint8_t* data, int count) {
    const ssize_t got = read(socket_, data, static_cast<std::size_t>(count));
    if (got > 0) return static_cast<int>(got);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
    hungUp_ = got == 0;
    return -1;
}

int RedirCamera::send(const std::uint8_t* data, int count) {
    const ssize_t sent = write(socket_, data, static_cast<std::size_t>(count));
    if (sent >= 0) return static_cast<int>(sent);
    return errno == EAGAIN || errno == EINTR ? 0 : -1;
}

void RedirCamera::greeted() { arrive(model::UsbFunction::Command); }

void RedirCamera::arrive(model::UsbFunction function) {
    function_ = function;
    transport_.reset();
    const model::InterfaceClass interface = model::interfaceClassOf(function);
    usb_redir_interface_info_header interfaces{};
    interfaces.interface_count = 1;
    interfaces.interface_class[0] = interface.code;
    interfaces.interface_subclass[0] = interface.subclass;
    interfaces.interface_protocol[0] = interface.protocol;
    usbredirparser_send_interface_info(parser_, &interfaces);

    usb_redir_ep_info_header endpoints{};
    std::fill(std::begin(endpoints.type), std::end(endpoints.type), usb_redir_type_invalid);
    for (std::uint8_t control : {0x00, 0x80}) {
        endpoints.type[slotOf(control)] = usb_redir_type_control;
        endpoints.max_packet_size[slotOf(control)] = 64;
    }
    for (std::uint8_t bulk : {model::kBulkOut, model::kBulkIn}) {
        endpoints.type[slotOf(bulk)] = usb_redir_type_bulk;
        endpoints.max_packet_size[slotOf(bulk)] = 512;
    }
    usbredirparser_send_ep_info(parser_, &endpoints);

    usb_redir_device_connect_header device{};
    device.speed = usb_redir_speed_high;
    device.vendor_id = model::kCameraVendor;
    device.product_id = model::productOf(function);
    device.device_version_bcd = 0x0100;
    usbredirparser_send_device_connect(parser_, &device);
}

void RedirCamera::leave() {
    function_.reset();
    usbredirparser_send_device_disconnect(parser_);
    model_.core().startSession();
}

// The model only counts formats; the disk itself is cleared here, so a host that
// looks at it afterwards finds nothing of what was on it.
void RedirCamera::eraseDiskWhenFormatted() {
    const unsigned formats = model_.core().state.formatCount;
    if (formats != formatsSeen_) target_.erase();
    formatsSeen_ = formats;
}

void RedirCamera::settle(model::Effect effect) {
    eraseDiskWhenFormatted();
    switch (effect) {
        case model::Effect::LeaveForDisk:
            leave();
            return arrive(model::UsbFunction::Disk);
        case model::Effect::PowerOff:
            return leave();
        case model::Effect::Reboot:
            leave();
            return arrive(model::UsbFunction::Command);
        case model::Effect::None:
            return;
    }
}

void RedirCamera::armUnplug(std::uint16_t code) {
    if (unplugOn_ == code) faults_.arm(Fault::Unplugged, 1, FaultSpan::FromThenOn);
}

void RedirCamera::control(std::uint64_t id, const usb_redir_control_packet_header& header,
                          std::span<const std::uint8_t> data) {
    if (!function_) return;
    ControlReply reply;
    if (header.requesttype == model::kStandardDeviceIn) {
        reply = standardRequest(header);
    } else if (*function_ == model::UsbFunction::Command) {
        reply = commandRequest(header, data);
    } else {
        reply = diskRequest(header);
    }
    // Pulled out mid-transfer: the host never hears back about it.
    if (reply.unplug) return leave();
    usb_redir_control_packet_header answer = header;
    answer.status = reply.status;
    answer.length = static_cast<std::uint16_t>(reply.moved);
    usbredirparser_send_control_packet(parser_, id, &answer, reply.data.data(),
                                       static_cast<int>(reply.data.size()));
    settle(reply.effect);
}

RedirCamera::ControlReply RedirCamera::standardRequest(
    const usb_redir_control_packet_header& header) const {
    ControlReply reply;
    std::optional<model::Bytes> data;
    if (header.request == model::kGetDescriptor)
        data = model::usbDescriptor(model_.core().state, *function_, header.value);
    if (header.request == kGetStatus) data = model::Bytes{0, 0};
    if (!data) return reply;
    if (data->size() > header.length) data->resize(header.length);
    reply.status = usb_redir_success;
    reply.moved = data->size();
    reply.data = std::move(*data);
    return reply;
}

RedirCamera::ControlReply RedirCamera::commandRequest(const usb_redir_control_packet_header& header,
                                                      std::span<const std::uint8_t> data) {
    ControlReply reply;
    if (header.request != kCommandRequest ||
        (header.requesttype != kVendorOut && header.requesttype != kVendorIn)) {
        // Clearing a halt and the like: nothing to do for an interface that never halts.
        if ((header.requesttype & kDirectionIn) == 0) reply.status = usb_redir_success;
        return reply;
    }
    if (header.requesttype == kVendorOut && data.size() > 7) armUnplug(model::getBe16(&data[6]));
    model::TransferResult result =
        header.requesttype == kVendorOut ? usbPort_.write(data) : usbPort_.read(header.length);
    reply.unplug = result.unplug || result.status == model::TransferStatus::NoDevice;
    if (result.status != model::TransferStatus::Done) return reply;
    reply.status = usb_redir_success;
    reply.moved = result.moved;
    reply.data = std::move(result.data);
    reply.effect = result.effect;
    return reply;
}

RedirCamera::ControlReply RedirCamera::diskRequest(const usb_redir_control_packet_header& header) {
    ControlReply reply;
    reply.status = usb_redir_success;
    if (header.requesttype == kClassInterfaceIn && header.request == kGetMaxLun) {
        reply.data = {0};
        reply.moved = 1;
    } else if (header.requesttype == kClassInterfaceOut && header.request == kBulkOnlyReset) {
        transport_.reset();
    } else if (header.requesttype & kDirectionIn) {
        reply.status = usb_redir_stall;
    }
    return reply;
}

void RedirCamera::bulk(std::uint64_t id, const usb_redir_bulk_packet_header& header,
                       std::span<const std::uint8_t> data) {
    if (!function_) return;
    BulkReply reply{true, {}, 0, model::Effect::None, false};
    if (*function_ == model::UsbFunction::Disk) {
        if (header.endpoint & kDirectionIn) {
            reply = transport_.in(bulkLength(header));
        } else {
            if (const auto cdb = BulkOnlyTransport::commandBlockOf(data); model::isVendorCdb(cdb))
                armUnplug(model::getBe16(&cdb[4]));
            reply = transport_.out(data);
        }
    }
    if (reply.unplug) return leave();
    usb_redir_bulk_packet_header answer = header;
    answer.status = reply.stall ? usb_redir_stall : usb_redir_success;
    answer.length = static_cast<std::uint16_t>(reply.moved);
    answer.length_high = static_cast<std::uint16_t>(reply.moved >> 16);
    usbredirparser_send_bulk_packet(parser_, id, &answer, reply.data.data(),
                                    static_cast<int>(reply.data.size()));
    settle(reply.effect);
}

}  // namespace camsim::redir
