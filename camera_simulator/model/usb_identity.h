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

inline constexpr std::uint8_t kBulkOut = 0x01;
inline constexpr std::uint8_t kBulkIn = 0x81;

// The device descriptor followed by the one configuration with its interface and endpoints.
Bytes usbDescriptors(UsbFunction function);

// The answer to GET_DESCRIPTOR (wValue: type and index); nullopt for one the camera lacks.
std::optional<Bytes> usbDescriptor(const CameraState& state, UsbFunction function,
                                   std::uint16_t value);

}  // namespace camsim::model
