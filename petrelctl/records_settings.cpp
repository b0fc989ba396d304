// The settings block: every byte a code of its list, read and written whole.
#include "records.h"

namespace petrelctl {
namespace {

#define PETRELCTL_CHECK_OFFSET(offset, field, kind, codes) \
    static_assert(offsetof(SysParam, field) == (offset));
PETREL_SYSPARAM_FIELDS(PETRELCTL_CHECK_OFFSET)

std::vector<FieldSpec> SettingsFields() {
#define PETRELCTL_SETTING(offset, field, kind, CODES) PETRELCTL_CODE(SysParam, field, CODES),
    std::vector<FieldSpec> fields = {PETREL_SYSPARAM_FIELDS(PETRELCTL_SETTING)};
    // Resolutions a camera may report: shown by name, never offered.
#define PETRELCTL_REPORTED(code, text) {code, text, false},
    auto& resolution = fields[offsetof(SysParam, videoResolution)].codes;
    resolution.insert(resolution.end(),
                      {PETREL_CODES_VIDEO_RESOLUTION_REPORTED(PETRELCTL_REPORTED)});
    return fields;
}

}  // namespace

const RecordGroup& SettingsRecords() {
    static const RecordGroup group = {
        Access::kAnyLevel,
        {{"settings", "", sizeof(SysParam), GetAs<SysParam, GetSysParam>,
          SetAs<SysParam, SetSysParam>, SettingsFields()}},
    };
    return group;
}

}  // namespace petrelctl
