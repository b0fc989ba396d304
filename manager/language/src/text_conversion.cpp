#include "text_conversion.h"

#include <cstdint>

namespace vireo::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one code point starting at `pos`; returns 0 on a bad sequence and sets
// `length` to the number of bytes to skip either way.
char32_t DecodeOne(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    length = 1;
    if (lead < 0x80) return lead;
    std::size_t expected = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        expected = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        expected = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        expected = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < expected; ++i) {
        if (pos + i >= text.size() || !IsContinuation(static_cast<unsigned char>(text[pos + i])))
            return 0;
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
        length = i + 1;
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::optional<std::u16string> Utf8ToWide(std::string_view utf8, OnInvalid onInvalid) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t length = 0;
        char32_t cp = DecodeOne(utf8, pos, length);
        if (cp == 0) {
            if (onInvalid == OnInvalid::Reject) return std::nullopt;
            cp = kReplacement;
        }
        AppendUtf16(out, cp);
        pos += length;
    }
    return out;
}

std::optional<std::size_t> FirstLineNotText(std::string_view bytes) {
    std::size_t line = 1;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t length = 0;
        const char32_t cp = DecodeOne(bytes, pos, length);
        if (cp == '\n')
            ++line;
        else if (cp == 0 || (cp < 0x20 && cp != '\t' && cp != '\r') || cp == 0x7F)
            return line;
        pos += length;
    }
    return std::nullopt;
}

std::optional<std::string> WideToUtf8(std::u16string_view wide, OnInvalid onInvalid) {
    std::string out;
    out.reserve(wide.size() * 3);
    for (std::size_t pos = 0; pos < wide.size(); ++pos) {
        char32_t cp = wide[pos];
        if (IsHighSurrogate(wide[pos]) && pos + 1 < wide.size() && IsLowSurrogate(wide[pos + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[pos + 1] - 0xDC00);
            ++pos;
        } else if (cp == 0 || IsHighSurrogate(wide[pos]) || IsLowSurrogate(wide[pos])) {
            if (onInvalid == OnInvalid::Reject) return std::nullopt;
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace vireo::text
