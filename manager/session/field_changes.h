// What an Apply changes, named and shown as petrelctl's `set` names and shows the same
// fields, so both front-ends leave the same records ("gps", "ap.ssid", 8 "30 min").
#pragma once

#include <audit/audit.h>

#include <span>
#include <string>
#include <vector>

#include "field_spec.h"

// The petrelctl command that shows and sets a record of `fields` ("settings", "identity",
// "wifi", ...); empty for a record it does not set.
std::string GroupOf(const fields::RecordFields& fields);

// The fields whose values differ between `read` and `written`, two copies of one record
// of `fields`, each with its value before and after; a secret only as changed. Nothing
// when the copies are not both whole.
std::vector<petrel::audit::Change> ChangedFields(const fields::RecordFields& fields,
                                                 std::span<const unsigned char> read,
                                                 std::span<const unsigned char> written);
