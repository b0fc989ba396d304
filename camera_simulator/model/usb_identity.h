// How the camera introduces itself on USB: its command interface (one vendor
// interface) or, once it presents its disk, a bulk-only mass-storage interface.
#pragma once

#include <camsim/camera_state.h>

#include <optional>

#include "bytes.h"

namespace camsim::model {

inline constexpr std::uint16_t kCameraVendor = 0x4255;
inline constexpr std::uint16_t kCommandProduct = 0x0001;
inline constexpr std::uint16_t kDiskProduct = 0x0002;

enum class UsbFunction { Command, Disk };

struct InterfaceClass {
    std::uint8_t code;
    std::uint8_t subclass;
    std::uint8_t protocol;
};

// A vendor interface, or SCSI commands over bulk-only transport.
constexpr InterfaceClass interfaceClassOf(UsbFunction function) {
    return function == UsbFunction::Disk ? InterfaceClass{0x08, 0x06, 0x50}
                                         : InterfaceClass{0xFF, 0, 0};
}

constexpr std::uint16_t productOf(UsbFunction function) {
    return function == UsbFunction::Disk ? kDiskProduct : kCommandProduct;
}

// Command frames travel as this vendor request, out to the camera and back in.
inline constexpr std::uint8_t kVendorOut = 0x40;
inline constexpr std::uint8_t kVendorIn = 0xC0;
inline constexpr std::uint8_t kCommandRequest = 0x55;

inline constexpr std::uint8_t kStandardDeviceIn = 0x80;
inline constexpr std::uint8_t kGetDescriptor = 0x06;

inline constexpr std::uint8_t kBulkOut = 0x01;
inline constexpr std::uint8_t kBulkIn = 0x81;

// The device descriptor followed by the one configuration with its interface and endpoints.
Bytes usbDescriptors(UsbFunction function);

// The answer to GET_DESCRIPTOR (wValue: type and index); nullopt for one the camera lacks.
std::optional<Bytes> usbDescriptor(const CameraState& state, UsbFunction function,
                                   std::uint16_t value);

}  // namespace camsim::model
