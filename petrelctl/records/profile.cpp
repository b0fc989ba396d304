#include "records/profile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "io/json_value.h"
#include "records/records.h"

namespace petrelctl {
namespace {

using Type = JsonValue::Type;

// The text EncodeField reads for a JSON value of the field's kind.
std::optional<std::string> ValueText(const FieldSpec& field, const JsonValue& value,
                                     std::string& problem) {
    const bool integer = value.type == Type::kNumber && value.number == std::floor(value.number) &&
                         std::fabs(value.number) < 1e9;
    if (field.kind == FieldKind::kText) {
        if (value.type == Type::kString) return value.text;
        problem = "must be a string";
    } else if (integer) {
        return std::to_string(static_cast<long long>(value.number));
    } else if (field.kind == FieldKind::kCode && value.type == Type::kString) {
        return value.text;
    } else {
        problem = field.kind == FieldKind::kCode ? "must be a code or its text"
                                                 : "must be a whole number";
    }
    return std::nullopt;
}

void ReadGroup(const NamedGroup& named, const JsonValue& members, bool severalCameras,
               Profile& profile, std::vector<std::string>& problems) {
    const std::string group = named.name;
    if (members.type != Type::kObject) {
        problems.push_back(group + ": must be an object of fields");
        return;
    }
    std::vector<FieldChange> changes;
    for (const auto& [name, value] : members.members) {
        const std::string where = group + "." + name;
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

void ReadClock(const JsonValue& value, Profile& profile, std::vector<std::string>& problems) {
    if (value.type == Type::kString && value.text == "sync") {
        profile.syncClock = true;
        return;
    }
    if (value.type == Type::kObject && value.members.size() == 1 &&
        value.members[0].first == "offsetSeconds" &&
        value.members[0].second.type == Type::kNumber &&
        std::fabs(value.members[0].second.number) < 1e11) {
        profile.clockOffset = std::llround(value.members[0].second.number);
        return;
    }
    problems.push_back("clock: must be \"sync\" or {\"offsetSeconds\": SECONDS}");
}

void ReadDocument(const JsonValue& document, bool severalCameras, Profile& profile,
                  std::vector<std::string>& problems) {
    for (const auto& [name, value] : document.members) {
        const auto& groups = AllRecordGroups();
        const auto group = std::find_if(groups.begin(), groups.end(),
                                        [&](const NamedGroup& g) { return name == g.name; });
        if (group != groups.end()) {
            ReadGroup(*group, value, severalCameras, profile, problems);
        } else if (name == "formatVersion") {
            if (value.type != Type::kNumber || value.number != kProfileVersion)
                problems.push_back("formatVersion: must be " + std::to_string(kProfileVersion));
        } else if (name == "clock") {
            ReadClock(value, profile, problems);
        } else if (name == "storageLocked") {
            if (value.type == Type::kBool)
                profile.storageLocked = value.boolean;
            else
                problems.push_back("storageLocked: must be true or false");
        } else if (name == "camera" || name == "timestamp" || name == "secretsIncluded") {
            continue;  // what a backup says about itself; nothing to write
        } else {
            problems.push_back(name + ": unknown field");
        }
    }
    const bool given =
        std::any_of(document.members.begin(), document.members.end(),
                    [](const auto& member) { return member.first == "formatVersion"; });
    if (!given) problems.push_back("formatVersion: missing");
}

}  // namespace

std::optional<Profile> LoadProfile(const std::string& path, bool severalCameras,
                                   std::vector<std::string>& problems) {
    std::ifstream in(path);
    if (!in) {
        problems.push_back("cannot read " + path);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string problem;
    const auto document = ParseJson(text.str(), problem);
    if (!document || document->type != Type::kObject) {
        problems.push_back(path + ": " + (document ? "not a JSON object" : problem));
        return std::nullopt;
    }
    Profile profile;
    ReadDocument(*document, severalCameras, profile, problems);
    if (!problems.empty()) return std::nullopt;
    return profile;
}

}  // namespace petrelctl
