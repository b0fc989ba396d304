#include "vireo_app.h"

#include <array>
#include <cstdio>
#include <utility>

#include "login_dlg.h"
#include "version_record.h"
#include "version_text.h"
#include "vireo_dlg.h"

namespace {

// Room for a whole USB list or storage list; only the first entry is connected.
constexpr int kListSize = 30;
constexpr int kFirstCameraOnly = 1;

}  // namespace

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
}

int CVireoApp::ConnectCamera() {
    CloseConnection();
    m_hDeviceLib = platform::LoadModule(m_options.libraryDirectory + kLibraryFileName);
    if (m_hDeviceLib == nullptr) return kNoLibrary;

    std::array<DeviceListEntry*, kListSize> list{};
    auto* enumDevices = PETREL_EXPORT(*this, EnumDeviceList);
    auto* enumStorage = PETREL_EXPORT(*this, EnumStorageList);
    auto* releaseList = PETREL_EXPORT(*this, ReleaseList);
    auto* connect = PETREL_EXPORT(*this, ConnectDevice);
    if (enumDevices != nullptr && enumStorage != nullptr && connect != nullptr) {
        int count = enumDevices(list.data(), kFirstCameraOnly);
        if (count < 1) count = enumStorage(list.data(), count);
        if (count >= 1) {
            const int status = connect(list[0], &m_hDevice);
            if (releaseList != nullptr) releaseList(list.data(), count);
            if (status == STATUS_OK) return kConnected;
            if (status == STATUS_VERSION_MISMATCH) return kVersionMismatch;
        }
    }
    // A refused connect may still have handed over a handle; it must not leak.
    if (m_hDevice != nullptr)
        CloseConnection();
    else
        UnloadLibrary();
    return kNoCamera;
}

void* CVireoApp::LookUpExport(const char* name) const {
    return platform::LookUpExport(m_hDeviceLib, name);
}

QString CVireoApp::GetVersionText() const {
    return FormatVersionText(platform::ProgramVersionRecord());
}

QString CVireoApp::GetString(const char* section, const char* key, const QString& fallback) {
    return QString::fromStdString(
        m_lang.GetString(std::string_view(section), key, fallback.toStdString()));
}

dialog::TextLookup CVireoApp::Texts() {
    return [this](const char* section, const char* key, const QString& fallback) {
        return GetString(section, key, fallback);
    };
}
