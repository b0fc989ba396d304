// The JSON Lines trail: one record per line, for systems without a journal.
#pragma once

#include <string>

#include "audit/audit.h"

namespace petrel::audit::file_trail {

// Appends the record as one line and syncs it to disk. The file is created 0600 (its
// folders 0700), an existing one is narrowed to 0600, and a symbolic link or anything
// but a regular file at the path is refused.
bool Append(const std::string& path, const Record& record, std::string* error);

}  // namespace petrel::audit::file_trail
