#include <cstring>

#include "transport/carriers.h"
#include "transport/frame.h"

namespace petrel {
namespace {

constexpr int kVendorOut = 0x40;
constexpr int kVendorIn = 0xC0;
constexpr int kRequest = 0x55;
constexpr int kValue = 0x00AA;
constexpr int kTimeoutMs = 10000;

}  // namespace

int UsbSend(usb_dev_handle* handle, uint16_t command, const uint8_t* payload, size_t length) {
    uint8_t frame[kFrameBufferSize] = {};
    const size_t frameLength = BuildRequestFrame(command, payload, length, frame);
    if (frameLength == 0) return 0;
    const int moved = usb_control_msg(handle, kVendorOut, kRequest, kValue, 0,
                                      reinterpret_cast<char*>(frame),
                                      static_cast<int>(frameLength), kTimeoutMs);
    return moved < 0 ? 0 : moved;
}

int UsbReceive(usb_dev_handle* handle, uint16_t command, uint8_t* out, size_t capacity) {
    uint8_t frame[kFrameBufferSize] = {};
    const int moved = usb_control_msg(handle, kVendorIn, kRequest, kValue, 0,
                                      reinterpret_cast<char*>(frame),
                                      static_cast<int>(kReplyReadLength), kTimeoutMs);
    const size_t received = moved < 0 ? 0 : static_cast<size_t>(moved);
    return AcceptReply(frame, received, command, out, capacity) ? 1 : 0;
}

}  // namespace petrel
