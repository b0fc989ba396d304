// Just enough JSON to read profiles and backups: a value tree and a strict parser.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace petrelctl {

struct JsonValue {
    enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
    Type type = Type::kNull;
    bool boolean = false;
    double number = 0;
    std::string text;  // UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in the document's order
};

// The one value `text` holds, or nothing with `problem` saying where reading stopped.
std::optional<JsonValue> ParseJson(const std::string& text, std::string& problem);

}  // namespace petrelctl
