#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ini_file.h"
#include "interface.h"

// The language provider: every text the manager shows is looked up here by
// section (the dialog), key (the control or message) and built-in default.
class CMultilanguage : public IInterface<CMultilanguage> {
public:
    CMultilanguage() = default;
    ~CMultilanguage() override = default;

    // An empty name means no language file: nothing is read or written and every
    // lookup yields its default.
    bool Load(const std::filesystem::path& name, LoadMode mode = LoadMode::SaveMissingTexts) {
        return m_ini.Load(name, mode);
    }

    std::u16string_view GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view defaultText) {
        return m_ini.GetString(section, key, defaultText);
    }

    // The same lookup in UTF-8, for the user interface; invalid UTF-8 in the
    // arguments is replaced by U+FFFD.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultText);

    // The stored text of section/key, or `defaultText` when there is none; never adds
    // the key, so the file stays as it is.
    std::string FindString(std::string_view section, std::string_view key,
                           std::string_view defaultText) const;

    CIniFile& GetDocument() noexcept { return m_ini; }

private:
    CIniFile m_ini;
};
