// The record groups petrelctl shows and changes, one command pair each.
#pragma once

#include "records/record.h"

namespace petrelctl {

const RecordGroup& SettingsRecords();
const RecordGroup& IdentityRecords();
const RecordGroup& NetworkRecords();
const RecordGroup& WifiRecords();
const RecordGroup& BluetoothRecords();
const RecordGroup& Mobile4GRecords();
const RecordGroup& EncryptionRecords();

struct NamedGroup {
    const char* name;  // the command's name, and the group's name in a profile
    const RecordGroup& group;
};

// Every group, in the order a backup keeps them.
const std::vector<NamedGroup>& AllRecordGroups();

// The names NAME=VALUE takes for the group `groupName` ("wifi": "ap.ssid", ...); none
// for a name that is no group.
std::vector<std::string> SettableFieldNames(const std::string& groupName);

// Passwords, keys and the WiFi pairing code (a peer's password): shown only with
// --show-secrets, backed up only with --include-secrets.
bool IsSecret(const std::string& fieldName);

// Fields that tell one camera from another, never to be given to several at once.
bool NamesOneCamera(const std::string& group, const std::string& fieldName);

}  // namespace petrelctl
