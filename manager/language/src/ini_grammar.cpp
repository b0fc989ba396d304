// The reader's line grammar and the writer's output format.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "ini_file.h"
#include "text_conversion.h"

namespace {

constexpr std::string_view kTrimmed = "\r\n\t ";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kCommentMarkers = ";#";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kTrimmed);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kTrimmed) - first + 1);
}

// A comment is a run of markers, blanks and tabs before its text; nullopt when the
// text (after leading blanks) does not start with a marker.
std::optional<std::string_view> ExtractComment(std::string_view text) {
    const auto start = text.find_first_not_of("\t ");
    if (start == std::string_view::npos ||
        kCommentMarkers.find(text[start]) == std::string_view::npos)
        return std::nullopt;
    const auto body = text.find_first_not_of(";# \t", start);
    return body == std::string_view::npos ? std::string_view{} : Trim(text.substr(body));
}

// A text the character set rejects is taken as absent.
CIniKey::Text Widen(std::string_view text) { return vireo::text::Utf8ToWide(text); }

CIniKey::Text WidenComment(std::optional<std::string_view> comment) {
    return comment ? Widen(*comment) : std::nullopt;
}

void AppendNarrow(std::string& out, std::u16string_view text) {
    out += *vireo::text::WideToUtf8(text, vireo::text::OnInvalid::Replace);
}

}  // namespace

void CIniFile::Parse(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    CIniFile fresh;
    CIniSection* current = nullptr;
    std::size_t pos = 0;
    while ((pos = text.find_first_not_of(kLineBreaks, pos)) != std::string_view::npos) {
        const auto end = std::min(text.find_first_of(kLineBreaks, pos), text.size());
        fresh.ParseLine(Trim(text.substr(pos, end - pos)), current);
        pos = end;
    }
    Adopt(fresh);
}

bool CIniFile::ParseLine(std::string_view line, CIniSection*& current) {
    if (line.empty()) return false;

    if (line.front() == '[') {
        const auto close = line.find(']', 1);
        if (close == std::string_view::npos) return false;
        auto name = Widen(Trim(line.substr(1, close - 1)));
        if (!name) {
            // A nameless section would be saved without a header, and its keys would
            // then move into the section before it: drop the section and its keys.
            current = nullptr;
            return false;
        }
        current = AppendSection(std::make_unique<CIniSection>(
            std::move(name), WidenComment(ExtractComment(line.substr(close + 1)))));
        return true;
    }

    if (kCommentMarkers.find(line.front()) != std::string_view::npos) {
        auto comment = WidenComment(ExtractComment(line));
        if (current != nullptr)
            current->AppendKey(
                std::make_unique<CIniKey>(std::nullopt, std::nullopt, std::move(comment)));
        else
            AppendSection(std::make_unique<CIniSection>(std::nullopt, std::move(comment)));
        return true;
    }

    const auto equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) return false;
    const auto rest = line.substr(equals + 1);
    const auto marker = rest.find_first_of(kCommentMarkers);
    const bool hasComment = marker != std::string_view::npos;
    auto name = Widen(Trim(line.substr(0, equals)));
    auto value = Widen(Trim(rest.substr(0, marker)));
    auto comment = hasComment ? WidenComment(ExtractComment(rest.substr(marker))) : std::nullopt;

    CIniKey* existing = name ? current->FindKey(*name) : nullptr;
    // A value that could not be read is no value: the lookup shows the built-in text.
    if (existing == nullptr && !value) return false;
    if (existing == nullptr) {
        current->AppendKey(
            std::make_unique<CIniKey>(std::move(name), std::move(*value), std::move(comment)));
        return true;
    }
    if (value) existing->SetValue(std::move(*value));
    if (hasComment) existing->SetComment(std::move(comment));
    return true;
}

std::string CIniFile::BuildText() const {
    std::string out;
    for (const CIniSection& section : *this) {
        if (section.GetName()) {
            out += '[';
            AppendNarrow(out, *section.GetName());
            out += ']';
        }
        if (section.GetComment()) {
            out += "; ";
            AppendNarrow(out, *section.GetComment());
        }
        out += '\n';
        for (const CIniKey& key : section) {
            if (key.GetName()) {
                AppendNarrow(out, *key.GetName());
                out += '=';
                AppendNarrow(out, key.GetValue().value_or(u""));
                if (key.GetComment()) out += " ";
            }
            if (key.GetComment()) {
                out += "; ";
                AppendNarrow(out, *key.GetComment());
            }
            out += '\n';
        }
        if (!section.IsEmpty()) out += '\n';
    }
    return out;
}
