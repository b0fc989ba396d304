// The two ways a frame reaches the camera. Each returns what SendCommand/ReceiveReply return.
#pragma once

#include <usb.h>

#include <cstddef>
#include <cstdint>

#include "platform/volume.h"

namespace petrel {

int UsbSend(usb_dev_handle* handle, uint16_t command, const uint8_t* payload, size_t length);
int UsbReceive(usb_dev_handle* handle, uint16_t command, uint8_t* out, size_t capacity);

int DiskSend(platform::VolumeHandle volume, uint16_t command, const uint8_t* parameter,
             const uint8_t* payload, size_t length);
int DiskReceive(platform::VolumeHandle volume, uint16_t command, const uint8_t* parameter,
                uint8_t* out, size_t capacity);

}  // namespace petrel
