// The camera's texts are UTF-8; what it reports may not be.
#pragma once

#include <cstddef>
#include <string>

namespace petrelctl {

// Length of the UTF-8 sequence starting at text[at] (lead and continuation bytes), or 0.
std::size_t Utf8Length(const std::string& text, std::size_t at);

bool ValidUtf8(const std::string& text);

}  // namespace petrelctl
