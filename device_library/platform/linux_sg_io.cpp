#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/drive_map.h"
#include "platform/pass_through.h"
#include "platform/volume.h"

namespace petrel::platform {
namespace {

constexpr unsigned kHostOrDriverFault = 0x07;  // driver_status bits other than DRIVER_SENSE

int SgDirection(DataDirection direction) {
    switch (direction) {
        case DataDirection::kToDevice:
            return SG_DXFER_TO_DEV;
        case DataDirection::kFromDevice:
            return SG_DXFER_FROM_DEV;
        case DataDirection::kNone:
            break;
    }
    return SG_DXFER_NONE;
}

}  // namespace

VolumeHandle OpenVolume(char letter) {
    const auto disk = MappedDiskOf(letter);
    if (!disk) return {};
    // O_NONBLOCK: SG_IO must not wait for a medium; no O_EXCL, other readers may share it.
    return VolumeHandle{open(disk->genericNode.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)};
}

void CloseVolume(VolumeHandle& volume) {
    if (volume.IsOpen()) close(volume.fd);
    volume.fd = -1;
}

PassThroughResult ExecutePassThrough(VolumeHandle volume, PassThroughRequest& request) {
    if (!volume.IsOpen()) return PassThroughResult::kOsError;
    sg_io_hdr_t header{};
    header.interface_id = 'S';
    header.cmd_len = static_cast<unsigned char>(request.commandBlock.size());
    header.cmdp = request.commandBlock.data();
    header.mx_sb_len = static_cast<unsigned char>(request.sense.size());
    header.sbp = request.sense.data();
    header.dxfer_len = request.length;
    header.dxferp = request.data;
    header.dxfer_direction = SgDirection(request.direction);
    header.timeout = request.timeoutMs;

    if (ioctl(volume.fd, SG_IO, &header) < 0) {
        return errno == ENODEV || errno == EIO || errno == ENXIO ? PassThroughResult::kDeviceGone
                                                                 : PassThroughResult::kOsError;
    }
    if (header.host_status != 0 || (header.driver_status & kHostOrDriverFault) != 0) {
        return PassThroughResult::kTransportError;
    }
    if (header.status != 0) return PassThroughResult::kCheckCondition;
    if (request.direction == DataDirection::kFromDevice) {
        const auto resid = static_cast<uint32_t>(header.resid < 0 ? 0 : header.resid);
        request.length = resid > request.length ? 0 : request.length - resid;
    }
    return PassThroughResult::kGood;
}

}  // namespace petrel::platform
