// What a record is: its events, its secrets, its one-line summary.
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include "audit/audit.h"

namespace petrel::audit {
namespace {

struct EventRow {
    Event event;
    const char* name;
    const char* messageId;  // fixed for ever: the journal catalog and queries name it
};

constexpr std::array<EventRow, 4> kEvents{{
    {Event::kChange, "change", "dc4064ba6bd2490b8467a610395336f7"},
    {Event::kSecretChange, "secret-change", "21a7d08f62a8444b93df1aa2f9661dcf"},
    {Event::kAction, "action", "31127dbe2ff54ac3ba882621ce98ae5f"},
    {Event::kLoginRefused, "login-refused", "a93b692542394f749faf94665b854add"},
}};

const EventRow& RowOf(Event event) {
    return *std::find_if(kEvents.begin(), kEvents.end(),
                         [event](const EventRow& row) { return row.event == event; });
}

// Parts of a field name that make it a secret, compared in lower case; a PIN ends a name
// ("simPin"), where inside one it would be a word like "mapping".
constexpr std::array<std::string_view, 4> kSecretParts{"password", "passwd", "aeskey", "p2pcode"};
constexpr std::string_view kSecretEnding = "pin";

std::string UserNameOf(uid_t uid) {
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::to_string(uid);
    return found->pw_name;
}

std::string HostName() {
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) return {};
    return name.data();
}

}  // namespace

const char* EventName(Event event) { return RowOf(event).name; }
const char* MessageIdOf(Event event) { return RowOf(event).messageId; }

Change Change::Value(std::string field, std::string oldValue, std::string newValue) {
    return Change{std::move(field), std::move(oldValue), std::move(newValue), false};
}

Change Change::Secret(std::string field) { return Change{std::move(field), {}, {}, true}; }

bool IsSecretField(std::string_view field) {
    std::string lower(field);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::string_view(lower).ends_with(kSecretEnding) ||
           std::any_of(kSecretParts.begin(), kSecretParts.end(), [&](std::string_view part) {
               return lower.find(part) != std::string::npos;
           });
}

Record NewRecord(Event event, std::string operation, std::string program,
                 std::string programVersion) {
    Record record;
    record.event = event;
    record.operation = std::move(operation);
    record.uid = static_cast<uint32_t>(getuid());
    record.userName = UserNameOf(getuid());
    record.host = HostName();
    record.program = std::move(program);
    record.programVersion = std::move(programVersion);
    return record;
}

std::string Summary(const Record& record) {
    std::string text = record.operation + " on camera " +
                       (record.cameraSerial.empty() ? "(unknown)" : record.cameraSerial) + " by " +
                       record.userName + ": " + record.result;
    if (!record.changes.empty()) {
        text += "; changed";
        for (const Change& change : record.changes) text += " " + change.field;
    }
    if (record.readBackAgreed.has_value())
        text += *record.readBackAgreed ? "; read back agreed" : "; read back DIFFERED";
    return text;
}

std::string DefaultFile() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/petrel/audit.jsonl";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state/petrel/audit.jsonl";
}

}  // namespace petrel::audit
