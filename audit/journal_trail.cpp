#include "journal_trail.h"

// The audit library's own source line means nothing to whoever reads the trail.
#define SD_JOURNAL_SUPPRESS_LOCATION

#include <sys/uio.h>
#include <syslog.h>
#include <systemd/sd-journal.h>
#include <unistd.h>

#include <cstring>

#include "codec.h"

namespace petrel::audit {
namespace {

using std::chrono::microseconds;
using std::chrono::system_clock;

constexpr const char* kJournalSocket = "/run/systemd/journal/socket";

// The PETREL_ fields of a record, each name beside the member it holds.
struct TextField {
    const char* name;
    std::string Record::*member;
};

constexpr TextField kTextFields[] = {
    {"PETREL_OPERATION", &Record::operation},
    {"PETREL_USER_NAME", &Record::userName},
    {"PETREL_HOST", &Record::host},
    {"PETREL_PROGRAM", &Record::program},
    {"PETREL_PROGRAM_VERSION", &Record::programVersion},
    {"PETREL_CARRIER", &Record::carrier},
    {"PETREL_LOCATION", &Record::location},
    {"PETREL_CAMERA_SERIAL", &Record::cameraSerial},
    {"PETREL_CAMERA_BAR_CODE", &Record::cameraBarCode},
    {"PETREL_CAMERA_MODEL", &Record::cameraModel},
    {"PETREL_CAMERA_FIRMWARE", &Record::cameraFirmware},
    {"PETREL_RESULT", &Record::result},
};

// A refused password, a failure or a value that did not read back as written warns.
int PriorityOf(const Record& record) {
    const bool troubling = record.event == Event::kLoginRefused || record.result != "STATUS_OK" ||
                           record.readBackAgreed == false;
    return troubling ? LOG_WARNING : LOG_NOTICE;
}

std::vector<std::string> FieldsOf(const Record& record) {
    std::vector<std::string> fields{
        std::string("MESSAGE_ID=") + MessageIdOf(record.event),
        "MESSAGE=" + Summary(record),
        "PRIORITY=" + std::to_string(PriorityOf(record)),
        "SYSLOG_IDENTIFIER=" + record.program,
        std::string("PETREL_EVENT=") + EventName(record.event),
        "PETREL_USER_UID=" + std::to_string(record.uid),
        "PETREL_CHANGES=" + codec::Dump(codec::ChangesToJson(record.changes)),
    };
    for (const TextField& field : kTextFields)
        fields.push_back(std::string(field.name) + "=" + record.*field.member);
    // One field per changed name, so that journalctl PETREL_CHANGED_FIELD=gps finds it.
    for (const Change& change : record.changes)
        fields.push_back("PETREL_CHANGED_FIELD=" + change.field);
    if (record.readBackAgreed)
        fields.push_back(std::string("PETREL_READ_BACK=") +
                         (*record.readBackAgreed ? "agreed" : "differed"));
    return fields;
}

// The value of a field of the current entry, or nothing.
std::optional<std::string> FieldValue(sd_journal* journal, const char* name) {
    const void* data = nullptr;
    size_t length = 0;
    if (sd_journal_get_data(journal, name, &data, &length) < 0) return std::nullopt;
    const size_t prefix = std::strlen(name) + 1;
    if (length < prefix) return std::nullopt;
    return std::string(static_cast<const char*>(data) + prefix, length - prefix);
}

std::optional<Record> CurrentRecord(sd_journal* journal) {
    Record record;
    const auto event = FieldValue(journal, "PETREL_EVENT");
    const auto uid = FieldValue(journal, "PETREL_USER_UID");
    const auto changes = FieldValue(journal, "PETREL_CHANGES");
    if (!event || !uid || !changes) return std::nullopt;
    const auto kind = codec::EventNamed(*event);
    if (!kind) return std::nullopt;
    record.event = *kind;
    record.uid = static_cast<uint32_t>(std::strtoul(uid->c_str(), nullptr, 10));
    for (const TextField& field : kTextFields)
        record.*field.member = FieldValue(journal, field.name).value_or("");
    const auto parsed = nlohmann::json::parse(*changes, nullptr, false);
    if (!codec::ChangesFromJson(parsed, record.changes)) return std::nullopt;
    if (const auto readBack = FieldValue(journal, "PETREL_READ_BACK"))
        record.readBackAgreed = *readBack == "agreed";
    uint64_t usec = 0;
    sd_journal_get_realtime_usec(journal, &usec);
    record.time = system_clock::time_point(microseconds(usec));
    return record;
}

int OpenJournal(sd_journal** journal, const std::string& directory) {
    return directory.empty() ? sd_journal_open(journal, SD_JOURNAL_LOCAL_ONLY)
                             : sd_journal_open_directory(journal, directory.c_str(), 0);
}

uint64_t MicrosecondsOf(system_clock::time_point time) {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<microseconds>(time.time_since_epoch()).count());
}

}  // namespace

namespace journal_trail {

bool Available() { return access(kJournalSocket, F_OK) == 0; }

bool Send(const Record& record, std::string* error) {
    const std::vector<std::string> fields = FieldsOf(record);
    std::vector<iovec> items;
    for (const std::string& field : fields)
        items.push_back(iovec{const_cast<char*>(field.data()), field.size()});
    const int status = sd_journal_sendv(items.data(), static_cast<int>(items.size()));
    if (status < 0)
        *error = std::string("the journal refused the record: ") + std::strerror(-status);
    return status >= 0;
}

}  // namespace journal_trail

Trail ReadJournal(const Query& query, const std::string& directory) {
    Trail trail;
    sd_journal* journal = nullptr;
    if (const int status = OpenJournal(&journal, directory); status < 0) {
        trail.error = std::string("cannot open the journal: ") + std::strerror(-status);
        return trail;
    }
    for (Event event :
         {Event::kChange, Event::kSecretChange, Event::kAction, Event::kLoginRefused}) {
        const std::string match = std::string("MESSAGE_ID=") + MessageIdOf(event);
        sd_journal_add_match(journal, match.c_str(), 0);
    }
    if (!query.cameraSerial.empty()) {
        const std::string match = "PETREL_CAMERA_SERIAL=" + query.cameraSerial;
        sd_journal_add_conjunction(journal);
        sd_journal_add_match(journal, match.c_str(), 0);
    }
    if (query.since) {
        sd_journal_seek_realtime_usec(journal, MicrosecondsOf(*query.since));
    } else {
        sd_journal_seek_head(journal);
    }
    while (sd_journal_next(journal) > 0) {
        const auto record = CurrentRecord(journal);
        if (!record) {
            ++trail.skipped;
            continue;
        }
        if (query.until && record->time > *query.until) break;
        if (codec::Matches(query, *record)) trail.records.push_back(*record);
    }
    sd_journal_close(journal);
    return trail;
}

}  // namespace petrel::audit
