// What the journal and the JSON Lines file share: the changes as JSON, events by name,
// time stamps as text and the query's filter.
#pragma once

#include <nlohmann/json.hpp>

#include "audit/audit.h"

namespace petrel::audit::codec {

// A secret (by flag or by name) becomes {"field": ..., "changed": true}, with no value.
nlohmann::json ChangesToJson(const std::vector<Change>& changes);
// False when the JSON is not a list of changes.
bool ChangesFromJson(const nlohmann::json& json, std::vector<Change>& changes);

std::optional<Event> EventNamed(std::string_view name);

// One line: invalid UTF-8 in camera texts is replaced, never a reason to lose the record.
std::string Dump(const nlohmann::json& json);

bool Matches(const Query& query, const Record& record);

}  // namespace petrel::audit::codec
