// The camera's texts are UTF-8; what it reports may not be. Shared by petrelctl and Vireo.
#pragma once

#include <cstddef>
#include <string>

namespace fields {

// Length of the UTF-8 sequence starting at text[at] (lead and continuation bytes), or 0.
std::size_t Utf8Length(const std::string& text, std::size_t at);

bool ValidUtf8(const std::string& text);

// True when `text` holds a control character: C0, DEL or C1 (U+0080 to U+009F).
bool HoldsControlCharacter(const std::string& text);

// `text` safe to print on a terminal: control characters and bytes that are not UTF-8
// written as escapes (\n, \t, \r, \x1b), everything else as it is.
std::string Printable(const std::string& text);

}  // namespace fields
