// Recording encryption: mode, playback flag and the 32-character AES key.
#include "records.h"

namespace petrelctl {
namespace {

struct Encryption {
    uint8_t dataEncryption;
    uint8_t decryptionPlayback;
    char aesKey[PETREL_AES_KEY_SIZE + 1];  // one zero byte past the key
};

int Get(DeviceConnection* camera, void* record) {
    auto* encryption = static_cast<Encryption*>(record);
    return GetEncryption(camera, &encryption->dataEncryption, &encryption->decryptionPlayback,
                         encryption->aesKey);
}

int Set(DeviceConnection* camera, const void* record) {
    const auto* encryption = static_cast<const Encryption*>(record);
    return SetEncryption(camera, encryption->dataEncryption, encryption->decryptionPlayback,
                         encryption->aesKey);
}

}  // namespace

const RecordGroup& EncryptionRecords() {
    static const RecordGroup group = {
        Access::kAdministrator,
        {{"encryption",
          "",
          sizeof(Encryption),
          Get,
          Set,
          {PETRELCTL_CODE(Encryption, dataEncryption, PETREL_CODES_DATA_ENCRYPTION),
           PETRELCTL_CODE(Encryption, decryptionPlayback, PETREL_CODES_OFF_ON),
           Exactly(PETRELCTL_TEXT(Encryption, aesKey, PETREL_AES_KEY_SIZE))}}},
    };
    return group;
}

}  // namespace petrelctl
