// Reading profiles and backups: strict JSON (RFC 8259 numbers and strings, valid
// UTF-8), no name given twice in an object, members in the document's order.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace petrelctl {

using Json = nlohmann::ordered_json;

// The one value `text` holds, or nothing with `problem` saying what is wrong and where.
std::optional<Json> ParseDocument(const std::string& text, std::string& problem);

}  // namespace petrelctl
