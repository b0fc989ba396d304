// The record groups petrelctl shows and changes, one command pair each.
#pragma once

#include "record.h"

namespace petrelctl {

const RecordGroup& SettingsRecords();
const RecordGroup& IdentityRecords();
const RecordGroup& NetworkRecords();
const RecordGroup& WifiRecords();
const RecordGroup& BluetoothRecords();
const RecordGroup& Mobile4GRecords();
const RecordGroup& EncryptionRecords();

}  // namespace petrelctl
