// How windows reach the device library: each export is looked up by name when it
// is used and called with the current connection, each call made where the camera
// has its calls run. Free of Qt, so page tests can stand in an in-process camera
// where the simulator is not the point.
#pragma once

#include <petrel.h>

#include <cstddef>
#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

class CameraAudit;

class Camera {
public:
    // Where operations on the camera are recorded; null where nothing records them.
    virtual CameraAudit* Audit() { return nullptr; }
    // The export `name` of the loaded library; null without a library or that export.
    virtual void* LookUpExport(const char* name) const = 0;
    virtual DeviceConnection* Connection() const = 0;
    // False once the connected camera has left (unplugged, or gone to another carrier):
    // a failed exchange then says so rather than "Failed".
    virtual bool StillAttached() const { return true; }
    // Makes one call of export `name`, as `call` does, and waits for it. False when it
    // was not made, or its result is not to be trusted: the camera was given up.
    virtual bool Exchange(const char* /*name*/, const std::function<void()>& call) const {
        call();
        return true;
    }
    // True once the operator gave up on the camera and was told so: nothing is sent to
    // it until the next connection.
    virtual bool GivenUp() const { return false; }

protected:
    ~Camera() = default;
};

// What a call returns when its export could not be looked up; no status has this value.
inline constexpr int kExportMissing = -1;

// What a call that was not made, or whose result was dropped, returns: no connection,
// no entries and no drive letter, or no text.
template <typename Result>
Result NotExchanged(std::string_view name) {
    if constexpr (std::is_pointer_v<Result>) {
        return nullptr;
    } else {
        constexpr std::string_view kCounts[] = {"EnumDeviceList", "EnumStorageList",
                                                "GetStorageDisk", "GetStorageID"};
        for (std::string_view count : kCounts)
            if (name == count) return 0;
        return STATUS_NO_CONNECTION;
    }
}

// An export of the camera's library, typed as petrel.h declares it; null when missing.
// Calling it makes the call through Camera::Exchange.
template <typename Function>
class Export;

template <typename Result, typename... Parameters>
class Export<Result (*)(Parameters...)> {
public:
    Export(const Camera& camera, const char* name)
        : m_camera(camera),
          m_name(name),
          m_function(reinterpret_cast<Result (*)(Parameters...)>(camera.LookUpExport(name))) {}

    bool operator==(std::nullptr_t) const { return m_function == nullptr; }
    explicit operator bool() const { return m_function != nullptr; }

    Result operator()(Parameters... arguments) const {
        Result result{};
        if (!m_camera.Exchange(m_name, [&] { result = m_function(arguments...); }))
            return NotExchanged<Result>(m_name);
        return result;
    }

private:
    const Camera& m_camera;
    const char* m_name;
    Result (*m_function)(Parameters...);
};

template <typename Function, typename... Arguments>
int CallExport(const Function& function, DeviceConnection* connection, Arguments&&... arguments) {
    if (function == nullptr) return kExportMissing;
    return function(connection, std::forward<Arguments>(arguments)...);
}

// The export `name` of the camera's library, typed as petrel.h declares it.
#define PETREL_EXPORT(camera, name) Export<decltype(&::name)>((camera), #name)

// Calls export `name` with the camera's connection and the further arguments;
// kExportMissing when the library or the export is missing.
#define PETREL_CALL(camera, name, ...) \
    CallExport(PETREL_EXPORT(camera, name), (camera).Connection() __VA_OPT__(, ) __VA_ARGS__)
