#include "usb_identity.h"

#include <array>

namespace camsim::model {
namespace {

constexpr std::size_t kDeviceDescriptorLength = 18;

void put16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// ASCII text widened to UTF-16LE, as long as one descriptor allows.
Bytes stringDescriptor(const std::string& text) {
    const std::size_t chars = std::min<std::size_t>(text.size(), 126);
    Bytes d{static_cast<std::uint8_t>(2 + 2 * chars), 3};
    for (std::size_t i = 0; i < chars; ++i)
        d.insert(d.end(), {static_cast<std::uint8_t>(text[i]), 0});
    return d;
}

}  // namespace

Bytes usbDescriptors(UsbFunction function) {
    const InterfaceClass interface = interfaceClassOf(function);
    Bytes d{kDeviceDescriptorLength, 1};
    put16(d, 0x0200);
    d.insert(d.end(), {0, 0, 0, 64});
    put16(d, kCameraVendor);
    put16(d, productOf(function));
    put16(d, 0x0100);
    d.insert(d.end(), {1, 2, 3, 1});
    // One configuration with one interface and a high-speed bulk pair (32 bytes in all).
    d.insert(d.end(), {9, 2, 32, 0, 1, 1, 0, 0xC0, 50});
    d.insert(d.end(), {9, 4, 0, 0, 2, interface.code, interface.subclass, interface.protocol, 0});
    for (std::uint8_t endpoint : {kBulkOut, kBulkIn}) {
        d.insert(d.end(), {7, 5, endpoint, 2});
        put16(d, 512);
        d.push_back(0);
    }
    return d;
}

std::optional<Bytes> usbDescriptor(const CameraState& state, UsbFunction function,
                                   std::uint16_t value) {
    const Bytes all = usbDescriptors(function);
    const std::size_t index = value & 0xFF;
    switch (value >> 8) {
        case 1:
            return Bytes(all.begin(), all.begin() + kDeviceDescriptorLength);
        case 2:
            return Bytes(all.begin() + kDeviceDescriptorLength, all.end());
        case 3: {
            if (index == 0) return Bytes{4, 3, 0x09, 0x04};
            const std::array<const std::string*, 3> texts{&state.manufacturer, &state.product,
                                                          &state.serial};
            if (index > texts.size()) return std::nullopt;
            return stringDescriptor(*texts[index - 1]);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace camsim::model
