// The camera's records described field by field, so that showing, parsing and
// writing work the same way for every record: one table per record, no code per field.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "commands/command.h"
#include "field_spec.h"
#include "field_text.h"
#include "io/output.h"
#include "petrel.h"

namespace petrelctl {

using fields::CodeOption;
using fields::FieldKind;
using fields::FieldSpec;
using fields::FieldText;
using fields::TextOf;

// One record the camera reads and writes whole through one pair of exports.
struct RecordPart {
    const char* name;    // for step names: "read <name>", "write <name>"
    const char* prefix;  // put before its field names where two parts share names
    std::size_t size;
    int (*get)(DeviceConnection* connection, void* record);
    int (*set)(DeviceConnection* connection, const void* record);  // null: read only
    const fields::RecordFields& fields;
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

// A field's value as a JSON value: a code or number as a number, a text as a string.
std::string FieldJson(const FieldSpec& field, const unsigned char* record);

// What is shown in place of a password or key without --show-secrets.
inline constexpr const char* kHiddenSecret = "(hidden; --show-secrets shows it)";

// The bytes `value` (a code, the text of a code, a number or a text) puts into the
// field, or nothing with `problem` saying why it is refused.
std::optional<std::string> EncodeField(const FieldSpec& field, const std::string& value,
                                       std::string& problem);

}  // namespace petrelctl
