// Run-time binding of a shared library: load by full path, look up exports by
// name, unload. Nothing is cached here; every look-up asks the loader again.
#pragma once

#include <string>

namespace platform {

using ModuleHandle = void*;

// The loaded library, or null when the file is missing or cannot be loaded.
ModuleHandle LoadModule(const std::string& path);

// Null is allowed and does nothing.
void UnloadModule(ModuleHandle module);

// Address of the export `name`, or null when the module is null or lacks it.
void* LookUpExport(ModuleHandle module, const char* name);

}  // namespace platform
