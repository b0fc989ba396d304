#include "utf8_text.h"

#include <cstdio>

namespace fields {

// Unicode's table of well-formed sequences: the second byte's range depends on the
// lead, which rules out overlong forms, surrogates and code points above U+10FFFF.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

namespace {

// The character at text[at] and its length: a control character or a byte that is not
// UTF-8 is `control`.
struct Character {
    std::size_t length;
    bool control;
};

Character At(const std::string& text, std::size_t at) {
    const std::size_t length = Utf8Length(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 0) return {1, true};
    if (length == 1) return {1, lead < 0x20 || lead == 0x7F};
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return {length, lead == 0xC2 && second < 0xA0};
}

}  // namespace

bool HoldsControlCharacter(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const Character character = At(text, at);
        if (character.control) return true;
        at += character.length;
    }
    return false;
}

std::string Printable(const std::string& text) {
    std::string printable;
    for (std::size_t at = 0; at < text.size();) {
        const Character character = At(text, at);
        if (!character.control) {
            printable.append(text, at, character.length);
        } else if (const auto named = std::string("\n\t\r").find(text[at]);
                   named != std::string::npos) {
            printable += std::string("\\") + "ntr"[named];
        } else {
            for (std::size_t i = 0; i < character.length; ++i) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02x",
                              static_cast<unsigned char>(text[at + i]));
                printable += escaped;
            }
        }
        at += character.length;
    }
    return printable;
}

bool ValidUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

}  // namespace fields
