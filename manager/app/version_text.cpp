#include "version_text.h"

#include "version_record.h"

QString FormatVersionText(const platform::VersionRecord* record) {
    const std::uint32_t high = record != nullptr ? record->productVersionHigh : 0;
    const std::uint32_t low = record != nullptr ? record->productVersionLow : 0;
    return QStringLiteral("V%1.%2.%3.%4")
        .arg(high >> 16)
        .arg(high & 0xFFFFu)
        .arg(low >> 16)
        .arg(low & 0xFFFFu);
}
