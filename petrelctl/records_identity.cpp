// Who the camera is and who carries it. Each buffer keeps one zero byte past its
// field, so a full field still reads and writes as a terminated text.
#include "records.h"

namespace petrelctl {
namespace {

struct Model {
    char modelId[33];
};
struct Version {
    char version[49];
};
struct BarCode {
    char barCode[33];
};
struct MacAddress {
    char macAddress[PETREL_MAC_ADDRESS_SIZE + 1];
};
struct Carrier {
    char userId[PETREL_USER_ID_SIZE + 1];
    char userName[PETREL_USER_NAME_SIZE + 1];
    char deviceId[PETREL_DEVICE_ID_SIZE + 1];
};
struct Unit {
    char unitNumber[PETREL_UNIT_TEXT_SIZE + 1];
    char unitName[PETREL_UNIT_TEXT_SIZE + 1];
};
struct Watermark {
    char watermark[PETREL_WATERMARK_SIZE + 1];
};

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
        {{"model",
          "",
          sizeof(Model),
          GetText<Model, GetModelID>,
          nullptr,
          {PETRELCTL_TEXT(Model, modelId, 32)}},
         {"version",
          "",
          sizeof(Version),
          GetText<Version, GetDeviceVersion>,
          nullptr,
          {PETRELCTL_TEXT(Version, version, 47)}},
         {"bar code",
          "",
          sizeof(BarCode),
          GetText<BarCode, GetBarCode>,
          SetText<BarCode, SetBarCode>,
          {PETRELCTL_TEXT(BarCode, barCode, 16)}},
         {"mac address",
          "",
          sizeof(MacAddress),
          GetText<MacAddress, GetMacAddress>,
          SetText<MacAddress, SetMacAddress>,
          {Exactly(PETRELCTL_TEXT(MacAddress, macAddress, PETREL_MAC_ADDRESS_SIZE),
                   "0123456789abcdefABCDEF")}},
         {"user and device id",
          "",
          sizeof(Carrier),
          [](DeviceConnection* camera, void* record) {
              auto* carrier = static_cast<Carrier*>(record);
              return GetUserDevID(camera, carrier->userId, carrier->userName, carrier->deviceId);
          },
          [](DeviceConnection* camera, const void* record) {
              const auto* carrier = static_cast<const Carrier*>(record);
              return SetUserDevID(camera, carrier->userId, carrier->userName, carrier->deviceId);
          },
          {Exactly(PETRELCTL_TEXT(Carrier, userId, 6)), PETRELCTL_TEXT(Carrier, userName, 31),
           Exactly(PETRELCTL_TEXT(Carrier, deviceId, 6))}},
         {"unit",
          "",
          sizeof(Unit),
          [](DeviceConnection* camera, void* record) {
              auto* unit = static_cast<Unit*>(record);
              return GetDeptInfo(camera, unit->unitNumber, unit->unitName);
          },
          [](DeviceConnection* camera, const void* record) {
              const auto* unit = static_cast<const Unit*>(record);
              return SetDeptInfo(camera, unit->unitNumber, unit->unitName);
          },
          {PETRELCTL_TEXT(Unit, unitNumber, PETREL_UNIT_TEXT_SIZE),
           PETRELCTL_TEXT(Unit, unitName, PETREL_UNIT_TEXT_SIZE)}},
         {"watermark",
          "",
          sizeof(Watermark),
          GetText<Watermark, GetWaterMark>,
          SetText<Watermark, SetWaterMark>,
          {PETRELCTL_TEXT(Watermark, watermark, PETREL_WATERMARK_SIZE - 1)}}},
    };
    return group;
}

}  // namespace petrelctl
