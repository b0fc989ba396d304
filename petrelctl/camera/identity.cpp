#include "camera/identity.h"

namespace petrelctl {

CameraIdentity ReadIdentity(DeviceConnection* camera, const CameraRef& where) {
    CameraIdentity identity;
    const int drive = GetStorageID(camera);
    identity.carrier = drive != 0 ? "disk" : "usb";
    const std::string usb = where.usbAddress.empty() ? "" : "usb " + where.usbAddress;
    if (drive != 0) {
        identity.location = std::string("drive ") + static_cast<char>(drive) + ":" +
                            (usb.empty() ? "" : " (" + usb + ")");
    } else {
        identity.location = usb;
    }
    // Each text stays empty when the camera does not give it.
    char manufacturer[32] = {}, product[32] = {}, serial[32] = {};
    if (GetDescriptorString(camera, manufacturer, product, serial) == STATUS_OK)
        identity.serial = serial;
    if (identity.serial.empty()) identity.serial = where.serial;
    char barCode[33] = {}, model[33] = {}, firmware[49] = {};
    if (GetBarCode(camera, barCode) == STATUS_OK) identity.barCode = barCode;
    if (GetModelID(camera, model) == STATUS_OK) identity.model = model;
    if (GetDeviceVersion(camera, firmware) == STATUS_OK) identity.firmware = firmware;
    return identity;
}

}  // namespace petrelctl
