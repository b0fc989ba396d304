// A profile: the settings a camera should have, as a backup or part of one.
// profiles/profile.schema.json describes the document.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/record.h"

namespace petrelctl {

inline constexpr int kProfileVersion = 1;

struct FieldChange {
    std::string group;  // "wifi"
    const RecordPart* part;
    const FieldSpec* field;
    std::string bytes;  // what the field is to hold
};

struct Profile {
    std::vector<FieldChange> changes;      // grouped by record, in the groups' order
    std::optional<long long> clockOffset;  // seconds the camera's clock runs ahead of ours
    bool syncClock = false;
    std::optional<bool> storageLocked;
};

// Reads and checks the document at `path` against the field tables; nothing, with
// every problem found in `problems`, when anything is wrong. Fields that tell one
// camera from another are problems when `severalCameras`.
std::optional<Profile> LoadProfile(const std::string& path, bool severalCameras,
                                   std::vector<std::string>& problems);

// As LoadProfile, the clock set too when `syncClock`; a null, with every problem in
// `refusal`, when anything is wrong.
std::shared_ptr<const Profile> LoadCheckedProfile(const std::string& path, bool severalCameras,
                                                  bool syncClock, std::string& refusal);

}  // namespace petrelctl
