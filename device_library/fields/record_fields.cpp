#include "record_fields.h"

namespace fields {
namespace {

constexpr const char* kHexCharacters = "0123456789abcdefABCDEF";
constexpr const char* kDigits = "0123456789";

#define PETREL_CHECK_SETTING_OFFSET(offset, field, kind, codes) \
    static_assert(offsetof(SysParam, field) == (offset));
PETREL_SYSPARAM_FIELDS(PETREL_CHECK_SETTING_OFFSET)

RecordFields MakeSettingsFields() {
#define PETREL_SETTING_FIELD(offset, field, kind, CODES) PETREL_FIELD_CODE(SysParam, field, CODES),
    RecordFields settings = {PETREL_SYSPARAM_FIELDS(PETREL_SETTING_FIELD)};
    // Resolutions a camera may report: shown by name, never offered.
#define PETREL_REPORTED_OPTION(code, text) {code, text, false},
    auto& resolution = settings[offsetof(SysParam, videoResolution)].codes;
    resolution.insert(resolution.end(),
                      {PETREL_CODES_VIDEO_RESOLUTION_REPORTED(PETREL_REPORTED_OPTION)});
    return settings;
}

}  // namespace

const RecordFields& ModelFields() {
    static const RecordFields record = {PETREL_FIELD_TEXT(ModelText, modelId, 32)};
    return record;
}

const RecordFields& VersionFields() {
    static const RecordFields record = {PETREL_FIELD_TEXT(VersionText, version, 47)};
    return record;
}

const RecordFields& BarCodeFields() {
    static const RecordFields record = {PETREL_FIELD_TEXT(BarCodeText, barCode, 16)};
    return record;
}

const RecordFields& MacAddressFields() {
    static const RecordFields record = {OfCharacters(
        Exactly(PETREL_FIELD_TEXT(MacAddressText, macAddress, PETREL_MAC_ADDRESS_SIZE)),
        kHexCharacters)};
    return record;
}

const RecordFields& CarrierFields() {
    static const RecordFields record = {Exactly(PETREL_FIELD_TEXT(CarrierTexts, userId, 6)),
                                        PETREL_FIELD_TEXT(CarrierTexts, userName, 31),
                                        Exactly(PETREL_FIELD_TEXT(CarrierTexts, deviceId, 6))};
    return record;
}

const RecordFields& UnitFields() {
    static const RecordFields record = {
        PETREL_FIELD_TEXT(UnitTexts, unitNumber, PETREL_UNIT_TEXT_SIZE),
        PETREL_FIELD_TEXT(UnitTexts, unitName, PETREL_UNIT_TEXT_SIZE)};
    return record;
}

const RecordFields& WatermarkFields() {
    static const RecordFields record = {
        PETREL_FIELD_TEXT(WatermarkText, watermark, PETREL_WATERMARK_SIZE - 1)};
    return record;
}

const RecordFields& SettingsFields() {
    static const RecordFields record = MakeSettingsFields();
    return record;
}

const RecordFields& NetworkFields() {
    static const RecordFields record = {
        PETREL_FIELD_TEXT(NetworkInfo, deviceName, 31),
        PETREL_FIELD_CODE(NetworkInfo, protocol, PETREL_CODES_PROTOCOL),
        PETREL_FIELD_NUMBER(NetworkInfo, serverArea, 0, 49),
        PETREL_FIELD_TEXT(NetworkInfo, serverUrl, 15),
        OfCharacters(PETREL_FIELD_TEXT(NetworkInfo, serverIp, 15), kAddressCharacters),
        OfCharacters(PETREL_FIELD_TEXT(NetworkInfo, serverPort, 7), kDigits),
        PETREL_FIELD_TEXT(NetworkInfo, equipmentNo, 15),
        PETREL_FIELD_TEXT(NetworkInfo, serverPassword, 15)};
    return record;
}

const RecordFields& WifiUniversalFields() {
    static const RecordFields record = {
        PETREL_FIELD_CODE(WifiUniversal, wifiActivate, PETREL_CODES_ACTIVATE),
        PETREL_FIELD_CODE(WifiUniversal, wifiMode, PETREL_CODES_WIFI_MODE),
        PETREL_FIELD_CODE(WifiUniversal, connectTimeout, PETREL_CODES_CONNECT_TIMEOUT),
        OfCharacters(PETREL_FIELD_TEXT(WifiUniversal, macAddress, 12), kHexCharacters),
        OfCharacters(PETREL_FIELD_TEXT(WifiUniversal, cameraIp, 15), kAddressCharacters),
        OfCharacters(PETREL_FIELD_TEXT(WifiUniversal, gateway, 15), kAddressCharacters)};
    return record;
}

const RecordFields& WifiApFields() {
    static const RecordFields record = {PETREL_FIELD_TEXT(WifiApSetting, ssid, 47),
                                        PETREL_FIELD_TEXT(WifiApSetting, password, 31),
                                        PETREL_FIELD_NUMBER(WifiApSetting, connectionLimit, 0, 4),
                                        PETREL_FIELD_CODE(WifiApSetting, band, PETREL_CODES_BAND),
                                        // No band has a channel above 196; the camera's own list narrows it further.
                                        PETREL_FIELD_NUMBER(WifiApSetting, channel, 0, 196)};
    return record;
}

const RecordFields& WifiStaFields() {
    static const RecordFields record = {
        PETREL_FIELD_TEXT(WifiStaSetting, ssid, 47),
        PETREL_FIELD_TEXT(WifiStaSetting, password, 31),
        PETREL_FIELD_CODE(WifiStaSetting, autoGetIp, PETREL_CODES_AUTO_GET_IP)};
    return record;
}

const RecordFields& PairingCodeFields() {
    static const RecordFields record = {OfCharacters(
        Exactly(PETREL_FIELD_TEXT(PairingCode, p2pCode, PETREL_P2P_CODE_SIZE - 1)), kDigits)};
    return record;
}

const RecordFields& WifiChannelFields() {
    static const RecordFields record = {
        ChannelsField("channels24G", offsetof(WifiChannelInfo, channels24G),
                      sizeof(WifiChannelInfo::channels24G)),
        ChannelsField("channels5G", offsetof(WifiChannelInfo, channels5G),
                      sizeof(WifiChannelInfo::channels5G))};
    return record;
}

const RecordFields& BluetoothFields() {
    static const RecordFields record = {
        PETREL_FIELD_CODE(BluetoothInfo, btActivate, PETREL_CODES_ACTIVATE),
        PETREL_FIELD_TEXT(BluetoothInfo, btAddress, 12),
        PETREL_FIELD_TEXT(BluetoothInfo, pairName, 31),
        PETREL_FIELD_TEXT(BluetoothInfo, pairMac, 12),
        PETREL_FIELD_NUMBER(BluetoothInfo, heartRateLow, 0, 255),
        PETREL_FIELD_NUMBER(BluetoothInfo, heartRateHigh, 0, 255)};
    return record;
}

const RecordFields& Mobile4GFields() {
    static const RecordFields record = {
        PETREL_FIELD_CODE(Mobile4GInfo, activate4G, PETREL_CODES_ACTIVATE),
        PETREL_FIELD_TEXT(Mobile4GInfo, simPin, 15), PETREL_FIELD_TEXT(Mobile4GInfo, apn, 31),
        PETREL_FIELD_TEXT(Mobile4GInfo, apnUserName, 15),
        PETREL_FIELD_TEXT(Mobile4GInfo, apnPassword, 15)};
    return record;
}

const RecordFields& EncryptionFields() {
    static const RecordFields record = {
        PETREL_FIELD_CODE(Encryption, dataEncryption, PETREL_CODES_DATA_ENCRYPTION),
        PETREL_FIELD_CODE(Encryption, decryptionPlayback, PETREL_CODES_OFF_ON),
        Exactly(PETREL_FIELD_TEXT(Encryption, aesKey, PETREL_AES_KEY_SIZE))};
    return record;
}

}  // namespace fields
