#include "transport/usb_carrier.h"

#include <usb.h>

#include <new>

#include "transport/frame.h"

namespace petrel {
namespace {

constexpr int kVendorOut = 0x40;
constexpr int kVendorIn = 0xC0;
constexpr int kRequest = 0x55;
constexpr int kValue = 0x00AA;
constexpr int kTimeoutMs = 10000;
constexpr int kDescriptorLength = 32;

class UsbCarrier final : public Carrier {
public:
    explicit UsbCarrier(usb_dev_handle* handle) : handle_(handle) {}
    ~UsbCarrier() override { usb_close(handle_); }
    UsbCarrier(const UsbCarrier&) = delete;
    UsbCarrier& operator=(const UsbCarrier&) = delete;

    CarrierKind Kind() const override { return CarrierKind::kUsb; }

    bool Send(uint16_t command, const uint8_t* /*parameter*/, const uint8_t* payload,
              size_t length) override {
        uint8_t frame[kFrameBufferSize] = {};
        const size_t frameLength = BuildRequestFrame(command, payload, length, frame);
        return frameLength != 0 && Transfer(kVendorOut, frame, frameLength) > 0;
    }

    bool Receive(uint16_t command, const uint8_t* /*parameter*/, uint8_t* out,
                 size_t capacity) override {
        uint8_t frame[kFrameBufferSize] = {};
        const int moved = Transfer(kVendorIn, frame, kReplyReadLength);
        return AcceptReply(frame, moved < 0 ? 0 : static_cast<size_t>(moved), command, out,
                           capacity);
    }

private:
    int Transfer(int requestType, uint8_t* frame, size_t length) {
        return usb_control_msg(handle_, requestType, kRequest, kValue, 0,
                               reinterpret_cast<char*>(frame), static_cast<int>(length),
                               kTimeoutMs);
    }

    usb_dev_handle* handle_;
};

void ReadDescriptor(usb_dev_handle* handle, uint8_t index, char* field,
                    size_t size = kDescriptorLength) {
    if (index == 0 || usb_get_string_simple(handle, index, field, size) < 0) field[0] = '\0';
    field[size - 1] = '\0';
}

}  // namespace

std::unique_ptr<Carrier> OpenUsbCarrier(struct usb_device* device, char* manufacturer,
                                        char* product, char* serial) {
    usb_dev_handle* handle = usb_open(device);
    if (handle == nullptr) return nullptr;
    usb_set_configuration(handle, 1);
    usb_claim_interface(handle, 0);
    usb_clear_halt(handle, 0x01);
    usb_clear_halt(handle, 0x81);
    ReadDescriptor(handle, device->descriptor.iManufacturer, manufacturer);
    ReadDescriptor(handle, device->descriptor.iProduct, product);
    ReadDescriptor(handle, device->descriptor.iSerialNumber, serial);
    std::unique_ptr<Carrier> carrier(new (std::nothrow) UsbCarrier(handle));
    if (carrier == nullptr) usb_close(handle);
    return carrier;
}

void ReadUsbSerial(struct usb_device* device, char* out, size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    usb_dev_handle* handle = usb_open(device);
    if (handle == nullptr) return;
    ReadDescriptor(handle, device->descriptor.iSerialNumber, out, size);
    usb_close(handle);
}

}  // namespace petrel
