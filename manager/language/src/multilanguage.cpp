#include "multilanguage.h"

#include "text_conversion.h"

namespace {

std::u16string Widen(std::string_view utf8) {
    return *vireo::text::Utf8ToWide(utf8, vireo::text::OnInvalid::Replace);
}

}  // namespace

std::string CMultilanguage::GetString(std::string_view section, std::string_view key,
                                      std::string_view defaultText) {
    const std::u16string_view text =
        m_ini.GetString(Widen(section), Widen(key), Widen(defaultText));
    return *vireo::text::WideToUtf8(text, vireo::text::OnInvalid::Replace);
}

std::string CMultilanguage::FindString(std::string_view section, std::string_view key,
                                       std::string_view defaultText) const {
    const CIniSection* found = m_ini.FindSection(Widen(section));
    const CIniKey* hit = found != nullptr ? found->FindKey(Widen(key)) : nullptr;
    if (hit == nullptr || !hit->GetValue()) return std::string(defaultText);
    return *vireo::text::WideToUtf8(*hit->GetValue(), vireo::text::OnInvalid::Replace);
}
