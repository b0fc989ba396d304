// The camera's records described field by field: name, byte range, allowed codes
// with their texts, text limits. petrelctl and Vireo both read and write records
// through these tables, so a code list or a limit exists once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fields {

struct CodeOption {
    int code;
    const char* text;
    bool offered = true;  // false: a code the camera may report but is never sent
};

// Expands a PETREL_CODES_xxx list into CodeOption initialisers.
#define PETREL_FIELD_OPTION(code, text) {code, text},
#define PETREL_FIELD_OPTIONS(CODES) \
    std::vector<fields::CodeOption> { CODES(PETREL_FIELD_OPTION) }

enum class FieldKind {
    kCode,      // one byte, one of `codes`
    kNumber,    // one byte, minimum..maximum
    kText,      // `size` bytes of text, minimum..maximum bytes from `characters`
    kChannels,  // `size` channel numbers ended by PETREL_CHANNEL_LIST_END; read only
};

struct FieldSpec {
    std::string name;
    FieldKind kind;
    std::size_t offset;
    std::size_t size;
    std::vector<CodeOption> codes;
    int minimum = 0;
    int maximum = 0;
    const char* characters = nullptr;  // null: any
    bool writable = true;
};

using RecordFields = std::vector<FieldSpec>;

// The characters of a dotted IPv4 address; a text field of these holds an address.
inline constexpr char kAddressCharacters[] = "0123456789.";

FieldSpec CodeField(const char* name, std::size_t offset, std::vector<CodeOption> codes);
FieldSpec NumberField(const char* name, std::size_t offset, int minimum, int maximum);
FieldSpec TextField(const char* name, std::size_t offset, std::size_t size, int maxLength);
FieldSpec ChannelsField(const char* name, std::size_t offset, std::size_t size);
// A text field that takes exactly its maximum length.
FieldSpec Exactly(FieldSpec text);
FieldSpec OfCharacters(FieldSpec text, const char* characters);
FieldSpec ReadOnly(FieldSpec field);

// The field called `name`; throws std::out_of_range when the record has none.
const FieldSpec& FindField(const RecordFields& record, std::string_view name);
// The option of `code`, null when the field lists none.
const CodeOption* FindCode(const FieldSpec& field, int code);

#define PETREL_FIELD_CODE(Record, field, CODES) \
    fields::CodeField(#field, offsetof(Record, field), PETREL_FIELD_OPTIONS(CODES))
#define PETREL_FIELD_NUMBER(Record, field, minimum, maximum) \
    fields::NumberField(#field, offsetof(Record, field), minimum, maximum)
#define PETREL_FIELD_TEXT(Record, field, maxLength) \
    fields::TextField(#field, offsetof(Record, field), sizeof(Record::field), maxLength)

}  // namespace fields
