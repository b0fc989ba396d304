// Who the camera is and who carries it.
#include "record_fields.h"
#include "records/records.h"

namespace petrelctl {
namespace {

using namespace fields;

// A record of one text, read and written by a pair of text exports.
template <typename Record, int (*Get)(DeviceConnection*, char*)>
int GetText(DeviceConnection* camera, void* record) {
    return Get(camera, reinterpret_cast<char*>(static_cast<Record*>(record)));
}

template <typename Record, int (*Set)(DeviceConnection*, const char*)>
int SetText(DeviceConnection* camera, const void* record) {
    return Set(camera, reinterpret_cast<const char*>(static_cast<const Record*>(record)));
}

}  // namespace

const RecordGroup& IdentityRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"model", "", sizeof(ModelText), GetText<ModelText, GetModelID>, nullptr, ModelFields()},
         {"version", "", sizeof(VersionText), GetText<VersionText, GetDeviceVersion>, nullptr,
          VersionFields()},
         {"bar code", "", sizeof(BarCodeText), GetText<BarCodeText, GetBarCode>,
          SetText<BarCodeText, SetBarCode>, BarCodeFields()},
         {"mac address", "", sizeof(MacAddressText), GetText<MacAddressText, GetMacAddress>,
          SetText<MacAddressText, SetMacAddress>, MacAddressFields()},
         {"user and device id", "", sizeof(CarrierTexts),
          [](DeviceConnection* camera, void* record) {
              auto* carrier = static_cast<CarrierTexts*>(record);
              return GetUserDevID(camera, carrier->userId, carrier->userName, carrier->deviceId);
          },
          [](DeviceConnection* camera, const void* record) {
              const auto* carrier = static_cast<const CarrierTexts*>(record);
              return SetUserDevID(camera, carrier->userId, carrier->userName, carrier->deviceId);
          },
          CarrierFields()},
         {"unit", "", sizeof(UnitTexts),
          [](DeviceConnection* camera, void* record) {
              auto* unit = static_cast<UnitTexts*>(record);
              return GetDeptInfo(camera, unit->unitNumber, unit->unitName);
          },
          [](DeviceConnection* camera, const void* record) {
              const auto* unit = static_cast<const UnitTexts*>(record);
              return SetDeptInfo(camera, unit->unitNumber, unit->unitName);
          },
          UnitFields()},
         {"watermark", "", sizeof(WatermarkText), GetText<WatermarkText, GetWaterMark>,
          SetText<WatermarkText, SetWaterMark>, WatermarkFields()}},
    };
    return group;
}

}  // namespace petrelctl
