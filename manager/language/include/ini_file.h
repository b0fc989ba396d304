#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "ini_section.h"
#include "list_ex.h"

enum class SaveResult {
    Saved,
    NoPath,              // no file was named: nothing to write, by design
    TooLarge,            // the text would exceed the size limit; the file is untouched
    SourceNotFullyRead,  // the file could not be read whole; overwriting it would lose data
    WriteFailed,         // the folder or disk refused the write; the old file is intact
};

// "SAVE_TOO_LARGE" and so on, for callers' messages.
const char* SaveResultName(SaveResult result) noexcept;

// An INI document: sections and keys in file order, with indexes for lookups.
// Texts are held as UTF-16; the file is UTF-8.
class CIniFile : public CListEx<CIniSection> {
public:
    static constexpr std::size_t kMaxTextBytes = 1048576;

    CIniFile() = default;
    ~CIniFile() override = default;

    // Makes `name` absolute, remembers it as the path to save to, and appends what the
    // file holds. False when the name is empty (nothing is read and the path stays),
    // when the file is missing, unreadable or empty, or when memory runs out; in every
    // such case the sections stay as they were. Only the first kMaxTextBytes of a
    // larger file are read, and such a file is then never overwritten by Save.
    bool Load(const std::filesystem::path& name);

    // Writes the whole document to the path through a temporary file in the same
    // folder, so the old file is either replaced whole or left as it was.
    [[nodiscard]] SaveResult Save() const;

    // The first section of that name in document order, or nullptr.
    CIniSection* FindSection(std::u16string_view name) const;

    // The stored value of section/key. When the section or key is missing, or the key
    // is a bare comment, the key is set to `defaultText` and the document is saved.
    // The view stays valid until the document next changes.
    std::u16string_view GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view defaultText);

    // Appends the sections and keys of a file's text (a leading UTF-8 byte-order mark
    // is skipped). Either all of the text is applied or, when memory runs out, none.
    void Parse(std::string_view text);

    // Applies one trimmed line of 8-bit text; false when the line was ignored.
    bool ParseLine(std::string_view line, CIniSection*& current);

    // The text Save writes, in document order.
    std::string BuildText() const;

    const std::filesystem::path& GetPath() const noexcept { return m_path; }

private:
    using CListEx<CIniSection>::Append;
    using CListEx<CIniSection>::Splice;
    using CListEx<CIniSection>::Clear;

    CIniSection* AppendSection(std::unique_ptr<CIniSection> section);
    void Adopt(CIniFile& fresh);

    std::filesystem::path m_path;
    bool m_sourceNotFullyRead = false;
    vireo::detail::NameIndex<CIniSection> m_index;
};
