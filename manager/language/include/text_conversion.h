#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the language file's 8-bit text and the document's wide text.
// The file's 8-bit character set is UTF-8, so the same pair converts between the
// file's text, wide text and the UTF-8 the user interface works with.
// Wide text is UTF-16 (char16_t), the unit the document compares names in.
namespace vireo::text {

enum class OnInvalid {
    Reject,   // the conversion fails: the text is taken as absent
    Replace,  // each bad sequence becomes U+FFFD
};

// Fails (Reject) on malformed, overlong or surrogate sequences, code points above
// U+10FFFF and NUL, none of which a language text can hold.
std::optional<std::u16string> Utf8ToWide(std::string_view utf8,
                                         OnInvalid onInvalid = OnInvalid::Reject);

// The 1-based number of the first line that is not text a language file can hold
// (malformed UTF-8, NUL or another control character but tab and CR), or nullopt.
std::optional<std::size_t> FirstLineNotText(std::string_view bytes);

// Fails (Reject) on unpaired surrogates and NUL.
std::optional<std::string> WideToUtf8(std::u16string_view wide,
                                      OnInvalid onInvalid = OnInvalid::Reject);

}  // namespace vireo::text
