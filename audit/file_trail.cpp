#include "file_trail.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>

#include "codec.h"

namespace petrel::audit {
namespace {

using nlohmann::json;
using std::chrono::microseconds;
using std::chrono::system_clock;

constexpr size_t kLongestLine = 1 << 20;  // a longer line is damage, not a record

int64_t MicrosecondsOf(system_clock::time_point time) {
    return std::chrono::duration_cast<microseconds>(time.time_since_epoch()).count();
}

// RFC 3339 in UTC with microseconds, for people reading the file.
std::string TimeText(system_clock::time_point time) {
    const int64_t usec = MicrosecondsOf(time);
    const time_t seconds = static_cast<time_t>(usec / 1000000);
    tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%06lldZ",
                  static_cast<long long>(usec % 1000000));
    return text;
}

json ToJson(const Record& r) {
    json line = {{"time", TimeText(r.time)},
                 {"timeUsec", MicrosecondsOf(r.time)},
                 {"messageId", MessageIdOf(r.event)},
                 {"event", EventName(r.event)},
                 {"operation", r.operation},
                 {"user", {{"uid", r.uid}, {"name", r.userName}}},
                 {"host", r.host},
                 {"program", r.program},
                 {"programVersion", r.programVersion},
                 {"carrier", r.carrier},
                 {"location", r.location},
                 {"camera",
                  {{"serial", r.cameraSerial},
                   {"barCode", r.cameraBarCode},
                   {"model", r.cameraModel},
                   {"firmware", r.cameraFirmware}}},
                 {"changes", codec::ChangesToJson(r.changes)},
                 {"result", r.result}};
    if (r.readBackAgreed) line["readBack"] = *r.readBackAgreed ? "agreed" : "differed";
    return line;
}

std::optional<Record> FromJson(const json& line) {
    try {
        Record r;
        const auto event = codec::EventNamed(line.at("event").get<std::string>());
        if (!event) return std::nullopt;
        r.event = *event;
        r.time = system_clock::time_point(microseconds(line.at("timeUsec").get<int64_t>()));
        r.operation = line.at("operation");
        r.uid = line.at("user").at("uid");
        r.userName = line.at("user").at("name");
        r.host = line.at("host");
        r.program = line.at("program");
        r.programVersion = line.at("programVersion");
        r.carrier = line.at("carrier");
        r.location = line.at("location");
        const json& camera = line.at("camera");
        r.cameraSerial = camera.at("serial");
        r.cameraBarCode = camera.at("barCode");
        r.cameraModel = camera.at("model");
        r.cameraFirmware = camera.at("firmware");
        r.result = line.at("result");
        if (line.contains("readBack")) r.readBackAgreed = line["readBack"] == "agreed";
        if (!codec::ChangesFromJson(line.at("changes"), r.changes)) return std::nullopt;
        return r;
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

std::string Reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool MakeFolders(const std::string& path, std::string* error) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = Reason("cannot create", folder);
            return false;
        }
    }
    return true;
}

bool SyncFolderOf(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

std::string JsonLine(const Record& record) { return codec::Dump(ToJson(record)); }

namespace file_trail {

bool Append(const std::string& path, const Record& record, std::string* error) {
    if (!MakeFolders(path, error)) return false;
    const bool existed = access(path.c_str(), F_OK) == 0;
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *error = Reason("cannot open the audit file", path);
        return false;
    }
    struct stat info {};
    bool written = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!written) {
        *error = "the audit file " + path + " is no regular file";
    } else if ((info.st_mode & 077) != 0 && fchmod(fd, 0600) != 0) {
        written = false;
        *error = Reason("cannot make the audit file private:", path);
    } else if (!WriteAll(fd, JsonLine(record) + "\n") || fsync(fd) != 0) {
        written = false;
        *error = Reason("cannot write the audit file", path);
    }
    close(fd);
    if (written && !existed && !SyncFolderOf(path)) {
        *error = Reason("cannot sync the folder of", path);
        return false;
    }
    return written;
}

}  // namespace file_trail

Trail ReadFile(const std::string& path, const Query& query) {
    Trail trail;
    std::ifstream file(path);
    if (!file) {
        trail.error = Reason("cannot read the audit file", path);
        return trail;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        const json parsed = line.size() > kLongestLine ? json() : json::parse(line, nullptr, false);
        const auto record = parsed.is_object() ? FromJson(parsed) : std::nullopt;
        if (!record) {
            ++trail.skipped;
        } else if (codec::Matches(query, *record)) {
            trail.records.push_back(*record);
        }
    }
    return trail;
}

}  // namespace petrel::audit
