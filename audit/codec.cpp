#include "codec.h"

namespace petrel::audit::codec {

nlohmann::json ChangesToJson(const std::vector<Change>& changes) {
    nlohmann::json list = nlohmann::json::array();
    for (const Change& change : changes) {
        if (change.secret || IsSecretField(change.field)) {
            list.push_back({{"field", change.field}, {"changed", true}});
        } else {
            list.push_back(
                {{"field", change.field}, {"old", change.oldValue}, {"new", change.newValue}});
        }
    }
    return list;
}

bool ChangesFromJson(const nlohmann::json& json, std::vector<Change>& changes) {
    if (!json.is_array()) return false;
    for (const auto& item : json) {
        if (!item.is_object() || !item.contains("field") || !item["field"].is_string())
            return false;
        const std::string field = item["field"];
        if (item.value("changed", false)) {
            changes.push_back(Change::Secret(field));
        } else if (item.contains("old") && item["old"].is_string() && item.contains("new") &&
                   item["new"].is_string()) {
            changes.push_back(Change::Value(field, item["old"], item["new"]));
        } else {
            return false;
        }
    }
    return true;
}

std::optional<Event> EventNamed(std::string_view name) {
    for (Event event :
         {Event::kChange, Event::kSecretChange, Event::kAction, Event::kLoginRefused}) {
        if (name == EventName(event)) return event;
    }
    return std::nullopt;
}

std::string Dump(const nlohmann::json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

bool Matches(const Query& query, const Record& record) {
    return (query.cameraSerial.empty() || query.cameraSerial == record.cameraSerial) &&
           (!query.since || record.time >= *query.since) &&
           (!query.until || record.time <= *query.until);
}

}  // namespace petrel::audit::codec
