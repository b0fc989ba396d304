#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ini_key.h"
#include "list_ex.h"

namespace vireo::detail {

struct WideHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const noexcept {
        return std::hash<std::u16string_view>{}(text);
    }
};

// Maps a name to the first element of that name; the views point into the elements'
// own immutable names.
template <class T>
using NameIndex = std::unordered_map<std::u16string_view, T*, WideHash, std::equal_to<>>;

}  // namespace vireo::detail

// A section of the document: its keys in file order, plus an index by key name.
class CIniSection : public CListEx<CIniKey>, public _LIST_OBJECT {
public:
    using Text = CIniKey::Text;

    explicit CIniSection(Text name, Text comment = std::nullopt)
        : m_name(std::move(name)), m_comment(std::move(comment)) {}
    ~CIniSection() override = default;

    const Text& GetName() const noexcept { return m_name; }
    const Text& GetComment() const noexcept { return m_comment; }

    // The first key of that name, or nullptr. Comment lines have no name and never match.
    CIniKey* FindKey(std::u16string_view name) const {
        auto found = m_index.find(name);
        return found == m_index.end() ? nullptr : found->second;
    }

    // Links the key after the last one. On failure (out of memory) the key is
    // freed and the section is unchanged.
    CIniKey* AppendKey(std::unique_ptr<CIniKey> key) {
        if (key->GetName()) m_index.try_emplace(*key->GetName(), key.get());
        return Append(std::move(key));
    }

private:
    // Keys enter only through AppendKey, so the index stays complete.
    using CListEx<CIniKey>::Append;
    using CListEx<CIniKey>::Splice;
    using CListEx<CIniKey>::Clear;

    const Text m_name;
    Text m_comment;
    vireo::detail::NameIndex<CIniKey> m_index;
};
