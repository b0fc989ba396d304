// petrelctl backup: every setting a camera can be given back, as one JSON document.
#include <ctime>
#include <filesystem>

#include "camera/clock_offset.h"
#include "camera/session.h"
#include "commands/command_set.h"
#include "io/whole_file.h"
#include "offload/utc_time.h"
#include "records/profile.h"
#include "records/records.h"

namespace petrelctl {
namespace {

using Buffer = std::vector<unsigned char>;

struct Document {
    std::string body;  // the members after the header, each on its own line
    std::string model, firmware, barCode, serial;
};

// Reads one group; read-only fields are kept only for the header.
int ReadGroup(DeviceConnection* camera, const NamedGroup& named, const Options& options,
              Document& document, Output& output) {
    std::string members;
    for (const auto& part : named.group.parts) {
        Buffer record(part.size);
        if (const int status = part.get(camera, record.data()); status != STATUS_OK)
            return output.Fail(std::string("read ") + part.name, status);
        for (const auto& field : part.fields) {
            const std::string name = part.prefix + field.name;
            if (name == "modelId") document.model = TextOf(field, record.data());
            if (name == "version") document.firmware = TextOf(field, record.data());
            if (name == "barCode") document.barCode = TextOf(field, record.data());
            if (part.set == nullptr || !field.writable) continue;
            if (IsSecret(name) && !options.includeSecrets) continue;
            // A text of fixed length that was never set cannot be written back empty.
            if (field.minimum > 0 && TextOf(field, record.data()).empty()) continue;
            members += std::string(members.empty() ? "" : ",\n") + "    " + JsonQuote(name) + ": " +
                       FieldJson(field, record.data());
        }
    }
    document.body += ",\n  " + JsonQuote(named.name) + ": {\n" + members + "\n  }";
    return 0;
}

std::string Header(const Document& document, const Options& options) {
    return "{\n  \"formatVersion\": " + std::to_string(kProfileVersion) +
           ",\n  \"camera\": {\"model\": " + JsonQuote(document.model) +
           ", \"firmware\": " + JsonQuote(document.firmware) +
           ", \"barCode\": " + JsonQuote(document.barCode) +
           ", \"serial\": " + JsonQuote(document.serial) +
           "},\n  \"timestamp\": " + JsonQuote(IsoTime(std::time(nullptr))) +
           ",\n  \"secretsIncluded\": " + (options.includeSecrets ? "true" : "false");
}

// A directory gets one file per camera, named by its bar code and serial number made
// safe; cameras that still share a name get a numbered one.
std::string Destination(const std::string& path, const Document& document) {
    if (!std::filesystem::is_directory(path)) return path;
    std::string name = SafeNamePart(document.barCode);
    if (!document.serial.empty()) name += (name.empty() ? "" : "-") + SafeNamePart(document.serial);
    return (std::filesystem::path(path) / ((name.empty() ? "camera" : name) + ".json")).string();
}

}  // namespace

int CheckBackup(Options& options, Output& output) {
    if (options.several && !std::filesystem::is_directory(options.arguments[0])) {
        return output.Refuse("with several cameras, backup writes into a directory: " +
                             options.arguments[0] + " is none");
    }
    return 0;
}

int RunBackup(const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    Document document;
    for (const auto& named : AllRecordGroups()) {
        if (ReadGroup(session->get(), named, options, document, output) != 0) return 1;
    }
    long long offset = 0;
    if (const int status = ReadClockOffset(session->get(), &offset); status != STATUS_OK)
        return output.Fail("read clock", status);
    char manufacturer[32] = {}, product[32] = {}, serial[32] = {};
    if (GetDescriptorString(session->get(), manufacturer, product, serial) == STATUS_OK)
        document.serial = serial;
    int32_t locked = 0;
    if (const int status = GetLockMemoryState(session->get(), &locked); status != STATUS_OK)
        return output.Fail("read storage lock", status);
    const std::string text = Header(document, options) + document.body +
                             ",\n  \"clock\": {\"offsetSeconds\": " + std::to_string(offset) +
                             "},\n  \"storageLocked\": " + (locked ? "true" : "false") + "\n}\n";
    const bool intoFolder = std::filesystem::is_directory(options.arguments[0]);
    const Existing existing = intoFolder      ? Existing::kNewName
                              : options.force ? Existing::kReplace
                                              : Existing::kRefuse;
    std::string problem;
    const auto path = WriteWholeFile(Destination(options.arguments[0], document), text,
                                     options.includeSecrets, existing, problem);
    if (!path) return output.FailWith("save", problem, "SAVE_FAILED");
    output.Field("file", *path);
    output.Value("secrets included", options.includeSecrets ? "true" : "false",
                 options.includeSecrets ? "yes (passwords and keys; the file has mode 0600)"
                                        : "no (give --include-secrets to keep passwords and keys)");
    return 0;
}

}  // namespace petrelctl
