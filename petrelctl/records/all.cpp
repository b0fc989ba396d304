// The record groups together, and which of their fields need care.
#include <set>
#include <utility>

#include "records/records.h"

namespace petrelctl {

const std::vector<NamedGroup>& AllRecordGroups() {
    static const std::vector<NamedGroup> groups = {
        {"identity", IdentityRecords()},    {"settings", SettingsRecords()},
        {"network", NetworkRecords()},      {"wifi", WifiRecords()},
        {"bluetooth", BluetoothRecords()},  {"4g", Mobile4GRecords()},
        {"encryption", EncryptionRecords()}};
    return groups;
}

std::vector<std::string> SettableFieldNames(const std::string& groupName) {
    std::vector<std::string> names;
    for (const auto& named : AllRecordGroups()) {
        if (groupName != named.name) continue;
        for (const RecordPart& part : named.group.parts) {
            for (const FieldSpec& field : part.fields) {
                if (part.set != nullptr && field.writable)
                    names.push_back(part.prefix + std::string(field.name));
            }
        }
    }
    return names;
}

bool IsSecret(const std::string& fieldName) {
    static const std::set<std::string> secrets = {"ap.password", "sta.password", "serverPassword",
                                                  "simPin",      "apnPassword",  "aesKey",
                                                  "p2pCode"};
    return secrets.contains(fieldName);
}

bool NamesOneCamera(const std::string& group, const std::string& fieldName) {
    static const std::set<std::pair<std::string, std::string>> identities = {
        {"identity", "barCode"},  {"identity", "macAddress"}, {"identity", "userId"},
        {"identity", "userName"}, {"identity", "deviceId"},   {"wifi", "macAddress"},
        {"wifi", "cameraIp"},     {"bluetooth", "btAddress"}};
    return identities.contains({group, fieldName});
}

}  // namespace petrelctl
