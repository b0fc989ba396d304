#include "discovery/open_carrier.h"

#include <openssl/crypto.h>

#include <cstdlib>
#include <cstring>

namespace petrel {
namespace {

constexpr int kDescriptorBufferLength = 32;

DeviceConnection* NewConnection(int32_t kind) {
    auto* connection = static_cast<DeviceConnection*>(std::calloc(1, sizeof(DeviceConnection)));
    if (connection == nullptr) return nullptr;
    connection->carrierKind = kind;
    connection->verifiedLevel = kNotVerified;
    connection->volume = platform::VolumeHandle{};
    return connection;
}

void ReadDescriptor(usb_dev_handle* handle, uint8_t index, char* field) {
    if (index == 0 || usb_get_string_simple(handle, index, field, kDescriptorBufferLength) < 0) {
        field[0] = '\0';
    }
    field[kDescriptorBufferLength - 1] = '\0';
}

}  // namespace

DeviceConnection* OpenUsbConnection(struct usb_device* device) {
    usb_dev_handle* handle = usb_open(device);
    if (handle == nullptr) return nullptr;
    usb_set_configuration(handle, 1);
    usb_claim_interface(handle, 0);
    usb_clear_halt(handle, 0x01);
    usb_clear_halt(handle, 0x81);

    DeviceConnection* connection = NewConnection(kUsbCarrier);
    if (connection == nullptr) {
        usb_close(handle);
        return nullptr;
    }
    connection->usbHandle = handle;
    ReadDescriptor(handle, device->descriptor.iManufacturer, connection->manufacturer);
    ReadDescriptor(handle, device->descriptor.iProduct, connection->product);
    ReadDescriptor(handle, device->descriptor.iSerialNumber, connection->serialNumber);
    if (!ReadModelCode(connection)) {
        FreeConnection(connection);
        return nullptr;
    }
    return connection;
}

DeviceConnection* OpenDiskConnection(char letter) {
    platform::VolumeHandle volume = platform::OpenVolume(letter);
    if (!volume.IsOpen()) return nullptr;
    DeviceConnection* connection = NewConnection(kDiskCarrier);
    if (connection == nullptr) {
        platform::CloseVolume(volume);
        return nullptr;
    }
    connection->driveLetter = letter;
    connection->volume = volume;
    if (!ReadModelCode(connection)) {
        FreeConnection(connection);
        return nullptr;
    }
    return connection;
}

void FreeConnection(DeviceConnection* connection) {
    if (connection->usbHandle != nullptr) usb_close(connection->usbHandle);
    platform::CloseVolume(connection->volume);
    // The record holds the connection key: wipe it before the memory goes back.
    OPENSSL_cleanse(connection, sizeof *connection);
    std::free(connection);
}

}  // namespace petrel
