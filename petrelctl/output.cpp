#include "output.h"

#include <cstdio>
#include <iostream>

#include "petrel.h"

namespace petrelctl {

std::string JsonQuote(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += static_cast<char>(c);
                }
        }
    }
    return quoted + "\"";
}

void Output::Field(const std::string& name, const std::string& text) {
    entries_.push_back({depth_, name, JsonQuote(text), text, Entry::kField});
}

void Output::Field(const std::string& name, long long number) {
    entries_.push_back(
        {depth_, name, std::to_string(number), std::to_string(number), Entry::kField});
}

void Output::Value(const std::string& name, const std::string& json, const std::string& text) {
    entries_.push_back({depth_, name, json, text, Entry::kField});
}

void Output::BeginGroup(const std::string& name) {
    entries_.push_back({depth_, name, {}, {}, Entry::kBegin});
    ++depth_;
}

void Output::EndGroup() {
    --depth_;
    entries_.push_back({depth_, {}, {}, {}, Entry::kEnd});
}

int Output::Fail(const std::string& step, int status) {
    return FailWith(step, PetrelStatusName(status));
}

int Output::FailWith(const std::string& step, const std::string& message) {
    exitStatus_ = 1;
    error_ = step + " failed: " + message;
    return 1;
}

int Output::Refuse(const std::string& message) {
    exitStatus_ = 2;
    error_ = message;
    return 2;
}

int Output::Finish() {
    if (json_) {
        std::string text = "{\"ok\": " + std::string(exitStatus_ != 0 ? "false" : "true");
        if (exitStatus_ != 0) text += ", \"error\": " + JsonQuote(error_);
        bool first = false;
        for (const auto& entry : entries_) {
            if (entry.kind == Entry::kEnd) {
                text += "}";
                first = false;
                continue;
            }
            text += first ? "" : ", ";
            text += JsonQuote(entry.name) + ": ";
            if (entry.kind == Entry::kBegin) {
                text += "{";
                first = true;
            } else {
                text += entry.value;
                first = false;
            }
        }
        std::cout << text << "}\n";
    } else {
        for (const auto& entry : entries_) {
            const std::string indent(2 * static_cast<size_t>(entry.depth), ' ');
            if (entry.kind == Entry::kBegin) std::cout << indent << entry.name << ":\n";
            if (entry.kind == Entry::kField)
                std::cout << indent << entry.name << ": " << entry.text << "\n";
        }
        if (exitStatus_ != 0) std::cerr << "petrelctl: " << error_ << "\n";
    }
    return exitStatus_;
}

}  // namespace petrelctl
