#include "ini_file.h"

#include <new>
#include <string>
#include <system_error>

#include "file_io.h"
#include "text_conversion.h"

namespace io = vireo::language_io;

const char* SaveResultName(SaveResult result) noexcept {
    switch (result) {
        case SaveResult::Saved:
            return "SAVE_SAVED";
        case SaveResult::NoPath:
            return "SAVE_NO_PATH";
        case SaveResult::TooLarge:
            return "SAVE_TOO_LARGE";
        case SaveResult::SourceNotFullyRead:
            return "SAVE_SOURCE_NOT_FULLY_READ";
        case SaveResult::WriteFailed:
            return "SAVE_WRITE_FAILED";
        case SaveResult::ReadOnly:
            return "SAVE_READ_ONLY";
    }
    return "SAVE_UNKNOWN";
}

namespace {

ReadProblem ProblemOf(const io::FilePrefix& file) {
    using Kind = ReadProblem::Kind;
    if (file.status == io::FilePrefix::Status::Unreadable) return {Kind::Unreadable};
    if (file.truncated) return {Kind::TooLarge};
    if (const auto line = vireo::text::FirstLineNotText(file.bytes)) return {Kind::NotText, *line};
    return {};
}

}  // namespace

bool CIniFile::Load(const std::filesystem::path& name, LoadMode mode) {
    if (name.empty()) return false;
    std::error_code error;
    auto full = std::filesystem::absolute(name, error);
    if (error) return false;

    try {
        io::FilePrefix file = io::ReadFilePrefix(full, kMaxTextBytes);
        if (file.status == io::FilePrefix::Status::Read && !file.bytes.empty()) Parse(file.bytes);
        // Only now, with nothing left to fail, does the document take the new path.
        m_path = std::move(full);
        m_readProblem = ProblemOf(file);
        m_readOnly = mode == LoadMode::ReadOnly;
        return file.status == io::FilePrefix::Status::Read && !file.bytes.empty();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

SaveResult CIniFile::Save() const {
    if (m_path.empty()) return SaveResult::NoPath;
    if (m_readOnly) return SaveResult::ReadOnly;
    if (m_readProblem.kind != ReadProblem::Kind::None) return SaveResult::SourceNotFullyRead;
    const std::string text = BuildText();
    if (text.size() > kMaxTextBytes) return SaveResult::TooLarge;
    return io::WriteFileAtomically(m_path, text) ? SaveResult::Saved : SaveResult::WriteFailed;
}

std::string CIniFile::DescribeReadProblem() const {
    const std::string file = m_path.string();
    switch (m_readProblem.kind) {
        case ReadProblem::Kind::None:
            return {};
        case ReadProblem::Kind::Unreadable:
            return file +
                   ": cannot be read (not a readable regular file); built-in texts are shown";
        case ReadProblem::Kind::TooLarge:
            return file +
                   ": larger than 1 MiB; only its start is used and the file is left as it is";
        case ReadProblem::Kind::NotText:
            return file + ": line " + std::to_string(m_readProblem.line) +
                   " is not UTF-8 text; the texts that could be read are used and the file is "
                   "left as it is";
    }
    return {};
}

CIniSection* CIniFile::FindSection(std::u16string_view name) const {
    auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : found->second;
}

std::u16string_view CIniFile::GetString(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultText) {
    CIniSection* found = FindSection(section);
    if (found != nullptr) {
        if (const CIniKey* hit = found->FindKey(key); hit != nullptr && hit->GetValue())
            return *hit->GetValue();
    } else {
        found = AppendSection(std::make_unique<CIniSection>(std::u16string(section)));
    }

    CIniKey* stored = found->FindKey(key);
    if (stored != nullptr)
        stored->SetValue(std::u16string(defaultText));
    else
        stored = found->AppendKey(std::make_unique<CIniKey>(
            std::u16string(key), std::u16string(defaultText), std::nullopt));
    // A failed save keeps the text in memory; the next miss tries again.
    (void)Save();
    return *stored->GetValue();
}

CIniSection* CIniFile::AppendSection(std::unique_ptr<CIniSection> section) {
    if (section->GetName()) m_index.try_emplace(*section->GetName(), section.get());
    return Append(std::move(section));
}

void CIniFile::Adopt(CIniFile& fresh) {
    // Build the combined index first: the only step that can run out of memory.
    auto index = m_index;
    for (CIniSection& section : fresh)
        if (section.GetName()) index.try_emplace(*section.GetName(), &section);
    Splice(fresh);
    m_index.swap(index);
}
