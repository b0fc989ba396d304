#pragma once

#include <QString>
#include <functional>

namespace dialog {

// Language lookup: the text stored under section and key, or `fallback` when the
// language document lacks it.
using TextLookup =
    std::function<QString(const char* section, const char* key, const QString& fallback)>;

// One control whose caption is localised under `key`.
struct LocalisedItem {
    int id;
    const char* key;
};

}  // namespace dialog
