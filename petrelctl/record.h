// The camera's records described field by field, so that showing, parsing and
// writing work the same way for every record: one table per record, no code per field.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "output.h"
#include "petrel.h"

namespace petrelctl {

struct CodeOption {
    int code;
    const char* text;
    bool offered = true;  // false: a code the camera may report but is never sent
};

// Expands a PETREL_CODES_xxx list into CodeOption initialisers.
#define PETRELCTL_OPTION(code, text) {code, text},
#define PETRELCTL_OPTIONS(CODES) \
    std::vector<CodeOption> { CODES(PETRELCTL_OPTION) }

enum class FieldKind {
    kCode,      // one byte, one of `codes`
    kNumber,    // one byte, minimum..maximum
    kText,      // `size` bytes of text, minimum..maximum characters from `characters`
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

FieldSpec CodeField(const char* name, std::size_t offset, std::vector<CodeOption> codes);
FieldSpec NumberField(const char* name, std::size_t offset, int minimum, int maximum);
FieldSpec TextField(const char* name, std::size_t offset, std::size_t size, int maxLength);
// A text field that takes exactly its maximum length, of `characters` when given.
FieldSpec Exactly(FieldSpec text, const char* characters = nullptr);
FieldSpec ReadOnly(FieldSpec field);

#define PETRELCTL_CODE(Record, field, CODES) \
    CodeField(#field, offsetof(Record, field), PETRELCTL_OPTIONS(CODES))
#define PETRELCTL_NUMBER(Record, field, minimum, maximum) \
    NumberField(#field, offsetof(Record, field), minimum, maximum)
#define PETRELCTL_TEXT(Record, field, maxLength) \
    TextField(#field, offsetof(Record, field), sizeof(Record::field), maxLength)

// One record the camera reads and writes whole through one pair of exports.
struct RecordPart {
    const char* name;    // for step names: "read <name>", "write <name>"
    const char* prefix;  // put before its field names where two parts share names
    std::size_t size;
    int (*get)(DeviceConnection* connection, void* record);
    int (*set)(DeviceConnection* connection, const void* record);  // null: read only
    std::vector<FieldSpec> fields;
    // Checks a changed record against what the camera allows before anything is
    // written: a status other than STATUS_OK fails, a `problem` refuses the input.
    int (*check)(DeviceConnection* connection, const void* record, std::string& problem) = nullptr;
};

template <typename Record, int (*Export)(DeviceConnection*, Record*)>
int GetAs(DeviceConnection* connection, void* record) {
    return Export(connection, static_cast<Record*>(record));
}

template <typename Record, int (*Export)(DeviceConnection*, const Record*)>
int SetAs(DeviceConnection* connection, const void* record) {
    return Export(connection, static_cast<const Record*>(record));
}

// What one command shows and changes: several records read and written together.
struct RecordGroup {
    Access showAccess;  // changing always needs the administrator
    std::vector<RecordPart> parts;
};

// Adds a field's value, as found in `record`, to the output under `name`.
void ShowField(Output& output, const std::string& name, const FieldSpec& field,
               const unsigned char* record);

// The bytes `value` (a code, the text of a code, a number or a text) puts into the
// field, or nothing with `problem` saying why it is refused.
std::optional<std::string> EncodeField(const FieldSpec& field, const std::string& value,
                                       std::string& problem);

}  // namespace petrelctl
