// How windows reach the device library: each export is looked up by name when it
// is used and called with the current connection. Free of Qt, so page tests can
// stand in an in-process camera where the simulator is not the point.
#pragma once

#include <petrel.h>

#include <utility>

class Camera {
public:
    // The export `name` of the loaded library; null without a library or that export.
    virtual void* LookUpExport(const char* name) const = 0;
    virtual DeviceConnection* Connection() const = 0;
    // False once the connected camera has left (unplugged, or gone to another carrier):
    // a failed exchange then says so rather than "Failed".
    virtual bool StillAttached() const { return true; }

protected:
    ~Camera() = default;
};

// What a call returns when its export could not be looked up; no status has this value.
inline constexpr int kExportMissing = -1;

template <typename Result, typename... Parameters, typename... Arguments>
int CallExport(Result (*function)(DeviceConnection*, Parameters...), DeviceConnection* connection,
               Arguments&&... arguments) {
    if (function == nullptr) return kExportMissing;
    return function(connection, std::forward<Arguments>(arguments)...);
}

// The export `name` of the camera's library, typed as petrel.h declares it, or null.
#define PETREL_EXPORT(camera, name) \
    reinterpret_cast<decltype(&::name)>((camera).LookUpExport(#name))

// Calls export `name` with the camera's connection and the further arguments;
// kExportMissing when the library or the export is missing.
#define PETREL_CALL(camera, name, ...) \
    CallExport(PETREL_EXPORT(camera, name), (camera).Connection() __VA_OPT__(, ) __VA_ARGS__)
