#include "records/record.h"

#include <arpa/inet.h>

#include <cctype>
#include <string_view>
#include <utility>

#include "utf8_text.h"

namespace petrelctl {
namespace {

using fields::FindCode;

std::string Quoted(const CodeOption& option) {
    return std::to_string(option.code) + " \"" + option.text + "\"";
}

// The members of a code's JSON object, without the braces.
std::string CodeMembers(int code, const char* text) {
    return "\"code\": " + std::to_string(code) + ", \"text\": " + (text ? JsonQuote(text) : "null");
}

void ShowCode(Output& output, const std::string& name, const FieldSpec& field, int code) {
    std::string allowedJson, allowedText;
    for (const auto& option : field.codes) {
        if (!option.offered) continue;
        allowedJson +=
            (allowedJson.empty() ? "{" : ", {") + CodeMembers(option.code, option.text) + "}";
        allowedText += (allowedText.empty() ? "" : ", ") + Quoted(option);
    }
    const CodeOption* current = FindCode(field, code);
    const std::string json = "{" + CodeMembers(code, current ? current->text : nullptr) +
                             ", \"allowed\": [" + allowedJson + "]}";
    const std::string text =
        current ? Quoted(*current) : std::to_string(code) + " (not a listed code)";
    output.Value(name, json, text + " (allowed: " + allowedText + ")");
}

void ShowChannels(Output& output, const std::string& name, const FieldSpec& field,
                  const unsigned char* list) {
    std::string json, text;
    const int count = PetrelChannelCount(list, static_cast<int>(field.size));
    for (int i = 0; i < count; ++i) {
        const std::string separator = i == 0 ? "" : ", ";
        json += separator + std::to_string(list[i]);
        text += separator + (list[i] == PETREL_CHANNEL_AUTO ? "Auto" : std::to_string(list[i]));
    }
    output.Value(name, "[" + json + "]", text);
}

bool WellFormedAddress(const std::string& value) {
    in_addr address{};
    return value.empty() || inet_pton(AF_INET, value.c_str(), &address) == 1;
}

std::optional<int> ParseNumber(const std::string& value) {
    if (value.empty() || value.size() > 9 ||
        value.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoi(value);
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<int> ParseCode(const FieldSpec& field, const std::string& value,
                             std::string& problem) {
    for (const auto& option : field.codes) {
        if (option.offered && SameText(option.text, value)) return option.code;
    }
    if (const auto number = ParseNumber(value)) {
        if (const CodeOption* option = FindCode(field, *number); option && option->offered)
            return *number;
    }
    problem = "not one of its codes:";
    for (const auto& option : field.codes) {
        if (option.offered) problem += " " + Quoted(option);
    }
    return std::nullopt;
}

std::optional<std::string> EncodeText(const FieldSpec& field, const std::string& value,
                                      std::string& problem) {
    const int length = static_cast<int>(value.size());
    if (length < field.minimum || length > field.maximum) {
        problem = field.minimum == field.maximum
                      ? "must be exactly " + std::to_string(field.maximum) + " characters"
                      : "must be at most " + std::to_string(field.maximum) + " characters";
        return std::nullopt;
    }
    if (!fields::ValidUtf8(value)) {
        problem = "is not UTF-8 text";
        return std::nullopt;
    }
    if (fields::HoldsControlCharacter(value)) {
        problem = "may not hold control characters (newline, ESC and the like)";
        return std::nullopt;
    }
    if (field.characters == fields::kAddressCharacters && !WellFormedAddress(value)) {
        problem = "is not an address such as 192.168.1.10";
        return std::nullopt;
    }
    if (value.find('\0') != std::string::npos ||
        (field.characters && value.find_first_not_of(field.characters) != std::string::npos)) {
        problem = field.characters ? std::string("may hold only the characters ") + field.characters
                                   : "may not hold a zero byte";
        return std::nullopt;
    }
    std::string bytes = value;
    bytes.resize(field.size, '\0');
    return bytes;
}

}  // namespace

void ShowField(Output& output, const std::string& name, const FieldSpec& field,
               const unsigned char* record) {
    const unsigned char* bytes = record + field.offset;
    switch (field.kind) {
        case FieldKind::kCode:
            ShowCode(output, name, field, bytes[0]);
            break;
        case FieldKind::kNumber:
            output.Field(name, bytes[0]);
            break;
        case FieldKind::kChannels:
            ShowChannels(output, name, field, bytes);
            break;
        case FieldKind::kText:
            output.Field(name, TextOf(field, record));
            break;
    }
}

std::string FieldJson(const FieldSpec& field, const unsigned char* record) {
    if (field.kind == FieldKind::kText) return JsonQuote(TextOf(field, record));
    return std::to_string(record[field.offset]);
}

std::optional<std::string> EncodeField(const FieldSpec& field, const std::string& value,
                                       std::string& problem) {
    if (!field.writable) {
        problem = "cannot be changed";
        return std::nullopt;
    }
    if (field.kind == FieldKind::kText) return EncodeText(field, value, problem);
    if (field.kind == FieldKind::kCode) {
        const auto code = ParseCode(field, value, problem);
        if (!code) return std::nullopt;
        return std::string(1, static_cast<char>(*code));
    }
    const auto number = ParseNumber(value);
    if (!number || *number < field.minimum || *number > field.maximum) {
        problem = "must be a number from " + std::to_string(field.minimum) + " to " +
                  std::to_string(field.maximum);
        return std::nullopt;
    }
    return std::string(1, static_cast<char>(*number));
}

}  // namespace petrelctl
