// Every record the camera reads and writes, as field tables. The settings block's
// code lists are the public header's; the texts' limits are what the camera takes.
#pragma once

#include <petrel.h>

#include "field_spec.h"

namespace fields {

// Buffers of the exports that pass texts: each keeps one zero byte past its field,
// so a full field still reads and writes as a terminated text.
struct ModelText {
    char modelId[33];
};
struct VersionText {
    char version[49];
};
struct BarCodeText {
    char barCode[33];
};
struct MacAddressText {
    char macAddress[PETREL_MAC_ADDRESS_SIZE + 1];
};
struct CarrierTexts {
    char userId[PETREL_USER_ID_SIZE + 1];
    char userName[PETREL_USER_NAME_SIZE + 1];
    char deviceId[PETREL_DEVICE_ID_SIZE + 1];
};
struct UnitTexts {
    char unitNumber[PETREL_UNIT_TEXT_SIZE + 1];
    char unitName[PETREL_UNIT_TEXT_SIZE + 1];
};
struct WatermarkText {
    char watermark[PETREL_WATERMARK_SIZE + 1];
};
struct PairingCode {
    char p2pCode[PETREL_P2P_CODE_SIZE];
};
struct Encryption {
    uint8_t dataEncryption;
    uint8_t decryptionPlayback;
    char aesKey[PETREL_AES_KEY_SIZE + 1];
};

const RecordFields& ModelFields();
const RecordFields& VersionFields();
const RecordFields& BarCodeFields();
const RecordFields& MacAddressFields();
const RecordFields& CarrierFields();
const RecordFields& UnitFields();
const RecordFields& WatermarkFields();

const RecordFields& SettingsFields();  // SysParam, one field per byte in order
const RecordFields& NetworkFields();
const RecordFields& WifiUniversalFields();
const RecordFields& WifiApFields();
const RecordFields& WifiStaFields();
const RecordFields& PairingCodeFields();
const RecordFields& WifiChannelFields();
const RecordFields& BluetoothFields();
const RecordFields& Mobile4GFields();
const RecordFields& EncryptionFields();

}  // namespace fields
