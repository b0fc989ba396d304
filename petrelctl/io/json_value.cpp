#include "io/json_value.h"

#include <cctype>
#include <cstdlib>

namespace petrelctl {
namespace {

JsonValue Make(JsonValue::Type type) {
    JsonValue value;
    value.type = type;
    return value;
}

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    std::optional<JsonValue> Document(std::string& problem) {
        auto value = Value();
        Space();
        if (value && at_ != text_.size()) problem_ = "text after the document";
        if (!problem_.empty()) {
            problem = problem_ + " at byte " + std::to_string(at_ + 1);
            return std::nullopt;
        }
        return value;
    }

private:
    std::nullopt_t Bad(const char* problem) {
        if (problem_.empty()) problem_ = problem;
        return std::nullopt;
    }
    void Space() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool Take(char c) {
        Space();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool Word(const std::string& word) {
        if (text_.compare(at_, word.size(), word) != 0) return false;
        at_ += word.size();
        return true;
    }
    std::optional<unsigned> Hex4() {
        if (at_ + 4 > text_.size()) return std::nullopt;
        const std::string digits = text_.substr(at_, 4);
        if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return std::nullopt;
        at_ += 4;
        return static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 16));
    }
    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    // A \u escape, with the second half of a surrogate pair when one follows.
    bool Unicode(std::string& out) {
        auto code = Hex4();
        if (!code) return false;
        if (*code >= 0xD800 && *code < 0xDC00 && Word("\\u")) {
            const auto low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
            code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(out, *code);
        return true;
    }
    std::optional<std::string> String() {
        if (!Take('"')) return Bad("expected a string");
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_++];
            if (static_cast<unsigned char>(c) < 0x20) return Bad("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char escape = at_ < text_.size() ? text_[at_++] : '\0';
            static const std::string kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
            if (const auto simple = kFrom.find(escape); escape != '\0' && simple != kFrom.npos) {
                out += kTo[simple];
            } else if (escape != 'u' || !Unicode(out)) {
                return Bad("bad escape in a string");
            }
        }
        if (at_ >= text_.size()) return Bad("unterminated string");
        ++at_;
        return out;
    }
    std::optional<JsonValue> Number() {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               std::string("+-.0123456789eE").find(text_[at_]) != std::string::npos)
            ++at_;
        const std::string digits = text_.substr(start, at_ - start);
        char* end = nullptr;
        JsonValue value = Make(JsonValue::Type::kNumber);
        value.number = std::strtod(digits.c_str(), &end);
        if (digits.empty() || end != digits.c_str() + digits.size()) return Bad("expected a value");
        return value;
    }
    std::optional<JsonValue> Value() {
        if (++depth_ > 64) return Bad("nested too deeply");
        Space();
        std::optional<JsonValue> value;
        if (at_ >= text_.size()) {
            value = Bad("expected a value");
        } else if (text_[at_] == '"') {
            if (auto text = String()) {
                value = Make(JsonValue::Type::kString);
                value->text = std::move(*text);
            }
        } else if (text_[at_] == '{') {
            value = Object();
        } else if (text_[at_] == '[') {
            value = Array();
        } else if (const bool truth = Word("true"); truth || Word("false")) {
            value = Make(JsonValue::Type::kBool);
            value->boolean = truth;
        } else if (Word("null")) {
            value = JsonValue{};
        } else {
            value = Number();
        }
        --depth_;
        return value;
    }
    std::optional<JsonValue> Object() {
        Take('{');
        JsonValue object = Make(JsonValue::Type::kObject);
        if (Take('}')) return object;
        do {
            Space();
            auto key = String();
            if (!key) return std::nullopt;
            if (!Take(':')) return Bad("expected ':'");
            for (const auto& member : object.members) {
                if (member.first == *key) return Bad("a name given twice");
            }
            auto value = Value();
            if (!value) return std::nullopt;
            object.members.emplace_back(std::move(*key), std::move(*value));
        } while (Take(','));
        if (!Take('}')) return Bad("expected ',' or '}'");
        return object;
    }
    std::optional<JsonValue> Array() {
        Take('[');
        JsonValue array = Make(JsonValue::Type::kArray);
        if (Take(']')) return array;
        do {
            auto value = Value();
            if (!value) return std::nullopt;
            array.items.push_back(std::move(*value));
        } while (Take(','));
        if (!Take(']')) return Bad("expected ',' or ']'");
        return array;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    std::string problem_;
};

}  // namespace

std::optional<JsonValue> ParseJson(const std::string& text, std::string& problem) {
    return Parser(text).Document(problem);
}

}  // namespace petrelctl
