#include "io/output.h"

#include <cctype>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "petrel.h"
#include "utf8_text.h"

namespace petrelctl {

namespace {

std::string Escaped(unsigned char c) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
    return escaped;
}

}  // namespace

// Camera texts are bytes of any code page: a byte that is not part of valid UTF-8
// is written as the Latin-1 character of that value, so the JSON always parses.
std::string JsonQuote(const std::string& text) {
    std::string quoted = "\"";
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            quoted += Escaped(c);
        } else if (c < 0x80) {
            quoted += static_cast<char>(c);
        } else if (const std::size_t length = fields::Utf8Length(text, at); length > 0) {
            quoted += text.substr(at, length);
            at += length - 1;
        } else {
            quoted += Escaped(c);
        }
    }
    return quoted + "\"";
}

std::string JsonKey(const std::string& name) {
    std::string key;
    bool capital = false;
    for (const char c : name) {
        if (c == ' ') {
            capital = !key.empty();
            continue;
        }
        key += capital ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        capital = false;
    }
    return key;
}

void Output::Field(const std::string& name, const std::string& text) {
    entries_.push_back({name, JsonQuote(text), text});
}

void Output::Field(const std::string& name, long long number) {
    entries_.push_back({name, std::to_string(number), std::to_string(number)});
}

void Output::Value(const std::string& name, const std::string& json, const std::string& text) {
    entries_.push_back({name, json, text});
}

int Output::Fail(const std::string& step, int status) {
    return FailWith(step, PetrelStatusName(status), PetrelStatusName(status));
}

int Output::FailWith(const std::string& step, const std::string& message, const std::string& code) {
    exitStatus_ = 1;
    error_ = step + " failed: " + message;
    errorCode_ = code;
    return 1;
}

int Output::Refuse(const std::string& message, const std::string& code) {
    exitStatus_ = 2;
    error_ = message;
    errorCode_ = code;
    return 2;
}

int Output::Finish() {
    if (streamed_ && exitStatus_ == 0) return 0;
    if (json_) {
        std::string text = "{\"ok\": " + std::string(exitStatus_ != 0 ? "false" : "true");
        if (exitStatus_ != 0) {
            text += ", \"error\": {\"code\": " + JsonQuote(errorCode_) +
                    ", \"message\": " + JsonQuote(error_) + "}";
        }
        for (const auto& entry : entries_)
            text += ", " + JsonQuote(JsonKey(entry.name)) + ": " + entry.value;
        std::cout << text << "}\n";
        return exitStatus_;
    }
    for (const auto& entry : entries_)
        std::cout << fields::Printable(entry.name) << ": " << fields::Printable(entry.text) << "\n";
    // A message may have lines of its own; what it quotes is escaped line by line.
    std::istringstream lines(error_);
    std::string line, prefix = "petrelctl: ";
    for (; exitStatus_ != 0 && std::getline(lines, line); prefix.clear())
        std::cerr << prefix << fields::Printable(line) << "\n";
    return exitStatus_;
}

}  // namespace petrelctl
