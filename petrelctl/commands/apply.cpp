// petrelctl apply and restore: give a camera the settings of a profile or a backup,
// writing only the records that differ and reading each one back.
#include <cstdlib>
#include <cstring>

#include "camera/clock_offset.h"
#include "camera/session.h"
#include "commands/command_set.h"
#include "records/profile.h"
#include "records/record_write.h"
#include "records/records.h"
#include "trail/operation_record.h"

namespace petrelctl {
namespace {

// A clock this close to the profile's is left alone: an offset read at one moment and
// compared at another is never exact, and a minute is within what a recording needs.
constexpr long long kClockSlackSeconds = 60;

std::string Shown(const Options& options, const FieldChange& change, const unsigned char* record) {
    const std::string name = change.part->prefix + change.field->name;
    return IsSecret(name) && !options.showSecrets ? kHiddenSecret
                                                  : FieldText(*change.field, record);
}

// Changes, checks and writes one record; `first` and `last` bound its changes.
int ApplyRecord(DeviceConnection* camera, const Options& options,
                std::vector<FieldChange>::const_iterator first,
                std::vector<FieldChange>::const_iterator last, int& written, Output& output) {
    const RecordPart& part = *first->part;
    Buffer record(part.size);
    if (const int status = part.get(camera, record.data()); status != STATUS_OK)
        return output.Fail(std::string("read ") + part.name, status);
    const Buffer old = record;
    std::vector<const FieldSpec*> changed;
    for (auto change = first; change != last; ++change) {
        const FieldSpec& field = *change->field;
        if (std::memcmp(record.data() + field.offset, change->bytes.data(), field.size) == 0)
            continue;
        std::memcpy(record.data() + field.offset, change->bytes.data(), field.size);
        changed.push_back(&field);
        output.Field(
            change->group + "." + part.prefix + field.name,
            Shown(options, *change, old.data()) + " -> " + Shown(options, *change, record.data()));
    }
    if (changed.empty() || options.dryRun) return 0;
    if (part.check != nullptr) {
        std::string problem;
        if (const int status = part.check(camera, record.data(), problem); status != STATUS_OK)
            return output.Fail(std::string("check ") + part.name, status);
        if (!problem.empty()) return output.FailWith(std::string("check ") + part.name, problem);
    }
    if (WriteChecked(camera, part, old, record, changed, output) != 0) return 1;
    ++written;
    return 0;
}

int ApplyClock(DeviceConnection* camera, const Options& options, const Profile& profile,
               Output& output) {
    if (profile.syncClock) {
        output.Field("clock", "set to this computer's time");
        if (options.dryRun) return 0;
        NoteChange("clock", "", "this computer's time");
        const int status = SyncDateTime(camera);
        return status == STATUS_OK ? 0 : output.Fail("sync clock", status);
    }
    if (!profile.clockOffset) return 0;
    long long offset = 0;
    if (const int status = ReadClockOffset(camera, &offset); status != STATUS_OK)
        return output.Fail("read clock", status);
    if (std::llabs(offset - *profile.clockOffset) <= kClockSlackSeconds) return 0;
    output.Field("clock", "offset " + std::to_string(offset) + " s -> " +
                              std::to_string(*profile.clockOffset) + " s");
    if (options.dryRun) return 0;
    NoteChange("clock offset seconds", std::to_string(offset),
               std::to_string(*profile.clockOffset));
    const int status = WriteClockOffset(camera, *profile.clockOffset);
    return status == STATUS_OK ? 0 : output.Fail("set clock", status);
}

int ApplyLock(DeviceConnection* camera, const Options& options, const Profile& profile,
              Output& output) {
    if (!profile.storageLocked) return 0;
    int32_t locked = 0;
    if (const int status = GetLockMemoryState(camera, &locked); status != STATUS_OK)
        return output.Fail("read storage lock", status);
    if ((locked != 0) == *profile.storageLocked) return 0;
    const std::string was = locked != 0 ? "true" : "false", is = locked != 0 ? "false" : "true";
    output.Field("storageLocked", was + " -> " + is);
    if (options.dryRun) return 0;
    NoteChange("storageLocked", was, is);
    const std::string password = LoginPassword(options).value_or("");
    const int status = SetLockMemoryState(camera, *profile.storageLocked ? 1 : 0, password.c_str());
    return status == STATUS_OK ? 0 : output.Fail("set storage lock", status);
}

}  // namespace

// Read once, here: standard input cannot be read twice, and a file may change.
int CheckApply(Options& options, Output& output) {
    std::string refusal;
    options.profile =
        LoadCheckedProfile(options.arguments[0], options.several, options.syncClock, refusal);
    return options.profile ? 0 : output.Refuse(refusal, "PROFILE_REFUSED");
}

int RunApply(const Options& options, Output& output) {
    const Profile* profile = options.profile.get();
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;
    DeviceConnection* camera = session->get();
    int written = 0;
    const auto& changes = profile->changes;
    for (auto first = changes.begin(); first != changes.end();) {
        auto last = first;
        while (last != changes.end() && last->part == first->part) ++last;
        if (ApplyRecord(camera, options, first, last, written, output) != 0) return 1;
        first = last;
    }
    if (ApplyClock(camera, options, *profile, output) != 0 ||
        ApplyLock(camera, options, *profile, output) != 0) {
        return 1;
    }
    if (options.dryRun) {
        output.Value("dry run", "true", "yes, nothing was written");
    } else {
        output.Field("records written", written);
    }
    return 0;
}

}  // namespace petrelctl
