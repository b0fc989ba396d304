// petrelctl info: who the camera is, readable before any login.
#include "camera/session.h"
#include "commands/command_set.h"
#include "petrel.h"

namespace petrelctl {

int RunInfo(const Options& options, Output& output) {
    auto session = Session::Open(options, output);
    if (!session) return 1;
    DeviceConnection* camera = session->get();

    char model[33] = {};
    if (int status = GetModelID(camera, model); status != STATUS_OK)
        return output.Fail("model", status);
    char barCode[33] = {};
    if (int status = GetBarCode(camera, barCode); status != STATUS_OK) {
        return output.Fail("bar code", status);
    }
    char version[49] = {};
    if (int status = GetDeviceVersion(camera, version); status != STATUS_OK) {
        return output.Fail("version", status);
    }
    output.Field("carrier", GetStorageID(camera) != 0 ? "disk" : "usb");
    if (const int letter = GetStorageID(camera); letter != 0) {
        output.Field("drive", std::string(1, static_cast<char>(letter)));
    }
    output.Field("model", model);
    output.Field("bar code", barCode);
    output.Field("version", version);

    char manufacturer[32] = {}, product[32] = {}, serial[32] = {};
    if (GetDescriptorString(camera, manufacturer, product, serial) == STATUS_OK) {
        output.Field("manufacturer", manufacturer);
        output.Field("product", product);
        output.Field("serial number", serial);
    }
    return 0;
}

}  // namespace petrelctl
