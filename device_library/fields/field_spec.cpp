#include "field_spec.h"

#include <stdexcept>
#include <utility>

namespace fields {

FieldSpec CodeField(const char* name, std::size_t offset, std::vector<CodeOption> codes) {
    return {name, FieldKind::kCode, offset, 1, std::move(codes)};
}

FieldSpec NumberField(const char* name, std::size_t offset, int minimum, int maximum) {
    return {name, FieldKind::kNumber, offset, 1, {}, minimum, maximum};
}

FieldSpec TextField(const char* name, std::size_t offset, std::size_t size, int maxLength) {
    return {name, FieldKind::kText, offset, size, {}, 0, maxLength};
}

FieldSpec ChannelsField(const char* name, std::size_t offset, std::size_t size) {
    return {name, FieldKind::kChannels, offset, size, {}, 0, 0, nullptr, false};
}

FieldSpec Exactly(FieldSpec text) {
    text.minimum = text.maximum;
    return text;
}

FieldSpec OfCharacters(FieldSpec text, const char* characters) {
    text.characters = characters;
    return text;
}

FieldSpec ReadOnly(FieldSpec field) {
    field.writable = false;
    return field;
}

const FieldSpec& FindField(const RecordFields& record, std::string_view name) {
    for (const auto& field : record) {
        if (field.name == name) return field;
    }
    throw std::out_of_range("no field " + std::string(name));
}

const CodeOption* FindCode(const FieldSpec& field, int code) {
    for (const auto& option : field.codes) {
        if (option.code == code) return &option;
    }
    return nullptr;
}

}  // namespace fields
