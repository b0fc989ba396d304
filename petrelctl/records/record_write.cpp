#include "records/record_write.h"

#include <cstring>

#include "fleet/progress.h"
#include "records/records.h"
#include "trail/operation_record.h"

namespace petrelctl {
namespace {

bool Differs(const FieldSpec& field, const Buffer& one, const Buffer& other) {
    return std::memcmp(one.data() + field.offset, other.data() + field.offset, field.size) != 0;
}

// The fields as petrelctl read them before the write and as it sends them; secrets only
// as changed.
void NoteChanges(const RecordPart& part, const Buffer& old, const Buffer& record,
                 const std::vector<const FieldSpec*>& changed) {
    for (const FieldSpec* field : changed) {
        if (!Differs(*field, old, record)) continue;
        const std::string name = part.prefix + std::string(field->name);
        if (IsSecret(name))
            NoteSecretChange(name);
        else
            NoteChange(name, FieldText(*field, old.data()), FieldText(*field, record.data()));
    }
}

}  // namespace

int WriteChecked(DeviceConnection* camera, const RecordPart& part, const Buffer& old,
                 const Buffer& record, const std::vector<const FieldSpec*>& changed,
                 Output& output) {
    NoteChanges(part, old, record, changed);
    ReportStep(std::string("write ") + part.name);
    if (const int status = part.set(camera, record.data()); status != STATUS_OK)
        return output.Fail(std::string("write ") + part.name, status);
    Buffer kept(part.size);
    if (const int status = part.get(camera, kept.data()); status != STATUS_OK)
        return output.Fail(std::string("read back ") + part.name, status);
    for (const FieldSpec* field : changed) {
        if (Differs(*field, kept, record)) {
            NoteReadBack(false);
            return output.FailWith(std::string("read back ") + part.name,
                                   part.prefix + field->name + " is " +
                                       FieldText(*field, kept.data()) + ", not " +
                                       FieldText(*field, record.data()),
                                   "NOT_KEPT");
        }
    }
    NoteReadBack(true);
    return 0;
}

}  // namespace petrelctl
