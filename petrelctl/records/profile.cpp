#include "records/profile.h"

#include <algorithm>
#include <limits>

#include "camera/clock_offset.h"
#include "io/input_file.h"
#include "io/json_document.h"
#include "records/records.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

// A profile is a few kilobytes; anything this large is not one.
constexpr std::size_t kProfileLimit = 1024 * 1024;

// The text EncodeField reads for a JSON value of the field's kind; a whole number is
// written out as such and EncodeField checks its range.
std::optional<std::string> ValueText(const FieldSpec& field, const Json& value,
                                     std::string& problem) {
    if (field.kind == FieldKind::kText) {
        if (value.is_string()) return value.get<std::string>();
        problem = "must be a string";
    } else if (value.is_number_integer()) {
        return value.dump();
    } else if (field.kind == FieldKind::kCode && value.is_string()) {
        return value.get<std::string>();
    } else {
        problem = field.kind == FieldKind::kCode ? "must be a code or its text"
                                                 : "must be a whole number";
    }
    return std::nullopt;
}

void ReadGroup(const NamedGroup& named, const Json& members, bool severalCameras, Profile& profile,
               std::vector<std::string>& problems) {
    const std::string group = named.name;
    if (!members.is_object()) {
        problems.push_back(group + ": must be an object of fields");
        return;
    }
    std::vector<FieldChange> changes;
    for (const auto& [name, value] : members.items()) {
        const std::string where = group + "." + fields::Printable(name);
        const RecordPart* foundPart = nullptr;
        const FieldSpec* foundField = nullptr;
        for (const auto& part : named.group.parts) {
            for (const auto& field : part.fields) {
                if (part.prefix + field.name == name) {
                    foundPart = &part;
                    foundField = &field;
                }
            }
        }
        if (foundField == nullptr) {
            problems.push_back(where + ": unknown field");
            continue;
        }
        if (severalCameras && NamesOneCamera(group, name)) {
            problems.push_back(where + ": names one camera; give it to one camera at a time");
            continue;
        }
        std::string problem = "cannot be changed";
        auto text = ValueText(*foundField, value, problem);
        auto bytes =
            text && foundPart->set ? EncodeField(*foundField, *text, problem) : std::nullopt;
        if (!bytes) {
            problems.push_back(where + ": " + problem);
            continue;
        }
        changes.push_back({group, foundPart, foundField, std::move(*bytes)});
    }
    // Grouped by record, so that each record is read and written once.
    for (const auto& part : named.group.parts) {
        for (const auto& change : changes) {
            if (change.part == &part) profile.changes.push_back(change);
        }
    }
}

void ReadClock(const Json& value, Profile& profile, std::vector<std::string>& problems) {
    if (value == "sync") {
        profile.syncClock = true;
        return;
    }
    if (!value.is_object() || value.size() != 1 || !value.contains("offsetSeconds") ||
        !value["offsetSeconds"].is_number_integer()) {
        problems.push_back("clock: must be \"sync\" or {\"offsetSeconds\": SECONDS}");
        return;
    }
    const Json& seconds = value["offsetSeconds"];
    const bool beyondSigned = seconds.is_number_unsigned() &&
                              seconds.get<std::uint64_t>() > std::numeric_limits<long long>::max();
    const auto offset = seconds.get<long long>();
    if (beyondSigned || !ClockOffsetFits(offset)) {
        problems.push_back("clock.offsetSeconds: " + seconds.dump() + " puts the camera's clock " +
                           "outside the years " + std::to_string(kFirstCameraYear) + " to " +
                           std::to_string(kLastCameraYear));
        return;
    }
    profile.clockOffset = offset;
}

void ReadDocument(const Json& document, bool severalCameras, Profile& profile,
                  std::vector<std::string>& problems) {
    for (const auto& [name, value] : document.items()) {
        const auto& groups = AllRecordGroups();
        const auto group = std::find_if(groups.begin(), groups.end(),
                                        [&](const NamedGroup& g) { return name == g.name; });
        if (group != groups.end()) {
            ReadGroup(*group, value, severalCameras, profile, problems);
        } else if (name == "formatVersion") {
            if (value != kProfileVersion || !value.is_number_integer())
                problems.push_back("formatVersion: must be " + std::to_string(kProfileVersion));
        } else if (name == "clock") {
            ReadClock(value, profile, problems);
        } else if (name == "storageLocked") {
            if (value.is_boolean())
                profile.storageLocked = value.get<bool>();
            else
                problems.push_back("storageLocked: must be true or false");
        } else if (name == "camera" || name == "timestamp" || name == "secretsIncluded") {
            continue;  // what a backup says about itself; nothing to write
        } else {
            problems.push_back(fields::Printable(name) + ": unknown field");
        }
    }
    if (!document.contains("formatVersion")) problems.push_back("formatVersion: missing");
}

}  // namespace

std::optional<Profile> LoadProfile(const std::string& path, bool severalCameras,
                                   std::vector<std::string>& problems) {
    std::string problem;
    const auto text = ReadInput(path, kProfileLimit, problem);
    if (!text) {
        problems.push_back(problem);
        return std::nullopt;
    }
    const auto document = ParseDocument(*text, problem);
    if (!document || !document->is_object()) {
        problems.push_back(path + ": " + (document ? "not a JSON object" : problem));
        return std::nullopt;
    }
    Profile profile;
    ReadDocument(*document, severalCameras, profile, problems);
    if (!problems.empty()) return std::nullopt;
    return profile;
}

std::shared_ptr<const Profile> LoadCheckedProfile(const std::string& path, bool severalCameras,
                                                  bool syncClock, std::string& refusal) {
    std::vector<std::string> problems;
    auto profile = LoadProfile(path, severalCameras, problems);
    if (!profile) {
        refusal = "profile refused, nothing was sent:";
        for (const auto& problem : problems) refusal += "\n  " + problem;
        return nullptr;
    }
    profile->syncClock = profile->syncClock || syncClock;
    return std::make_shared<const Profile>(std::move(*profile));
}

}  // namespace petrelctl
