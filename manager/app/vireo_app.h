// The application object: owns the binding to the device library, the connection
// to the camera and the language document, and runs the program's life.
#pragma once

#include "library_loader.h"
#include "text_lookup.h"

#include <multilanguage.h>

#include <QString>
#include <filesystem>
#include <string>

struct DeviceConnection;

struct StartOptions {
    std::filesystem::path languageFile;  // empty: built-in texts, nothing written
    std::string libraryDirectory;        // where libPetrel.so is loaded from, with a trailing '/'
};

class CVireoApp {
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

    // Closes the previous connection, reloads the library and connects the first
    // camera found (USB cameras before camera disks). One of the constants above.
    int ConnectCamera();

    QString GetVersionText() const;

    // The language document's text for section/key, added with `fallback` when missing.
    QString GetString(const char* section, const char* key, const QString& fallback);
    dialog::TextLookup Texts();

    // Address of an export of the loaded library, looked up now; null without a
    // library or when it lacks the export. Use PETREL_EXPORT for the typed form.
    template <typename Function>
    Function* LookUpExport(const char* name) const
    {
        return reinterpret_cast<Function*>(platform::LookUpExport(m_hDeviceLib, name));
    }

    platform::ModuleHandle m_hDeviceLib = nullptr;
    DeviceConnection* m_hDevice = nullptr;
    CMultilanguage m_lang;

private:
    void CloseConnection();
    void UnloadLibrary();

    StartOptions m_options;
};
