// The program's version record: the fixed numbers a release carries, in the
// layout of a file-version block (two 32-bit words each, most significant first).
#pragma once

#include <cstdint>

namespace platform {

struct VersionRecord {
    std::uint32_t productVersionHigh;  // major << 16 | minor
    std::uint32_t productVersionLow;   // patch << 16 | tweak
    std::uint32_t fileVersionHigh;
    std::uint32_t fileVersionLow;
    const char* internalName;
    const char* fileName;
};

// The record built into this program; null when the program carries none.
const VersionRecord* ProgramVersionRecord();

}  // namespace platform
