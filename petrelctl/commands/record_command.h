// The get and set commands of every record group.
#pragma once

#include "commands/command.h"
#include "records/record.h"

namespace petrelctl {

// Reads every record of the group and shows each field.
int ShowRecords(const RecordGroup& group, const Options& options, Output& output);

// Applies the NAME=VALUE arguments (administrator): every one is checked before the
// camera is opened, then each record they touch is read, changed and written whole.
int ChangeRecords(const RecordGroup& group, const Options& options, Output& output);

// The argument check of ChangeRecords alone, for runs on several cameras.
int CheckChangeRecords(const RecordGroup& group, const Options& options, Output& output);

}  // namespace petrelctl
