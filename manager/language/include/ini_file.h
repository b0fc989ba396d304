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
    ReadOnly,            // the file was loaded to be read only
};

enum class LoadMode {
    SaveMissingTexts,  // a lookup that misses adds its default to the file
    ReadOnly,          // an installed translation: it is read, never written
};

// Why the loaded file is never written over: what it holds was not all read.
struct ReadProblem {
    enum class Kind { None, Unreadable, TooLarge, NotText };
    Kind kind = Kind::None;
    std::size_t line = 0;  // for NotText, 1-based
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
    // such case the sections stay as they were. Only regular files are opened, and
    // never in a way that could wait (a pipe is refused). A file that is not read
    // whole (larger than kMaxTextBytes, not UTF-8 text, not readable) is never
    // overwritten by Save: its lines that could be read are used.
    bool Load(const std::filesystem::path& name, LoadMode mode = LoadMode::SaveMissingTexts);

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

    ReadProblem GetReadProblem() const noexcept { return m_readProblem; }
    // One line for the user naming the file and what was wrong with it; empty
    // when it was read whole.
    std::string DescribeReadProblem() const;

private:
    using CListEx<CIniSection>::Append;
    using CListEx<CIniSection>::Splice;
    using CListEx<CIniSection>::Clear;

    CIniSection* AppendSection(std::unique_ptr<CIniSection> section);
    void Adopt(CIniFile& fresh);

    std::filesystem::path m_path;
    ReadProblem m_readProblem;
    bool m_readOnly = false;
    vireo::detail::NameIndex<CIniSection> m_index;
};
