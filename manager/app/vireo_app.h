// The application object: owns the binding to the device library, the connection
// to the camera and the language document, and runs the program's life.
#pragma once

#include <multilanguage.h>

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "camera.h"
#include "camera_audit.h"
#include "camera_list.h"
#include "camera_worker.h"
#include "library_loader.h"
#include "text_lookup.h"

struct StartOptions {
    std::filesystem::path languageFile;  // empty: built-in texts, nothing written
    std::string libraryDirectory;        // where libPetrel.so is loaded from, with a trailing '/'
    LoadMode languageMode = LoadMode::SaveMissingTexts;
};

class CVireoApp final : public Camera {
public:
    static constexpr int kConnected = 0;
    static constexpr int kVersionMismatch = 1;  // the connection is kept until the next attempt
    static constexpr int kNoLibrary = -2;
    static constexpr int kNoCamera = -4;

    static constexpr const char* kLibraryFileName = "libPetrel.so";

    explicit CVireoApp(StartOptions options);
    ~CVireoApp();
    CVireoApp(const CVireoApp&) = delete;
    CVireoApp& operator=(const CVireoApp&) = delete;

    // Login, then the main window until the operator leaves. Always 0.
    int InitInstance();

    // Closes the previous connection and lists every camera found, USB cameras first
    // (see ListCameras, which `known` goes to); the library is unloaded again afterwards.
    std::vector<FoundCamera> FindCameras(const std::vector<FoundCamera>& known = {});

    // Closes the previous connection, reloads the library and connects `wanted` as
    // FindCameras listed it, or without one the first camera found (USB cameras
    // before camera disks). One of the constants above.
    int ConnectCamera(const FoundCamera* wanted = nullptr);
    // The connected camera as the library's list described it.
    const FoundCamera& ConnectedCamera() const { return m_connected; }

    QString GetVersionText() const;

    // Records every operation on the connected camera, which it knows from ConnectCamera.
    CameraAudit* Audit() override { return &m_audit; }

    // The language document's text for section/key, added with `fallback` when missing;
    // under dialog::kUnlistedSection only read, never added.
    QString GetString(const char* section, const char* key, const QString& fallback);
    dialog::TextLookup Texts();

    void* LookUpExport(const char* name) const override;
    DeviceConnection* Connection() const override { return m_hDevice; }
    // On the camera worker, waited for; a camera given up is sent nothing more, and its
    // connection is closed as soon as the call it hung in has returned.
    bool Exchange(const char* name, const std::function<void()>& call) const override;
    bool GivenUp() const override { return m_givenUp; }
    // Where the operator's giving up is heard.
    CameraWorker& Worker() { return m_worker; }
    // Asks udev whether the connected camera's device is still there.
    bool StillAttached() const override;
    bool IsLibraryLoaded() const { return m_hDeviceLib != nullptr; }

private:
    void CloseConnection();
    bool LoadLibrary();
    void UnloadLibrary();

    StartOptions m_options;
    platform::ModuleHandle m_hDeviceLib = nullptr;
    // Mutable: a call made through a const look at the camera may give it up.
    mutable DeviceConnection* m_hDevice = nullptr;
    mutable bool m_givenUp = false;
    FoundCamera m_connected;
    CMultilanguage m_lang;
    CameraAudit m_audit;
    mutable CameraWorker m_worker;
};
