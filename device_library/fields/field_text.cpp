#include "field_text.h"

#include <cstring>

#include "utf8_text.h"

namespace fields {

std::string TextOf(const FieldSpec& field, const unsigned char* record) {
    const char* text = reinterpret_cast<const char*>(record + field.offset);
    return std::string(text, strnlen(text, field.size));
}

std::string FieldText(const FieldSpec& field, const unsigned char* record) {
    if (field.kind == FieldKind::kText) return "\"" + Printable(TextOf(field, record)) + "\"";
    const int code = record[field.offset];
    const CodeOption* option = field.kind == FieldKind::kCode ? FindCode(field, code) : nullptr;
    return std::to_string(code) + (option ? " \"" + std::string(option->text) + "\"" : "");
}

}  // namespace fields
