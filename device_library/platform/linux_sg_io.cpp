#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/drive_map.h"
#include "platform/volume.h"

namespace petrel::platform {

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

PassThroughResult ExecutePassThrough(VolumeHandle volume, ScsiPassThroughDirect& request,
                                     void* data) {
    if (!volume.IsOpen()) return PassThroughResult::kOsError;
    sg_io_hdr_t header{};
    header.interface_id = 'S';
    header.cmd_len = request.cdbLength;
    header.cmdp = request.cdb;
    header.mx_sb_len = request.senseInfoLength;
    header.sbp = request.sense;
    header.dxfer_len = request.dataTransferLength;
    header.dxferp = data;
    header.dxfer_direction = request.dataTransferLength == 0 ? SG_DXFER_NONE
                             : request.dataIn != 0           ? SG_DXFER_FROM_DEV
                                                             : SG_DXFER_TO_DEV;
    header.timeout = request.timeOutValue * 1000;

    if (ioctl(volume.fd, SG_IO, &header) < 0) {
        return errno == ENODEV || errno == EIO || errno == ENXIO ? PassThroughResult::kDeviceGone
                                                                 : PassThroughResult::kOsError;
    }
    request.scsiStatus = header.status;
    if (header.host_status != 0 || (header.driver_status & 0x07) != 0) {
        return PassThroughResult::kTransportError;
    }
    // SCSI status and sense are not judged: the camera signals failure in its reply frame.
    if (request.dataIn != 0) {
        const int resid = header.resid < 0 ? 0 : header.resid;
        request.dataTransferLength =
            static_cast<uint32_t>(resid) > request.dataTransferLength
                ? 0
                : request.dataTransferLength - static_cast<uint32_t>(resid);
    }
    return PassThroughResult::kGood;
}

}  // namespace petrel::platform
