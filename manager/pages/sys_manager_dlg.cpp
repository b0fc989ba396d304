#include "sys_manager_dlg.h"

#include <QCoreApplication>
#include <array>
#include <cstring>

#include "camera_files.h"
#include "input_password_dlg.h"
#include "record_fields.h"
#include "text8.h"

namespace {

using dialog::ControlKind;
using form::Access;
using petrel::audit::Event;
using Page = CSysManagerDlg;

constexpr const char* kSection = "SysManagerDlg";
enum Record { kCarrier, kWatermarkRecord, kBarCode };  // what Apply writes back
constexpr int kIdLength = 6;

// What an export put into `text`, up to its first zero byte; nothing when it failed.
std::string TextRead(bool read, const char* text, std::size_t size) {
    return read ? std::string(text, strnlen(text, size)) : std::string();
}

// clang-format off
const form::Row kRows[] = {
    {.kind = ControlKind::GroupBox, .key = "GroupDevInfo", .text = "Device Info", .columns = 2},
    {.id = Page::kModel, .kind = ControlKind::Edit, .key = "StModelNo", .text = "Model No.:", .access = Access::kNobody},
    {.id = Page::kMacAddress, .kind = ControlKind::Edit, .key = "StBarcode", .text = "MAC Address:", .record = kBarCode, .field = "barCode", .access = Access::kNobody},
    {.id = Page::kDeviceId, .kind = ControlKind::Edit, .key = "StDevID", .text = "Device ID:", .record = kCarrier, .field = "deviceId", .whenEmpty = "000000"},
    {.id = Page::kVersion, .kind = ControlKind::Edit, .key = "StDevVer", .text = "Firmware Version:", .access = Access::kNobody},
    {.id = Page::kUserId, .kind = ControlKind::Edit, .key = "StUserID", .text = "User ID:", .record = kCarrier, .field = "userId"},
    {.id = Page::kUserName, .kind = ControlKind::Edit, .key = "StUserName", .text = "User Name:", .record = kCarrier, .field = "userName"},
    {.kind = ControlKind::GroupBox, .key = "GroupOther", .text = "Other", .columns = 2},
    {.id = Page::kBattery, .kind = ControlKind::Edit, .key = "StBatteryLeft", .text = "Battery Left:", .access = Access::kNobody},
    {.id = Page::kFreeSpace, .kind = ControlKind::Edit, .key = "StFreeSpace", .text = "Free Space:", .access = Access::kNobody},
    {.id = Page::kWatermark, .kind = ControlKind::Edit, .key = "StWaterMark", .text = "Watermark:", .record = kWatermarkRecord, .field = "watermark", .maxCharacters = 15},
    {.id = Page::kRefresh, .kind = ControlKind::Button, .key = "BtRefresh", .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kApply, .kind = ControlKind::Button, .key = "BtApply", .text = "Apply"},
    {.id = Page::kSyncTime, .kind = ControlKind::Button, .key = "BtSyncTime", .text = "Sync PC DateTime", .access = Access::kAnyone},
    {.id = Page::kOpenExplorer, .kind = ControlKind::Button, .key = "BtOpenEx", .text = "Open File Explorer", .access = Access::kAnyone},
    {.id = Page::kDefaultSettings, .kind = ControlKind::Button, .key = "BtDefSet", .text = "Default Settings"},
    {.id = Page::kFormatDisk, .kind = ControlKind::Button, .text = "Format Disk"},
    {.id = Page::kLockMemory, .kind = ControlKind::Button, .text = "Lock Memory"},
};
// clang-format on

constexpr MessageText kLockMemoryCaption{"LockMemory", "Lock Memory"};
constexpr MessageText kUnlockMemoryCaption{"UnLockMemory", "UnLock Memory"};
constexpr MessageText kIdLengthMessage{"Msg2", "Device/Police ID should be 6-character."};
constexpr MessageText kApplied{"Msg4", "Set Successfully."};
constexpr MessageText kSynchronised{"Msg5", "Synchronize Successfully."};
constexpr MessageText kNotSynchronised{"Msg6", "Failed to Synchronize."};
constexpr MessageText kNavigate{"Msg7", "Navigate to my PC to view your files."};
constexpr MessageText kConfirmReset{"Msg8", "Reset all settings to default?"};
constexpr MessageText kResetDone{"Msg9", "Settings Reset to Default Successfully."};
constexpr MessageText kConfirmFormat{"Msg12", "Are you sure you want to format the disk?"};
constexpr MessageText kFormatted{"Msg13", "Success."};
constexpr MessageText kReconnectAfterFormat{
    "Msg14",
    "\"Format Disk\" works when removable disk of camera is not enabled in File Explorer. Please "
    "disconnect "
    "camera, connect camera to PC again, and reopen Vireo."};
constexpr MessageText kSettingFailed{"Msg15", "Failed: %1"};
constexpr MessageText kSuccess{"Success", "Successfully."};
constexpr MessageText kMessages[] = {
    kLockMemoryCaption, kUnlockMemoryCaption, kIdLengthMessage, kApplied,
    kSynchronised,      kNotSynchronised,     kNavigate,        kConfirmReset,
    kResetDone,         kConfirmFormat,       kFormatted,       kReconnectAfterFormat,
    kSettingFailed};

}  // namespace

CSysManagerDlg::CSysManagerDlg(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows,
              {{&fields::CarrierFields(), "RecordIdentity", "User and device IDs"},
               {&fields::WatermarkFields(), "RecordWatermark", "Watermark"},
               {&fields::BarCodeFields(), "RecordBarCode", "MAC Address"}}) {}

void CSysManagerDlg::OnInitPage() {
    RegisterMessages(m_texts, kSection, kMessages);
    Refresh();
}

void CSysManagerDlg::OnShowPage() { Refresh(); }

void CSysManagerDlg::OnCommand(int id) {
    const PressRecord press(*this);
    switch (id) {
        case kRefresh:
            Refresh();
            break;
        case kApply:
            Apply();
            break;
        case kSyncTime:
            SyncTime();
            break;
        case kOpenExplorer:
            OpenExplorer();
            break;
        case kDefaultSettings:
            ResetToDefaults();
            break;
        case kLockMemory:
            ToggleMemoryLock();
            break;
        case kFormatDisk:
            FormatDisk();
            break;
        default:
            break;
    }
}

void CSysManagerDlg::Refresh() {
    // Each text is made after its export has filled it.
    std::array<char, 64> model{};
    const int modelRead = PETREL_CALL(m_camera, GetModelID, model.data());
    ShowRead(kModel, modelRead, dialog::FromText8(model.data(), model.size()));

    fields::CarrierTexts carrier{};
    m_form.Read(
        kCarrier,
        PETREL_CALL(m_camera, GetUserDevID, carrier.userId, carrier.userName, carrier.deviceId),
        carrier);

    std::uint16_t battery = 0;
    const int batteryRead = PETREL_CALL(m_camera, GetBattery, &battery);
    ShowRead(kBattery, batteryRead, QStringLiteral("%1%").arg(battery));

    std::array<char, 128> version{};
    const int versionRead = PETREL_CALL(m_camera, GetDeviceVersion, version.data());
    ShowRead(kVersion, versionRead, dialog::FromText8(version.data(), version.size()));

    fields::BarCodeText barCode{};
    const bool barCodeRead =
        m_form.Read(kBarCode, PETREL_CALL(m_camera, GetBarCode, barCode.barCode), barCode);

    std::uint32_t totalMb = 0;
    std::uint32_t freeMb = 0;
    constexpr double kGbPerMb = 0.0009765625;
    const int spaceRead = PETREL_CALL(m_camera, GetDiskSpaceInfo, &totalMb, &freeMb);
    ShowRead(kFreeSpace, spaceRead,
             dialog::Translated(m_texts, "%1 GB of %2GB")
                 .arg(freeMb * kGbPerMb, 0, 'f', 1)
                 .arg(totalMb * kGbPerMb, 0, 'f', 1));

    fields::WatermarkText watermark{};
    m_form.Read(kWatermarkRecord, PETREL_CALL(m_camera, GetWaterMark, watermark.watermark),
                watermark);

    std::int32_t state = 0;
    PETREL_CALL(m_camera, GetLockMemoryState, &state);  // an unread state counts as unlocked
    SetLockState(state);

    if (CameraAudit* audit = m_camera.Audit())
        audit->Identified(
            {.barCode = TextRead(barCodeRead, barCode.barCode, sizeof barCode.barCode),
             .model = TextRead(modelRead == STATUS_OK, model.data(), model.size()),
             .firmware = TextRead(versionRead == STATUS_OK, version.data(), version.size())});
}

void CSysManagerDlg::ShowRead(int id, int status, const QString& text) {
    // A value that could not be read is not left looking like this camera's.
    SetItemText(id, status == STATUS_OK ? text : QString());
}

void CSysManagerDlg::SetLockState(std::int32_t state) {
    m_lockState = state;
    const MessageText& caption = state != 0 ? kUnlockMemoryCaption : kLockMemoryCaption;
    SetItemText(kLockMemory, Text(caption.key, caption.fallback));
}

void CSysManagerDlg::Apply() {
    constexpr int kWritten[] = {kCarrier, kWatermarkRecord, kBarCode};
    if (const QString unread = m_form.NotRead(kWritten); !unread.isEmpty()) {
        PromptProblem(unread);
        return;
    }
    if (GetItemText(kUserId).size() != kIdLength || GetItemText(kDeviceId).size() != kIdLength) {
        Prompt(kIdLengthMessage);
        return;
    }
    fields::CarrierTexts carrier{};
    fields::WatermarkText watermark{};
    fields::BarCodeText barCode{};
    QString problem;
    if (!m_form.Collect(kCarrier, carrier, problem) ||
        !m_form.Collect(kWatermarkRecord, watermark, problem) ||
        !m_form.Collect(kBarCode, barCode, problem)) {
        PromptProblem(problem);
        return;
    }

    const int identity = Sending(
        kCarrier, carrier,
        PETREL_CALL(m_camera, SetUserDevID, carrier.userId, carrier.userName, carrier.deviceId));
    if (identity == kExportMissing) {
        PromptFailed();
        return;
    }
    // Every setter is tried; the operator hears which ones the camera refused.
    QStringList failed;
    if (identity != STATUS_OK)
        failed << m_form.LabelOf(kUserId) << m_form.LabelOf(kUserName) << m_form.LabelOf(kDeviceId);
    const int written = Sending(kWatermarkRecord, watermark,
                                PETREL_CALL(m_camera, SetWaterMark, watermark.watermark));
    if (written != STATUS_OK && written != kExportMissing) failed << m_form.LabelOf(kWatermark);
    // Read-only: the camera's own bar code goes back as it was read.
    const int barCodeWritten =
        Sending(kBarCode, barCode, PETREL_CALL(m_camera, SetBarCode, barCode.barCode));
    if (barCodeWritten != STATUS_OK && barCodeWritten != kExportMissing)
        failed << m_form.LabelOf(kMacAddress);
    if (!failed.isEmpty()) {
        PromptProblem(Text(kSettingFailed.key, kSettingFailed.fallback)
                          .arg(failed.join(QStringLiteral(", "))));
        return;
    }
    Prompt(kApplied);
    Refresh();
}

void CSysManagerDlg::SyncTime() {
    Prompt(Performed(Event::kAction, "clock sync", PETREL_CALL(m_camera, SyncDateTime)) == STATUS_OK
               ? kSynchronised
               : kNotSynchronised);
}

void CSysManagerDlg::OpenExplorer() {
    CameraFiles files(m_camera, m_texts, this);
    const int status = Performed(Event::kAction, "mass-storage", PETREL_CALL(m_camera, SetMSCMode));
    if (status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    Prompt(kNavigate);
    files.OpenWhenMounted();
}

void CSysManagerDlg::ResetToDefaults() {
    if (!Ask(Text(kConfirmReset.key, kConfirmReset.fallback), "Warning",
             dialog::MessageIcon::Warning))
        return;
    if (const int status = Performed(Event::kAction, "reset", PETREL_CALL(m_camera, ResetDevice));
        status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    Prompt(kResetDone);
    Refresh();
}

void CSysManagerDlg::ToggleMemoryLock() {
    CDialogInputPassword prompt(m_texts, this);
    if (prompt.DoModal() != dialog::IDOK) return;
    const std::int32_t wanted = m_lockState == 0 ? 1 : 0;
    if (const int status =
            Performed(Event::kAction, wanted != 0 ? "lock" : "unlock",
                      PETREL_CALL(m_camera, SetLockMemoryState, wanted, prompt.Password()));
        status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    ShowPrompt(m_texts, this, "Default", kSuccess);
    SetLockState(wanted);
}

namespace {

// Only the library's "none is mounted" lets a format go ahead without unmounting first.
bool IsMountedHere(const Camera& camera, int letter) {
    std::array<char, 4096> mountPoint{};
    const auto find = PETREL_EXPORT(camera, PetrelStorageMountPoint);
    return find == nullptr ||
           find(letter, mountPoint.data(), static_cast<int>(mountPoint.size())) != STATUS_FAILED;
}

}  // namespace

void CSysManagerDlg::FormatDisk() {
    if (!Ask(Text(kConfirmFormat.key, kConfirmFormat.fallback), kPromptTitle)) return;
    const auto format = PETREL_EXPORT(m_camera, FormatDisk);
    if (format == nullptr) return;
    const auto storageId = PETREL_EXPORT(m_camera, GetStorageID);
    const int letter = storageId != nullptr ? storageId(m_camera.Connection()) : 0;
    const bool mounted = letter != 0 && IsMountedHere(m_camera, letter);
    // A file system still mounted here would write its stale metadata over the fresh one.
    const auto unmount = PETREL_EXPORT(m_camera, PetrelUnmountStorage);
    if (mounted && (unmount == nullptr || unmount(letter) != STATUS_OK)) {
        Prompt(kReconnectAfterFormat);
        QCoreApplication::exit(0);
        return;
    }
    if (const int status = Performed(Event::kAction, "format", format(m_camera.Connection()));
        status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    if (mounted) {
        Prompt(kReconnectAfterFormat);
        QCoreApplication::exit(0);
        return;
    }
    Prompt(kFormatted);
}
