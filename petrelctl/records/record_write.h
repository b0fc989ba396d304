// Writing a record and making sure the camera kept it: the disk carrier cannot
// confirm a write on its own, so every write is read back.
#pragma once

#include <vector>

#include "records/record.h"

namespace petrelctl {

using Buffer = std::vector<unsigned char>;

// Writes `record` through part.set, reads the record back and compares the bytes of
// `changed`; a failed step or a mismatch is recorded in output and returns 1.
int WriteChecked(DeviceConnection* camera, const RecordPart& part, const Buffer& record,
                 const std::vector<const FieldSpec*>& changed, Output& output);

}  // namespace petrelctl
