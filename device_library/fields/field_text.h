// A field's value as found in a record, as people read it: petrelctl's output and both
// front-ends' audit records show it alike.
#pragma once

#include <string>

#include "field_spec.h"

namespace fields {

// The text a text field holds, up to its first zero byte.
std::string TextOf(const FieldSpec& field, const unsigned char* record);

// A text in quotes with its control characters escaped, a code with its name (8 "30 min"),
// a number as it is.
std::string FieldText(const FieldSpec& field, const unsigned char* record);

}  // namespace fields
