// Recording encryption: mode, playback flag and the 32-character AES key.
#include "record_fields.h"
#include "records/records.h"

namespace petrelctl {
namespace {

using fields::Encryption;

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
        {{"encryption", "", sizeof(Encryption), Get, Set, fields::EncryptionFields()}},
    };
    return group;
}

}  // namespace petrelctl
