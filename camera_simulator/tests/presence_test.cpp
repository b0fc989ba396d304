// The simulated camera as a plain client sees it: libusb 0.1 on the USB side,
// SG_IO on the disk side, frames built here by hand.
#include <camsim/simulator.h>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <usb.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "model/cipher.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes requestFrame(std::uint16_t code, const Bytes& payload) {
    Bytes frame(payload.size() + 10);
    const std::uint8_t header[9] = {0xD0,
                                    0xC1,
                                    0xB2,
                                    0xA3,
                                    0,
                                    static_cast<std::uint8_t>(frame.size()),
                                    static_cast<std::uint8_t>(code >> 8),
                                    static_cast<std::uint8_t>(code),
                                    0};
    std::copy(std::begin(header), std::end(header), frame.begin());
    std::copy(payload.begin(), payload.end(), frame.begin() + 9);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) sum += frame[i];
    frame.back() = static_cast<std::uint8_t>(sum);
    return frame;
}

usb_dev_handle* openCamera() {
    usb_init();
    usb_find_busses();
    usb_find_devices();
    for (usb_bus* bus = usb_get_busses(); bus; bus = bus->next)
        for (struct usb_device* d = bus->devices; d; d = d->next)
            if (d->descriptor.idVendor == 0x4255) return usb_open(d);
    return nullptr;
}

int countCameras() {
    usb_find_busses();
    usb_find_devices();
    int n = 0;
    for (usb_bus* bus = usb_get_busses(); bus; bus = bus->next)
        for (struct usb_device* d = bus->devices; d; d = d->next)
            n += d->descriptor.idVendor == 0x4255;
    return n;
}

int control(usb_dev_handle* h, int type, Bytes& data) {
    return usb_control_msg(h, type, 0x55, 0xAA, 0, reinterpret_cast<char*>(data.data()),
                           static_cast<int>(data.size()), 1000);
}

// One command written and its reply read, as the host's exchange does.
void exchange(usb_dev_handle* h, std::uint16_t code, std::size_t payloadLength) {
    Bytes out = requestFrame(code, Bytes(payloadLength, 0));
    control(h, 0x40, out);
    Bytes in(512);
    control(h, 0xC0, in);
}

struct ScsiResult {
    int ioctlResult;
    int error;
    sg_io_hdr_t header;
};

ScsiResult scsi(const std::string& node, std::uint8_t first, std::uint16_t code, Bytes& data,
                int direction) {
    const int fd = open(node.c_str(), O_RDWR | O_NONBLOCK);
    // A3 B2 C1 D0 or A7 B6 C5 D4: each byte 0x0F above the one before.
    std::uint8_t cdb[16] = {first,
                            static_cast<std::uint8_t>(first + 0x0F),
                            static_cast<std::uint8_t>(first + 0x1E),
                            static_cast<std::uint8_t>(first + 0x2D),
                            static_cast<std::uint8_t>(code >> 8),
                            static_cast<std::uint8_t>(code)};
    std::uint8_t sense[32];
    sg_io_hdr_t h;
    std::memset(&h, 0x77, sizeof h);  // every field the camera must set starts as junk
    h.interface_id = 'S';
    h.cmd_len = 16;
    h.cmdp = cdb;
    h.dxfer_direction = direction;
    h.dxfer_len = static_cast<unsigned>(data.size());
    h.dxferp = data.data();
    h.mx_sb_len = sizeof sense;
    h.sbp = sense;
    h.timeout = 5000;
    const int r = ioctl(fd, SG_IO, &h);
    const int error = errno;
    close(fd);
    return {r, error, h};
}

TEST(UsbCamera, AnswersAFrameAndItsStringDescriptors) {
    camsim::Simulator sim;
    sim.addUsbCamera();
    usb_dev_handle* h = openCamera();
    ASSERT_NE(h, nullptr);
    char text[64];
    EXPECT_GT(usb_get_string_simple(h, 2, text, sizeof text), 0);
    EXPECT_STREQ(text, "Body Camera");
    Bytes out = requestFrame(0x002D, Bytes(32, 0));
    EXPECT_EQ(control(h, 0x40, out), 42);
    Bytes in(512);
    ASSERT_EQ(control(h, 0xC0, in), 42);
    EXPECT_EQ(in[0], 0xA3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&in[9])), "BWC_X1");
    // Nothing pending: the next read stalls.
    EXPECT_LT(control(h, 0xC0, in), 0);
    usb_close(h);
}

TEST(UsbCamera, MassStorageModeMovesItToADiskThatAnswersEnciphered) {
    camsim::Simulator sim;
    camsim::Camera& camera = sim.addUsbCamera();
    usb_dev_handle* h = openCamera();
    ASSERT_NE(h, nullptr);
    exchange(h, 0x002C, 10);
    usb_close(h);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Disk, std::chrono::seconds(1)));
    EXPECT_EQ(countCameras(), 0);

    Bytes reply(128);
    const ScsiResult r = scsi(camera.deviceNode(), 0xA7, 0x002D, reply, SG_DXFER_FROM_DEV);
    ASSERT_EQ(r.ioctlResult, 0);
    EXPECT_EQ(r.header.status, 0);
    EXPECT_EQ(r.header.host_status, 0);
    EXPECT_EQ(r.header.driver_status, 0);
    EXPECT_EQ(r.header.resid, 0);
    const auto plain = camsim::model::decipherReply(reply);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&plain[9])), "BWC_X1");
}

TEST(DiskCamera, RefusesWhatIsNotItsCommandWithSense) {
    camsim::Simulator sim;
    camsim::Camera& camera = sim.addDiskCamera();
    Bytes reply(128);
    const ScsiResult r = scsi(camera.deviceNode(), 0xA7, 0x7777, reply, SG_DXFER_FROM_DEV);
    ASSERT_EQ(r.ioctlResult, 0);
    EXPECT_EQ(r.header.status, 2);
    EXPECT_EQ(r.header.resid, 128);
    EXPECT_GT(r.header.sb_len_wr, 0);
}

TEST(DiskCamera, AWriteWhoseReplyNeverCameIsNotRunAgainByItsRead) {
    camsim::Simulator sim;
    camsim::Camera& camera = sim.addDiskCamera();
    camera.injectFault(camsim::Fault::NoReply);
    Bytes request(32);
    request[0] = 0;  // a wrong password: running it twice would count two failures
    const auto ciphered = camsim::model::encipherRequest(request);
    Bytes wire(ciphered.begin(), ciphered.begin() + 32);
    EXPECT_EQ(scsi(camera.deviceNode(), 0xA3, 0x0020, wire, SG_DXFER_TO_DEV).header.status, 2);
    Bytes reply(128);
    EXPECT_EQ(scsi(camera.deviceNode(), 0xA7, 0x0020, reply, SG_DXFER_FROM_DEV).header.status, 2);
    EXPECT_EQ(camera.session().failedChecks, 0u);
}

TEST(Presence, RebootedCameraComesBackAndAnUnpluggedOneFailsItsTransfers) {
    camsim::Simulator sim;
    camsim::CameraState state;
    state.rebootDelay = std::chrono::milliseconds(50);
    camsim::Camera& camera = sim.addUsbCamera(state);
    usb_dev_handle* h = openCamera();
    ASSERT_NE(h, nullptr);
    exchange(h, 0x003C, 10);
    EXPECT_EQ(camera.presence(), camsim::Presence::Rebooting);
    Bytes out = requestFrame(0x0029, Bytes(2, 0));
    EXPECT_LT(control(h, 0x40, out), 0);
    usb_close(h);
    ASSERT_TRUE(camera.waitForPresence(camsim::Presence::Usb, std::chrono::seconds(2)));

    h = openCamera();
    ASSERT_NE(h, nullptr);
    camera.injectFault(camsim::Fault::Unplugged, 1, camsim::FaultSpan::FromThenOn);
    EXPECT_LT(control(h, 0x40, out), 0);
    EXPECT_EQ(camera.presence(), camsim::Presence::Unplugged);
    usb_close(h);
    EXPECT_EQ(countCameras(), 0);
    camera.plugIn();
    EXPECT_EQ(countCameras(), 1);
}

std::size_t openDescriptors() {
    std::size_t count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (folder && readdir(folder)) ++count;
    if (folder) closedir(folder);
    return count;
}

// A soak test plugs a camera in and out many times: what each appearance held (its node's
// ioctl socket, the connections of clients that used it) must go when it leaves.
TEST(Presence, ReplugsKeepTheDescriptorCountFlat) {
    camsim::Simulator sim;
    camsim::Camera& usb = sim.addUsbCamera();
    camsim::Camera& disk = sim.addDiskCamera();
    const auto touch = [&] {
        usb_dev_handle* h = openCamera();
        ASSERT_NE(h, nullptr);
        exchange(h, 0x002D, 32);
        usb_close(h);
        Bytes reply(128);
        EXPECT_EQ(scsi(disk.deviceNode(), 0xA7, 0x002D, reply, SG_DXFER_FROM_DEV).ioctlResult, 0);
    };
    touch();
    const std::size_t before = openDescriptors();
    for (int cycle = 0; cycle < 100; ++cycle) {
        for (camsim::Camera* camera : {&usb, &disk}) {
            camera->unplug();
            camera->plugIn();
        }
        touch();
    }
    // A client's connection may still be closing in umockdev's worker; a leak adds 100.
    EXPECT_LE(openDescriptors(), before + 2);
}

}  // namespace
