#include "device_records.h"

#include <cstdio>

#include "../model/usb_identity.h"

namespace camsim::plumbing {
namespace {

using model::kCameraVendor;
using model::kCommandProduct;
using model::kDiskProduct;

constexpr const char* kHostController = "/devices/pci0000:00/0000:00:14.0/usb1";

// A node without contents would be a terminal to umockdev, whose master end the testbed
// keeps open after the device is removed (one descriptor per disk appearance). With
// contents it is a plain file, which umockdev's preload still presents as a character
// device; only its ioctls are used, and they go to the node's handler.
constexpr const char* kGenericNodeContents = "=00";

// Uppercase: umockdev reads node contents only in that form.
std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char pair[3];
    for (auto b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

std::string format(const char* pattern, auto... args) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::string usbDeviceAttributes(unsigned port, unsigned devnum, std::uint16_t vendor,
                                std::uint16_t product, const std::string& serial) {
    // A device without a serial string has no serial attribute, as in the kernel.
    const std::string serialLine = serial.empty() ? "" : "A: serial=" + serial + "\n";
    return format(
               "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: BUSNUM=001\nE: DEVNUM=%03u\n"
               "A: idVendor=%04x\nA: idProduct=%04x\nA: busnum=1\nA: devnum=%u\nA: devpath=%u\n",
               devnum, vendor, product, devnum, port) +
           serialLine;
}

}  // namespace

std::string usbSysfsPath(unsigned port) { return format("%s/1-%u", kHostController, port); }

std::string usbNode(const UsbPlace& place) { return format("/dev/bus/usb/001/%03u", place.devnum); }

std::string genericNode(const DiskPlace& place) { return format("/dev/sg%u", place.generic); }

std::string blockNode(const DiskPlace& place) { return "/dev/" + place.block; }

std::string rootHubRecord() {
    // A high-speed hub: one interface of class 9 with its status endpoint (25 bytes).
    const std::vector<std::uint8_t> descriptors{
        18, 1, 0x00, 0x02, 9, 0,  1, 64, 0x6B, 0x1D, 0x02, 0x00, 0x01, 0x06, 3,
        2,  1, 1,    9,    2, 25, 0, 1,  1,    0,    0xE0, 0,    9,    4,    0,
        0,  1, 9,    0,    0, 0,  7, 5,  0x81, 3,    4,    0,    12};
    return std::string("P: ") + kHostController + "\nN: bus/usb/001/001=" + hex(descriptors) +
           "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: BUSNUM=001\nE: DEVNUM=001\n"
           "A: idVendor=1d6b\nA: idProduct=0002\nA: busnum=1\nA: devnum=1\nH: descriptors=" +
           hex(descriptors) + "\n";
}

std::string usbRecord(const UsbPlace& place) {
    const std::string descriptors = hex(model::usbDescriptors(model::UsbFunction::Command));
    return "P: " + usbSysfsPath(place.port) + "\nN: " + usbNode(place).substr(5) + "=" +
           descriptors + "\nE: DEVNAME=" + usbNode(place) + "\n" +
           usbDeviceAttributes(place.port, place.devnum, kCameraVendor, kCommandProduct,
                               place.serial) +
           "H: descriptors=" + descriptors + "\n";
}

std::string scsiDevicePath(const DiskPlace& place) {
    return usbSysfsPath(place.port) + format("/1-%u:1.0/host%u/target%u:0:0/%u:0:0:0", place.port,
                                             place.host, place.host, place.host);
}

std::string diskRecord(const DiskPlace& place) {
    // A camera's disk keeps its USB identity but no usbfs node: libusb must not list it.
    // It reports itself fixed, as many USB disks do; other disks say removable.
    const std::uint16_t vendor = place.camera ? kCameraVendor : 0x0BDA;
    const std::string scsi = scsiDevicePath(place);
    return "P: " + usbSysfsPath(place.port) + "\n" +
           usbDeviceAttributes(place.port, place.devnum, vendor, kDiskProduct, place.serial) +
           "\n" + "P: " + scsi + "\nE: SUBSYSTEM=scsi\nE: DEVTYPE=scsi_device\nA: type=0\n" +
           "A: vendor=" + (place.camera ? "CAMERA  " : "GENERIC ") + "\n\n" + "P: " + scsi +
           "/block/" + place.block + "\nN: " + place.block + "\nE: SUBSYSTEM=block\n" +
           "E: DEVTYPE=disk\nE: DEVNAME=" + blockNode(place) +
           "\nA: removable=" + (place.camera ? "0" : "1") + "\nA: size=62521344\n\n" +
           "P: " + scsi + "/scsi_generic/sg" + std::to_string(place.generic) + "\nN: sg" +
           std::to_string(place.generic) + kGenericNodeContents +
           "\nE: SUBSYSTEM=scsi_generic\nE: DEVNAME=" + genericNode(place) + "\n";
}

}  // namespace camsim::plumbing
