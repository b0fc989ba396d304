#include "version_record.h"

#include "vireo_version.h"

namespace platform {
namespace {

constexpr std::uint32_t Words(std::uint32_t high, std::uint32_t low) {
    return (high & 0xFFFFu) << 16 | (low & 0xFFFFu);
}

constexpr VersionRecord kProgramRecord{
    Words(VIREO_PRODUCT_VERSION_MAJOR, VIREO_PRODUCT_VERSION_MINOR),
    Words(VIREO_PRODUCT_VERSION_PATCH, VIREO_PRODUCT_VERSION_TWEAK),
    0,
    0,
    "vireo",
    "vireo",
};

}  // namespace

const VersionRecord* ProgramVersionRecord() { return &kProgramRecord; }

}  // namespace platform
