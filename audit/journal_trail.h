// The journal trail: structured entries through the journal's native protocol.
#pragma once

#include <string>

#include "audit/audit.h"

namespace petrel::audit::journal_trail {

// True when this system's journal takes entries (its socket exists).
bool Available();

// Sends the record as one entry; false with the reason when the journal refused it.
bool Send(const Record& record, std::string* error);

}  // namespace petrel::audit::journal_trail
