// The subcommands' entry points; commands.cpp lists them.
#pragma once

#include "commands/command.h"
#include "commands/record_command.h"

namespace petrelctl {

int RunList(const Options& options, Output& output);
int RunInfo(const Options& options, Output& output);
int RunLogin(const Options& options, Output& output);
int RunClock(const Options& options, Output& output);
int RunClockSet(const Options& options, Output& output);
int CheckClockSet(Options& options, Output& output);
int RunClockSync(const Options& options, Output& output);
int RunBattery(const Options& options, Output& output);
int RunDisk(const Options& options, Output& output);
int RunChangePassword(const Options& options, Output& output);
int RunLock(const Options& options, Output& output);
int RunUnlock(const Options& options, Output& output);
int RunFormat(const Options& options, Output& output);
int RunReset(const Options& options, Output& output);
int RunMassStorage(const Options& options, Output& output);
int RunBackup(const Options& options, Output& output);
int CheckBackup(Options& options, Output& output);
int RunApply(const Options& options, Output& output);
int CheckApply(Options& options, Output& output);
int RunHistory(const Options& options, Output& output);
int CheckHistory(Options& options, Output& output);
int RunOffload(const Options& options, Output& output);
int CheckOffload(Options& options, Output& output);
int RunWatch(const Options& options, Output& output);
int CheckWatch(Options& options, Output& output);

template <const RecordGroup& (*Group)()>
int RunShowRecords(const Options& options, Output& output) {
    return ShowRecords(Group(), options, output);
}

template <const RecordGroup& (*Group)()>
int RunChangeRecords(const Options& options, Output& output) {
    return ChangeRecords(Group(), options, output);
}

template <const RecordGroup& (*Group)()>
int CheckRecordArguments(Options& options, Output& output) {
    return CheckChangeRecords(Group(), options, output);
}

}  // namespace petrelctl
