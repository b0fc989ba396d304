// Texts cross into the device library as 8-bit text in the system's encoding
// (UTF-8 on Linux), always terminated and never longer than the buffer.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace dialog {

// At most capacity - 1 bytes of `text`, cut before a character that would not fit.
QByteArray ToText8(const QString& text, std::size_t capacity);

// Copies `text` into buffer[0..capacity) as ToText8 does, zero-filling the rest.
void CopyText8(char* buffer, std::size_t capacity, const QString& text);

QString FromText8(const char* text, std::size_t capacity);

}  // namespace dialog
