// Writing a record and making sure the camera kept it: the disk carrier cannot
// confirm a write on its own, so every write is read back.
#pragma once

#include <vector>

#include "records/record.h"

namespace petrelctl {

using Buffer = std::vector<unsigned char>;

// Writes `record` (read as `old`) through part.set, reads the record back and compares
// the bytes of `changed`; a failed step or a mismatch is recorded in output and returns 1.
// Each field that differs from `old` and whether the camera kept it go to the audit trail.
int WriteChecked(DeviceConnection* camera, const RecordPart& part, const Buffer& old,
                 const Buffer& record, const std::vector<const FieldSpec*>& changed,
                 Output& output);

}  // namespace petrelctl
