#include "vireo_app.h"

#include <cstdio>
#include <utility>

#include "camera_watch.h"
#include "login_dlg.h"
#include "version_record.h"
#include "version_text.h"
#include "vireo_dlg.h"

CVireoApp::CVireoApp(StartOptions options) : m_options(std::move(options)) {}

CVireoApp::~CVireoApp() { CloseConnection(); }

int CVireoApp::InitInstance() {
    m_lang.Load(m_options.languageFile, m_options.languageMode);
    if (const std::string problem = m_lang.GetDocument().DescribeReadProblem(); !problem.empty())
        std::fprintf(stderr, "vireo: %s\n", problem.c_str());
    {
        CLoginDlg login(*this);
        if (login.DoModal() != dialog::IDOK) return 0;
    }
    CVireoDlg window(*this);
    window.DoModal();
    return 0;
}

void CVireoApp::CloseConnection() {
    if (m_hDeviceLib == nullptr) return;
    if (auto* close = PETREL_EXPORT(*this, CloseDevice)) close(m_hDevice);
    UnloadLibrary();
}

void CVireoApp::UnloadLibrary() {
    platform::UnloadModule(std::exchange(m_hDeviceLib, nullptr));
    m_hDevice = nullptr;
    m_connected = {};
}

bool CVireoApp::LoadLibrary() {
    m_hDeviceLib = platform::LoadModule(m_options.libraryDirectory + kLibraryFileName);
    return m_hDeviceLib != nullptr;
}

std::vector<FoundCamera> CVireoApp::FindCameras(const std::vector<FoundCamera>& known) {
    CloseConnection();
    if (!LoadLibrary()) return {};
    std::vector<FoundCamera> cameras = ListCameras(*this, known);
    UnloadLibrary();
    return cameras;
}

int CVireoApp::ConnectCamera(const FoundCamera* wanted) {
    CloseConnection();
    if (!LoadLibrary()) return kNoLibrary;

    int status = STATUS_FAILED;
    {
        const CameraEntries entries(
            *this, wanted != nullptr && wanted->disk ? Carriers::All : Carriers::UsbElseDisks);
        const auto& listed = entries.Entries();
        const CameraEntries::Entry* entry = wanted != nullptr ? entries.Find(*wanted)
                                            : listed.empty()  ? nullptr
                                                              : &listed.front();
        if (entries.Usable() && entry != nullptr) {
            status = PETREL_EXPORT(*this, ConnectDevice)(entry->entry, &m_hDevice);
            m_connected = entry->camera;
        }
    }  // the lists are released after the connect, as the library allows
    if (status == STATUS_OK) return kConnected;
    if (status == STATUS_VERSION_MISMATCH) return kVersionMismatch;
    // A refused connect may still have handed over a handle; it must not leak.
    if (m_hDevice != nullptr)
        CloseConnection();
    else
        UnloadLibrary();
    return kNoCamera;
}

bool CVireoApp::StillAttached() const {
    // Without a connection, or a node to know its camera by, nothing says it left.
    return m_hDevice == nullptr || m_connected.node.isEmpty() || IsAttached(m_connected);
}

void* CVireoApp::LookUpExport(const char* name) const {
    return platform::LookUpExport(m_hDeviceLib, name);
}

QString CVireoApp::GetVersionText() const {
    return FormatVersionText(platform::ProgramVersionRecord());
}

QString CVireoApp::GetString(const char* section, const char* key, const QString& fallback) {
    if (std::string_view(section) == dialog::kUnlistedSection)
        return QString::fromStdString(m_lang.FindString(section, key, fallback.toStdString()));
    return QString::fromStdString(
        m_lang.GetString(std::string_view(section), key, fallback.toStdString()));
}

dialog::TextLookup CVireoApp::Texts() {
    return [this](const char* section, const char* key, const QString& fallback) {
        return GetString(section, key, fallback);
    };
}
