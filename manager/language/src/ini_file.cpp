#include "ini_file.h"

#include <new>
#include <system_error>

#include "file_io.h"

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
    }
    return "SAVE_UNKNOWN";
}

bool CIniFile::Load(const std::filesystem::path& name) {
    if (name.empty()) return false;
    std::error_code error;
    auto full = std::filesystem::absolute(name, error);
    if (error) return false;

    try {
        io::FilePrefix file = io::ReadFilePrefix(full, kMaxTextBytes);
        if (file.status == io::FilePrefix::Status::Read && !file.bytes.empty()) Parse(file.bytes);
        // Only now, with nothing left to fail, does the document take the new path.
        m_path = std::move(full);
        m_sourceNotFullyRead = file.status == io::FilePrefix::Status::Unreadable || file.truncated;
        return file.status == io::FilePrefix::Status::Read && !file.bytes.empty();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

SaveResult CIniFile::Save() const {
    if (m_path.empty()) return SaveResult::NoPath;
    if (m_sourceNotFullyRead) return SaveResult::SourceNotFullyRead;
    const std::string text = BuildText();
    if (text.size() > kMaxTextBytes) return SaveResult::TooLarge;
    return io::WriteFileAtomically(m_path, text) ? SaveResult::Saved : SaveResult::WriteFailed;
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
