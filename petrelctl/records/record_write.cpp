#include "records/record_write.h"

#include <cstring>

#include "fleet/progress.h"

namespace petrelctl {

int WriteChecked(DeviceConnection* camera, const RecordPart& part, const Buffer& record,
                 const std::vector<const FieldSpec*>& changed, Output& output) {
    ReportStep(std::string("write ") + part.name);
    if (const int status = part.set(camera, record.data()); status != STATUS_OK)
        return output.Fail(std::string("write ") + part.name, status);
    Buffer kept(part.size);
    if (const int status = part.get(camera, kept.data()); status != STATUS_OK)
        return output.Fail(std::string("read back ") + part.name, status);
    for (const FieldSpec* field : changed) {
        if (std::memcmp(kept.data() + field->offset, record.data() + field->offset, field->size) !=
            0) {
            return output.FailWith(std::string("read back ") + part.name,
                                   part.prefix + field->name + " is " +
                                       FieldText(*field, kept.data()) + ", not " +
                                       FieldText(*field, record.data()),
                                   "NOT_KEPT");
        }
    }
    return 0;
}

}  // namespace petrelctl
