// Names of the family's result codes, for callers' messages and logs.
#include <cstdint>

#include "petrel.h"

namespace {

struct ResultName {
    uint16_t code;
    const char* name;
};

constexpr ResultName kResultNames[] = {
    {ZFY_RESULT_SUCCESS, "ZFY_RESULT_SUCCESS"},
    {ZFY_RESULT_NO_CONNECTION, "ZFY_RESULT_NO_CONNECTION"},
    {ZFY_RESULT_PASSWORD_DONE, "ZFY_RESULT_PASSWORD_DONE"},
    {ZFY_RESULT_PASSWORD_REFUSED, "ZFY_RESULT_PASSWORD_REFUSED"},
    {ZFY_RESULT_TIME_SET, "ZFY_RESULT_TIME_SET"},
    {ZFY_RESULT_TIME_FAILED, "ZFY_RESULT_TIME_FAILED"},
    {ZFY_RESULT_MSDC_SET, "ZFY_RESULT_MSDC_SET"},
    {ZFY_RESULT_MSDC_FAILED, "ZFY_RESULT_MSDC_FAILED"},
    {ZFY_RESULT_DISK_FORMATTED, "ZFY_RESULT_DISK_FORMATTED"},
    {ZFY_RESULT_VERSION_MISMATCH, "ZFY_RESULT_VERSION_MISMATCH"},
};

}  // namespace

extern "C" {

PETREL_API const char* ZfyResultName(uint16_t result) {
    for (const ResultName& entry : kResultNames) {
        if (entry.code == result) return entry.name;
    }
    return "ZFY_RESULT_UNKNOWN";
}

}  // extern "C"
