// The camera info and camera settings pages over the simulated camera, driven as
// an operator drives them, on both carriers.
#include <QCheckBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <cstddef>

#include "camera_files.h"
#include "camera_session.h"
#include "input_password_dlg.h"
#include "param_dlg.h"
#include "record_fields.h"
#include "sys_manager_dlg.h"

namespace {

using Info = CSysManagerDlg;

TEST_P(CameraSession, InfoRefreshFillsEveryFieldInItsFormat) {
    camsim::CameraState state;
    state.userId = "123456";
    state.userName = "Ana Ruiz";
    state.waterMark = "Präsidium Streife Nord";  // longer than what may be typed
    state.barCode = "BC00000000000016";
    state.batteryPercent = 64;
    state.diskTotalMb = 4294967295u;  // unsigned, never negative
    state.diskFreeMb = 0;
    state.storageLocked = true;
    AddCamera(state, GetParam());
    auto& page = Open<Info>(kGeneralUser);
    const std::pair<int, QString> expected[] = {
        {Info::kModel, "BWC_X1"},
        {Info::kVersion, "FW_2.4.1_API_1.0.8_B0420"},
        {Info::kMacAddress, "BC00000000000016"},
        {Info::kUserId, "123456"},
        {Info::kUserName, "Ana Ruiz"},
        {Info::kDeviceId, "000000"},  // the camera has none
        {Info::kBattery, "64%"},
        {Info::kFreeSpace, "0.0 GB of 4194304.0GB"},
        {Info::kWatermark, "Präsidium Streife Nord"},
        {Info::kLockMemory, "UnLock Memory"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(page.GetItemText(id), text) << id;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CameraSession, InfoRefreshClearsTheFieldsOfFailingExportsAndSaysSo) {
    AddCamera({}, GetParam());
    auto& page = Open<Info>(kAdministrator);
    const int fields[] = {Info::kUserId,    Info::kUserName,  Info::kDeviceId,   Info::kBattery,
                          Info::kFreeSpace, Info::kWatermark, Info::kMacAddress, Info::kModel};
    camera->injectFault(camsim::Fault::NoReply, 1, camsim::FaultSpan::FromThenOn);
    page.Refresh();
    for (const int id : fields) EXPECT_EQ(page.GetItemText(id), "") << id;
    const auto* note = page.findChild<QLabel*>();
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(note->text(),
              "Not read from the camera: User and device IDs, Watermark, MAC Address. What is "
              "shown here is not the camera's; press Refresh.");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CameraSession, LockMemorySendsThePromptedPasswordAndFollowsTheCamera) {
    const struct {
        const char* password;  // null: the prompt is cancelled
        bool cameraAnswers;
        const char* message;  // null: none
        bool locked;
    } attempts[] = {
        {nullptr, true, nullptr, false},
        {"888888", false, "Failed", false},
        {"888888", true, "Successfully.", true},
        {"888888", true, "Successfully.", false},
    };
    AddCamera({}, GetParam());
    auto& page = Open<Info>(kAdministrator);
    for (const auto& attempt : attempts) {
        messages.shown.clear();
        if (!attempt.cameraAnswers) camera->injectFault(camsim::Fault::NoReply);
        ModalScript script;
        script.Then<CDialogInputPassword>([&](CDialogInputPassword& prompt) {
            if (attempt.password != nullptr)
                prompt.SetItemText(CDialogInputPassword::kPassword, attempt.password);
            Press(prompt, attempt.password ? CDialogInputPassword::kOk : dialog::IDCANCEL);
        });
        script.Start();
        Press(page, Info::kLockMemory);
        camera->clearFaults();
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(messages.Texts(),
                  attempt.message ? std::vector<QString>{attempt.message} : std::vector<QString>{});
        EXPECT_EQ(camera->state().storageLocked, attempt.locked);
        EXPECT_EQ(page.GetItemText(Info::kLockMemory),
                  attempt.locked ? "UnLock Memory" : "Lock Memory");
    }
    EXPECT_EQ(camera->state().lockPassword, "888888");
}

TEST_P(CameraSession, FormatDiskAsksFirstAndReportsTheCameraAnswer) {
    AddCamera({}, GetParam());
    auto& page = Open<Info>(kAdministrator);
    messages.answer = dialog::MessageAnswer::No;
    Press(page, Info::kFormatDisk);
    EXPECT_EQ(camera->state().formatCount, 0u);
    messages.answer = dialog::MessageAnswer::Yes;
    Press(page, Info::kFormatDisk);
    EXPECT_EQ(camera->state().formatCount, 1u);
    EXPECT_EQ(messages.Texts().back(), "Success.");
}

// After "Open File Explorer" the camera's disk is opened in the file manager once the
// desktop mounted it; here a stand-in desktop mounts it (or never does).
TEST_P(CameraSession, OpenFileExplorerOpensTheCameraDiskOnceMounted) {
    const QString navigate = "Navigate to my PC to view your files.";
    const QString point = "/media/officer/CAMERA";
    const struct {
        const char* name;
        bool mounted;
        bool opens;  // a file manager is there
        std::chrono::milliseconds patience;
        bool cancel;
        std::vector<QString> said;  // after "Navigate...", %1 naming the disk
        std::vector<QUrl> opened;   // what the file manager was asked to open
    } rows[] = {
        {"mounted", true, true, std::chrono::seconds(30), false, {}, {QUrl::fromLocalFile(point)}},
        {"no file manager",
         true,
         false,
         std::chrono::seconds(30),
         false,
         {"%1 is mounted at " + point + "."},
         {QUrl::fromLocalFile(point)}},
        {"never mounted",
         false,
         true,
         std::chrono::seconds(1),
         false,
         {"Nothing mounted %1 within 1 seconds. Mount it to see the camera's files."},
         {}},
        {"cancelled", false, true, std::chrono::seconds(30), true, {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<int> asked;
        std::vector<QUrl> opened;
        const FilesDesktop real = SetFilesDesktop({[&](const Camera&, int letter) {
                                                       asked.push_back(letter);
                                                       return row.mounted ? point : QString();
                                                   },
                                                   [&](const QUrl& folder) {
                                                       opened.push_back(folder);
                                                       return row.opens;
                                                   },
                                                   row.patience});
        camsim::CameraState state;
        state.serial = std::string("SN-") + row.name;  // the disks of earlier rows stay attached
        AddCamera(state, GetParam());
        auto& page = Open<Info>(kAdministrator);
        messages.shown.clear();
        ModalScript script;
        bool waited = false;
        if (row.cancel)
            script.Then<QProgressDialog>([&](QProgressDialog& progress) {
                // Named by its letter as soon as the disk is there.
                waited = QTest::qWaitFor([&] { return !asked.empty(); }, 1000) &&
                         progress.labelText().startsWith("Waiting for camera disk D");
                QTest::mouseClick(progress.findChild<QPushButton*>(), Qt::LeftButton);
            });
        script.Start();
        Press(page, Info::kOpenExplorer);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(waited, row.cancel);
        // Named as the operator's file manager would show it: its letter, and its node once found.
        const QString disk = GetParam() == camsim::Carrier::Usb
                                 ? QString("camera disk D (%1)").arg(camera->deviceNode().c_str())
                                 : QString("camera disk D");
        std::vector<QString> said{navigate};
        for (const QString& text : row.said) said.push_back(text.arg(disk));
        EXPECT_EQ(messages.Texts(), said);
        EXPECT_EQ(opened, row.opened);
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.back(), 'D');
        SetFilesDesktop(real);
        shown.reset();
        camera->unplug();
    }
}

TEST_P(CameraSession, SettingsShowCodesByTheirNamesAndOddFlagsAsNeither) {
    camsim::CameraState state;
    state.sysParam[offsetof(SysParam, videoQuality)] = 9;     // a code the list lacks
    state.sysParam[offsetof(SysParam, videoResolution)] = 7;  // reported, never offered
    state.sysParam[offsetof(SysParam, timeZone)] = 40;
    state.sysParam[offsetof(SysParam, gps)] = 2;
    AddCamera(state, GetParam());
    auto& page = Open<CParamDlg>(kAdministrator);
    const std::pair<std::size_t, QString> shown[] = {
        {offsetof(SysParam, videoQuality), "Unknown (9)"},
        {offsetof(SysParam, videoResolution), "1440*1080"},
        {offsetof(SysParam, timeZone), "UTC+8.0"},
    };
    for (const auto& [offset, text] : shown)
        EXPECT_EQ(page.GetItemText(CParamDlg::SettingId(offset)), text) << offset;
    auto* gps = static_cast<QCheckBox*>(page.Item(CParamDlg::SettingId(offsetof(SysParam, gps))));
    EXPECT_EQ(gps->checkState(), Qt::PartiallyChecked);
}

}  // namespace
