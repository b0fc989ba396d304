#pragma once

#include <QString>
#include <functional>

namespace dialog {

// Language lookup: the text stored under section and key, or `fallback` when the
// language document lacks it.
using TextLookup =
    std::function<QString(const char* section, const char* key, const QString& fallback)>;

// Texts the dialogs' key lists do not name (list entries, captions without a key,
// titles) are looked up under this section with their English text as the key. The
// lookup only reads: a language file never gains such a key, but a translation may
// carry them.
inline constexpr const char* kUnlistedSection = "Extra";

// The language document's translation of `english`, or `english` itself.
inline QString Translated(const TextLookup& texts, const char* english) {
    return texts(kUnlistedSection, english, QString::fromUtf8(english));
}

// One control whose caption is localised under `key`.
struct LocalisedItem {
    int id;
    const char* key;
};

}  // namespace dialog
