#include "node_binding.h"

#include <umockdev.h>

#include "camera_device.h"

// sys/ioctl.h first: the usbdevfs header needs its _IOR/_IOW macros.
#include <linux/usbdevice_fs.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace camsim::plumbing {
namespace {

// A transfer that is not answered is held for its time-out, at most this long: a test
// sees the hang without sitting through the library's full ten seconds.
constexpr std::chrono::milliseconds kLongestHold{1500};

// Memory the client's argument points to, resolved into this process; freed by umockdev.
template <typename T>
T* resolve(UMockdevIoctlData* data, std::size_t offset, std::size_t length,
           UMockdevIoctlData** out) {
    GError* error = nullptr;
    UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(data, offset, length, &error);
    g_clear_error(&error);
    if (out) *out = resolved;
    return resolved ? reinterpret_cast<T*>(resolved->data) : nullptr;
}

std::span<std::uint8_t> buffer(UMockdevIoctlData* parent, std::size_t offset, std::size_t length) {
    if (length == 0) return {};
    auto* bytes = resolve<std::uint8_t>(parent, offset, length, nullptr);
    return bytes ? std::span(bytes, length) : std::span<std::uint8_t>();
}

void complete(UMockdevIoctlClient* client, int result, int error) {
    umockdev_ioctl_client_complete(client, result, error);
}

bool isHousekeeping(unsigned long request) {
    return request == USBDEVFS_SETCONFIGURATION || request == USBDEVFS_CLAIMINTERFACE ||
           request == USBDEVFS_RELEASEINTERFACE || request == USBDEVFS_CLEAR_HALT ||
           request == USBDEVFS_SETINTERFACE || request == USBDEVFS_RESET;
}

}  // namespace

bool NodeBinding::handle(UMockdevIoctlClient* client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    return carrier_ == Carrier::Usb ? handleUsb(client, request) : handleScsi(client, request);
}

bool NodeBinding::handleUsb(UMockdevIoctlClient* client, unsigned long request) {
    if (isHousekeeping(request)) {
        const bool present = camera_->answers(appearance_, Carrier::Usb);
        complete(client, present ? 0 : -1, present ? 0 : ENODEV);
        return true;
    }
    if (request != USBDEVFS_CONTROL) return false;
    UMockdevIoctlData* transfer = nullptr;
    auto* control = resolve<usbdevfs_ctrltransfer>(umockdev_ioctl_client_get_arg(client), 0,
                                                   sizeof(usbdevfs_ctrltransfer), &transfer);
    if (!control) {
        complete(client, -1, EFAULT);
        return true;
    }
    const auto data = buffer(transfer, offsetof(usbdevfs_ctrltransfer, data), control->wLength);
    if (data.size() != control->wLength) {
        complete(client, -1, EFAULT);
        return true;
    }
    const detail::UsbSetup setup{control->bRequestType, control->bRequest, control->wValue,
                                 control->wIndex};
    const detail::UsbAnswer answer = camera_->usbControl(appearance_, setup, data);
    // Outside the camera's lock: a camera that stops answering holds its caller only.
    if (answer.held)
        std::this_thread::sleep_for(
            std::min(std::chrono::milliseconds(control->timeout), kLongestHold));
    complete(client, answer.result, answer.error);
    camera_->settle(answer.after);
    return true;
}

bool NodeBinding::handleScsi(UMockdevIoctlClient* client, unsigned long request) {
    if (request != SG_IO) return false;
    UMockdevIoctlData* arg = nullptr;
    auto* header =
        resolve<sg_io_hdr_t>(umockdev_ioctl_client_get_arg(client), 0, sizeof(sg_io_hdr_t), &arg);
    if (!header || header->interface_id != 'S') {
        complete(client, -1, header ? ENOSYS : EFAULT);
        return true;
    }
    const auto cdb = buffer(arg, offsetof(sg_io_hdr_t, cmdp), header->cmd_len);
    const auto data = buffer(arg, offsetof(sg_io_hdr_t, dxferp), header->dxfer_len);
    const auto sense = buffer(arg, offsetof(sg_io_hdr_t, sbp), header->mx_sb_len);
    if (cdb.size() != header->cmd_len || data.size() != header->dxfer_len) {
        complete(client, -1, EFAULT);
        return true;
    }
    detail::ScsiAnswer answer{false, 2, 0, {}};
    if (camera_)
        answer = camera_->scsiCommand(appearance_, cdb,
                                      header->dxfer_direction == SG_DXFER_FROM_DEV, data);
    if (answer.gone) {
        complete(client, -1, ENODEV);
        if (camera_) camera_->settle(answer.after);
        return true;
    }
    header->status = answer.status;
    header->masked_status = static_cast<unsigned char>(answer.status >> 1);
    header->msg_status = 0;
    header->host_status = 0;
    header->driver_status = answer.status != 0 ? 0x08 : 0;  // DRIVER_SENSE
    header->resid = static_cast<int>(header->dxfer_len -
                                     std::min<std::size_t>(answer.moved, header->dxfer_len));
    header->sb_len_wr = 0;
    if (answer.status != 0) {
        const std::size_t n = std::min(sense.size(), detail::kRefusedSense.size());
        std::memcpy(sense.data(), detail::kRefusedSense.data(), n);
        header->sb_len_wr = static_cast<unsigned char>(n);
    }
    header->duration = 1;
    header->info = answer.status != 0 ? SG_INFO_CHECK : SG_INFO_OK;
    complete(client, 0, 0);
    if (camera_) camera_->settle(answer.after);
    return true;
}

}  // namespace camsim::plumbing
