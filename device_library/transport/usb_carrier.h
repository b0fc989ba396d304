// The camera's USB command interface: vendor control transfers through libusb 0.1.
#pragma once

#include <cstddef>
#include <memory>

#include "transport/carrier.h"

struct usb_device;

namespace petrel {

// Opens the device and reads its string descriptors into the three buffers (at least 32
// bytes each; empty when absent). Null when the device cannot be opened.
std::unique_ptr<Carrier> OpenUsbCarrier(struct usb_device* device, char* manufacturer,
                                        char* product, char* serial);

// Reads the device's serial-number string into out (size bytes, zero-terminated; empty
// when the device has none or cannot be opened). Needs no password: a standard request.
void ReadUsbSerial(struct usb_device* device, char* out, size_t size);

}  // namespace petrel
