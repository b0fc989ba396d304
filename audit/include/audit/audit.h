// The audit trail of camera operations: who changed what on which camera, from where,
// with what result. Records go to the systemd journal (one MESSAGE_ID per kind of
// event, PETREL_ fields) or, where no journal runs, to a JSON Lines file; both read back
// the same. Qt-free, for both front-ends; the device library does not use it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petrel::audit {

enum class Event {
    kChange,        // a record or setting written: its fields old -> new
    kSecretChange,  // a password or key changed: recorded as changed, never its value
    kAction,        // format, defaults, lock, clock, mass storage, reboot, shutdown
    kLoginRefused,  // a failed or locked-out password check
};

// "change", "secret-change", "action", "login-refused"; and the event's journal MESSAGE_ID.
const char* EventName(Event event);
const char* MessageIdOf(Event event);

// One changed field. A secret carries no value at all, only that it changed.
struct Change {
    std::string field;
    std::string oldValue;
    std::string newValue;
    bool secret = false;

    static Change Value(std::string field, std::string oldValue, std::string newValue);
    static Change Secret(std::string field);
    bool operator==(const Change&) const = default;
};

// True for a field whose value is a secret whatever the caller says (passwords, PINs,
// keys, pairing codes): its values are never written.
bool IsSecretField(std::string_view field);

struct Record {
    Event event = Event::kChange;
    std::string operation;  // what the operator asked for: "set", "apply", "FormatDisk", ...
    // Who: the operating-system user.
    uint32_t uid = 0;
    std::string userName;
    // Where: this computer and program, and where the camera is attached.
    std::string host;
    std::string program;
    std::string programVersion;
    std::string carrier;   // "usb" or "disk"
    std::string location;  // "bus 1 device 4", or the drive letter "E:"
    // Which camera.
    std::string cameraSerial;
    std::string cameraBarCode;
    std::string cameraModel;
    std::string cameraFirmware;
    // What, and how it ended.
    std::vector<Change> changes;
    std::string result;                  // the library's status name ("STATUS_OK")
    std::optional<bool> readBackAgreed;  // the front-end read the value back after writing
    // Set when the record is written; read back from the trail.
    std::chrono::system_clock::time_point time{};
};

// A record with who (this process's user) and this host filled in.
Record NewRecord(Event event, std::string operation, std::string program,
                 std::string programVersion);

// The record as it is shown and as the journal's MESSAGE: one line.
std::string Summary(const Record& record);

// The record as one JSON object on one line, exactly as the file trail holds it (for a
// reader that prints records as JSON, whichever trail they came from).
std::string JsonLine(const Record& record);

// $XDG_STATE_HOME/petrel/audit.jsonl, or ~/.local/state/petrel/audit.jsonl.
std::string DefaultFile();

struct Destination {
    enum class Kind { kAutomatic, kJournal, kFile };
    // Automatic: the journal when its socket exists, else the file.
    Kind kind = Kind::kAutomatic;
    std::string file;  // empty: DefaultFile()
};

class Writer {
public:
    explicit Writer(Destination destination = {});

    // Records one operation, stamping its time. False, with the reason in *error, when it
    // could be recorded nowhere; a journal that refuses it hands it to the file.
    bool Write(Record record, std::string* error);

    // Where the last record went: "journal" or the file's path.
    const std::string& LastDestination() const { return last_; }

private:
    Destination destination_;
    std::string last_;
};

struct Query {
    std::string cameraSerial;  // empty: every camera
    std::optional<std::chrono::system_clock::time_point> since;
    std::optional<std::chrono::system_clock::time_point> until;
};

struct Trail {
    std::vector<Record> records;  // oldest first
    size_t skipped = 0;           // entries that are no audit record (a damaged line)
    std::string error;            // the trail could not be opened
};

// From the journal: the system's, or the journal files in `directory`.
Trail ReadJournal(const Query& query, const std::string& directory = {});
Trail ReadFile(const std::string& path, const Query& query);

}  // namespace petrel::audit
