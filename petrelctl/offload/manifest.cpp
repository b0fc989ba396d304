#include "offload/manifest.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>

#include "offload/file_copy.h"
#include "offload/sha256.h"
#include "offload/utc_time.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

// A line of sha256sum's own format: a name with a backslash or a line break is escaped,
// and its line starts with a backslash.
std::string SumLine(const CopiedFile& file) {
    std::string name;
    for (const char c : file.path) {
        if (c == '\\')
            name += "\\\\";
        else if (c == '\n')
            name += "\\n";
        else
            name += c;
    }
    return (name.size() != file.path.size() ? "\\" : "") + file.sha256 + "  " + name + "\n";
}

// Latin-1 for what is not UTF-8, as petrelctl's JSON does: a camera's texts and file
// names are bytes.
std::string Text(const std::string& text) {
    if (fields::ValidUtf8(text)) return text;
    std::string latin;
    for (const unsigned char c : text) {
        if (c < 0x80) {
            latin += static_cast<char>(c);
        } else {
            latin += static_cast<char>(0xC0 | (c >> 6));
            latin += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return latin;
}

std::string ManifestText(const ManifestSource& source, const std::vector<CopiedFile>& files) {
    nlohmann::json list = nlohmann::json::array();
    std::uint64_t bytes = 0;
    for (const auto& file : files) {
        list.push_back({{"path", Text(file.path)},
                        {"size", file.size},
                        {"mtime", IsoTime(file.mtime.tv_sec)},
                        {"mtimeNanoseconds", file.mtime.tv_nsec},
                        {"sha256", file.sha256}});
        bytes += file.size;
    }
    const nlohmann::json manifest = {
        {"camera",
         {{"serial", Text(source.serial)},
          {"barCode", Text(source.barCode)},
          {"model", Text(source.model)},
          {"firmware", Text(source.firmware)}}},
        {"time", IsoTime(std::chrono::system_clock::to_time_t(source.time))},
        {"files", list},
        {"totals", {{"files", files.size()}, {"bytes", bytes}}},
    };
    return manifest.dump(2) + "\n";
}

// Written under a temporary name, made durable, then given its name.
bool WriteDurably(const std::string& path, const std::string& text) {
    const std::string temp = path + ".partial";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                   ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> WriteManifest(const std::string& folder, const ManifestSource& source,
                                         const std::vector<CopiedFile>& files,
                                         CopyFailure& failure) {
    std::string sums;
    for (const auto& file : files) sums += SumLine(file);
    const std::string manifest = ManifestText(source, files);
    const std::pair<const char*, const std::string*> written[] = {{"SHA256SUMS", &sums},
                                                                  {"manifest.json", &manifest}};
    for (const auto& [name, text] : written) {
        if (!WriteDurably(folder + "/" + name, *text) || !SyncFolder(folder)) {
            failure = {"WRITE_FAILED", folder + "/" + name + ": " + std::strerror(errno)};
            return std::nullopt;
        }
    }
    return Sha256Of(manifest);
}

void MarkIncomplete(const std::string& folder, const CopyFailure& why) {
    // Best effort: the destination may be what failed.
    WriteDurably(folder + "/INCOMPLETE",
                 "This offload did not finish; the copies here are not verified.\n" + why.code +
                     ": " + why.message + "\n");
}

std::string FolderTime(std::chrono::system_clock::time_point time) {
    return UtcText(std::chrono::system_clock::to_time_t(time), "%Y%m%dT%H%M%SZ");
}

}  // namespace petrelctl
