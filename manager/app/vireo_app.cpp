#include "vireo_app.h"

#include <cstdio>
#include <utility>

#include "audit_notice.h"
#include "camera_watch.h"
#include "login_dlg.h"
#include "version_record.h"
#include "version_text.h"
#include "vireo_dlg.h"

CVireoApp::CVireoApp(StartOptions options)
    : m_options(std::move(options)),
      m_audit(*this, GetVersionText().mid(1).toStdString()),
      m_worker(Texts()) {
    // At once, while the call that hangs still runs: nothing more is sent.
    QObject::connect(&m_worker, &CameraWorker::GaveUp, &m_worker, [this] { m_givenUp = true; });
}

CVireoApp::~CVireoApp() { CloseConnection(); }

int CVireoApp::InitInstance() {
    m_lang.Load(m_options.languageFile, m_options.languageMode);
    if (const std::string problem = m_lang.GetDocument().DescribeReadProblem(); !problem.empty())
        std::fprintf(stderr, "vireo: %s\n", problem.c_str());
    RegisterAuditMessages(Texts());
    {
        CLoginDlg login(*this);
        if (login.DoModal() != dialog::IDOK) return 0;
    }
    CVireoDlg window(*this);
    window.DoModal();
    return 0;
}

void CVireoApp::CloseConnection() {
    m_givenUp = false;  // a camera given up goes with its connection
    if (m_hDeviceLib == nullptr) return;
    if (const auto close = PETREL_EXPORT(*this, CloseDevice)) close(m_hDevice);
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
            m_audit.Connected(entry->entry);
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

bool CVireoApp::Exchange(const char* name, const std::function<void()>& call) const {
    if (m_givenUp) return false;
    if (m_worker.Run(name, call)) return true;
    // The call has returned by now: its connection goes, on the worker like every call.
    const auto close = reinterpret_cast<decltype(&::CloseDevice)>(LookUpExport("CloseDevice"));
    if (close != nullptr && m_hDevice != nullptr)
        m_worker.Run("CloseDevice", [&] { close(std::exchange(m_hDevice, nullptr)); });
    return false;
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
