// petrelctl history: the audit trail read back, per camera: what changed, when, by whom,
// from which program.
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <iostream>
#include <regex>

#include "audit/audit.h"
#include "commands/command_set.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

using petrel::audit::Record;
using petrel::audit::Trail;
using Clock = std::chrono::system_clock;

constexpr const char* kJournalSocket = "/run/systemd/journal/socket";

// "YYYY-MM-DD", with " HH:MM" or " HH:MM:SS" (or a T) after it, in local time, from
// 1970 to 2200.
std::optional<Clock::time_point> ParseTime(const std::string& text) {
    static const std::regex pattern(
        R"((\d{4})-(\d{2})-(\d{2})(?:[ T](\d{2}):(\d{2})(?::(\d{2}))?)?)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) return std::nullopt;
    std::tm tm{};
    tm.tm_year = std::stoi(match[1]) - 1900;
    tm.tm_mon = std::stoi(match[2]) - 1;
    tm.tm_mday = std::stoi(match[3]);
    tm.tm_hour = match[4].matched ? std::stoi(match[4]) : 0;
    tm.tm_min = match[5].matched ? std::stoi(match[5]) : 0;
    tm.tm_sec = match[6].matched ? std::stoi(match[6]) : 0;
    tm.tm_isdst = -1;
    // The clock's time points end in 2262.
    if (tm.tm_year < 70 || tm.tm_year > 2200 - 1900) return std::nullopt;
    const std::tm asked = tm;
    const std::time_t time = std::mktime(&tm);
    // mktime carries a day 31 of a 30-day month on to the next: refuse what it moved.
    if (time == -1 || tm.tm_mday != asked.tm_mday || tm.tm_hour > 23 || tm.tm_min > 59 ||
        tm.tm_sec > 59 || tm.tm_mon != asked.tm_mon)
        return std::nullopt;
    return Clock::from_time_t(time);
}

std::optional<petrel::audit::Query> QueryOf(const Options& options, std::string& problem) {
    petrel::audit::Query query;
    for (const auto& [text, bound] :
         {std::pair{&options.since, &query.since}, std::pair{&options.until, &query.until}}) {
        if (!*text) continue;
        *bound = ParseTime(**text);
        if (!*bound) {
            problem = "expected a time as YYYY-MM-DD [HH:MM[:SS]], not \"" +
                      fields::Printable(**text) + "\"";
            return std::nullopt;
        }
    }
    return query;
}

void Append(Trail& trail, Trail more) {
    trail.records.insert(trail.records.end(), std::make_move_iterator(more.records.begin()),
                         std::make_move_iterator(more.records.end()));
    trail.skipped += more.skipped;
    if (trail.error.empty()) trail.error = more.error;
}

// A file not there yet holds no records.
Trail ReadFileIfAny(const std::string& path, const petrel::audit::Query& query) {
    return access(path.c_str(), F_OK) == 0 ? petrel::audit::ReadFile(path, query) : Trail{};
}

// Where petrelctl writes: the administrator's file alone; else the journal where one runs
// and the user's file, which holds what was recorded while none ran.
Trail ReadTrail(const petrel::audit::Query& query) {
    if (const auto chosen = petrel::audit::ConfiguredDestination();
        chosen.kind == petrel::audit::Destination::Kind::kFile)
        return ReadFileIfAny(chosen.file, query);
    Trail trail;
    if (access(kJournalSocket, F_OK) == 0) trail = petrel::audit::ReadJournal(query);
    Append(trail, ReadFileIfAny(petrel::audit::DefaultFile(), query));
    std::stable_sort(trail.records.begin(), trail.records.end(),
                     [](const Record& a, const Record& b) { return a.time < b.time; });
    return trail;
}

bool Selected(const Record& record, const std::vector<std::string>& selectors) {
    return selectors.empty() ||
           std::any_of(selectors.begin(), selectors.end(), [&](const std::string& selector) {
               return selector == record.cameraSerial || selector == record.cameraBarCode;
           });
}

std::string LocalTime(Clock::time_point time) {
    const std::time_t seconds = Clock::to_time_t(time);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

void PrintRecord(const Record& record) {
    std::cout << "  " << LocalTime(record.time) << "  " << fields::Printable(record.operation)
              << " by " << fields::Printable(record.userName) << " (uid " << record.uid << ") on "
              << fields::Printable(record.host) << ", " << fields::Printable(record.program) << " "
              << fields::Printable(record.programVersion);
    if (!record.location.empty()) std::cout << ", " << fields::Printable(record.location);
    std::cout << ": " << fields::Printable(record.result);
    if (record.readBackAgreed)
        std::cout << (*record.readBackAgreed ? ", read back agreed" : ", read back DIFFERED");
    std::cout << "\n";
    for (const auto& change : record.changes) {
        std::cout << "    " << fields::Printable(change.field) << ": "
                  << (change.secret ? "changed (its value is never recorded)"
                                    : fields::Printable(change.oldValue) + " -> " +
                                          fields::Printable(change.newValue))
                  << "\n";
    }
}

// Camera by camera, in the order each first appears; each camera's records oldest first.
void PrintByCamera(const std::vector<Record>& records) {
    std::vector<std::string> serials;
    for (const auto& record : records) {
        if (std::find(serials.begin(), serials.end(), record.cameraSerial) == serials.end())
            serials.push_back(record.cameraSerial);
    }
    for (const auto& serial : serials) {
        bool headed = false;
        for (const auto& record : records) {
            if (record.cameraSerial != serial) continue;
            if (!headed) {
                std::cout << "camera "
                          << (serial.empty() ? "(serial unknown)" : fields::Printable(serial))
                          << ", bar code " << fields::Printable(record.cameraBarCode) << ", "
                          << fields::Printable(record.cameraModel) << " "
                          << fields::Printable(record.cameraFirmware) << "\n";
                headed = true;
            }
            PrintRecord(record);
        }
    }
}

}  // namespace

int CheckHistory(Options& options, Output& output) {
    std::string problem;
    return QueryOf(options, problem) ? 0 : output.Refuse(problem);
}

int RunHistory(const Options& options, Output& output) {
    std::string problem;
    const auto query = QueryOf(options, problem);
    if (!query) return output.Refuse(problem);
    Trail trail = ReadTrail(*query);
    if (trail.records.empty() && !trail.error.empty())
        return output.FailWith("read the audit trail", trail.error);
    std::erase_if(trail.records,
                  [&](const Record& record) { return !Selected(record, options.selectors); });
    output.Streamed();
    if (options.json) {
        for (const auto& record : trail.records)
            std::cout << petrel::audit::JsonLine(record) << "\n";
    } else {
        PrintByCamera(trail.records);
    }
    if (trail.skipped > 0)
        std::cerr << "petrelctl: " << trail.skipped
                  << " entries of the trail are no audit record and were left out\n";
    return 0;
}

}  // namespace petrelctl
