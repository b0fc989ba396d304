#include "text8.h"

#include <algorithm>
#include <cstring>

namespace dialog {

QByteArray ToText8(const QString& text, std::size_t capacity) {
    if (capacity == 0) return {};
    QByteArray bytes = text.toLocal8Bit();
    const auto limit = static_cast<qsizetype>(capacity - 1);
    if (bytes.size() > limit) {
        qsizetype cut = limit;
        // Continuation bytes of UTF-8 start with 10xxxxxx; never split a character.
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
        bytes.truncate(cut);
    }
    return bytes;
}

void CopyText8(char* buffer, std::size_t capacity, const QString& text) {
    if (capacity == 0) return;
    const QByteArray bytes = ToText8(text, capacity);
    std::memset(buffer, 0, capacity);
    std::memcpy(buffer, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromText8(const char* text, std::size_t capacity) {
    const auto length = std::find(text, text + capacity, '\0') - text;
    return QString::fromLocal8Bit(text, length);
}

}  // namespace dialog
