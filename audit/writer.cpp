// Where a record goes: the journal where one runs, the JSON Lines file otherwise.
#include "audit/audit.h"
#include "file_trail.h"
#include "journal_trail.h"

namespace petrel::audit {

Writer::Writer(Destination destination) : destination_(std::move(destination)) {
    if (destination_.file.empty()) destination_.file = DefaultFile();
}

bool Writer::Write(Record record, std::string* error) {
    std::string ignored;
    if (error == nullptr) error = &ignored;
    record.time = std::chrono::system_clock::now();
    last_.clear();
    const bool toJournal =
        destination_.kind == Destination::Kind::kJournal ||
        (destination_.kind == Destination::Kind::kAutomatic && journal_trail::Available());
    std::string journalError;
    if (toJournal) {
        if (journal_trail::Send(record, &journalError)) {
            last_ = "journal";
            return true;
        }
        if (destination_.kind == Destination::Kind::kJournal) {
            *error = journalError;
            return false;
        }
    }
    if (!file_trail::Append(destination_.file, record, error)) {
        if (!journalError.empty()) *error = journalError + "; " + *error;
        return false;
    }
    last_ = destination_.file;
    return true;
}

}  // namespace petrel::audit
