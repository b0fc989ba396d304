// The settings block: every byte a code of its list, read and written whole.
#include "record_fields.h"
#include "records/records.h"

namespace petrelctl {

const RecordGroup& SettingsRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"settings", "", sizeof(SysParam), GetAs<SysParam, GetSysParam>,
          SetAs<SysParam, SetSysParam>, fields::SettingsFields()}},
    };
    return group;
}

}  // namespace petrelctl
