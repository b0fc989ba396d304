#include "library_loader.h"

#include <dlfcn.h>

namespace platform {

ModuleHandle LoadModule(const std::string& path) {
    // RTLD_NOW: a library with unresolved symbols fails here, not in the middle of a
    // camera operation. Its own dependencies come through its RUNPATH.
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void UnloadModule(ModuleHandle module) {
    if (module != nullptr) dlclose(module);
}

void* LookUpExport(ModuleHandle module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return dlsym(module, name);
}

}  // namespace platform
