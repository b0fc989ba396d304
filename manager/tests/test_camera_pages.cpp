// The camera info and camera settings pages over the simulated camera, driven as
// an operator drives them, on both carriers.
#include <QCheckBox>
#include <QComboBox>
#include <cstddef>

#include "camera_session.h"
#include "input_password_dlg.h"
#include "param_dlg.h"
#include "record_fields.h"
#include "sys_manager_dlg.h"

namespace {

using Info = CSysManagerDlg;
constexpr std::uint16_t kGetSysParam = 0x27;
constexpr std::uint16_t kSetSysParam = 0x28;

TEST_P(CameraSession, InfoRefreshFillsEveryFieldInItsFormat) {
    camsim::CameraState state;
    state.userId = "123456";
    state.userName = "Ana Ruiz";
    state.waterMark = "Präsidium";
    state.batteryPercent = 64;
    state.diskTotalMb = 4294967295u;  // unsigned, never negative
    state.diskFreeMb = 0;
    state.storageLocked = true;
    AddCamera(state, GetParam());
    auto& page = Open<Info>(kGeneralUser);
    const std::pair<int, QString> expected[] = {
        {Info::kModel, "BWC_X1"},
        {Info::kVersion, "FW_2.4.1_API_1.0.8_B0420"},
        {Info::kMacAddress, "BC0000000001"},
        {Info::kUserId, "123456"},
        {Info::kUserName, "Ana Ruiz"},
        {Info::kDeviceId, "000000"},  // the camera has none
        {Info::kBattery, "64%"},
        {Info::kFreeSpace, "0.0 GB of 4194304.0GB"},
        {Info::kWatermark, "Präsidium"},
        {Info::kLockMemory, "UnLock Memory"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(page.GetItemText(id), text) << id;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CameraSession, InfoRefreshLeavesTheFieldsOfFailingExports) {
    AddCamera({}, GetParam());
    auto& page = Open<Info>(kAdministrator);
    const int fields[] = {Info::kUserId,  Info::kUserName,  Info::kDeviceId,
                          Info::kBattery, Info::kFreeSpace, Info::kWatermark};
    for (const int id : fields) page.SetItemText(id, "kept");
    camera->injectFault(camsim::Fault::NoReply, 1, camsim::FaultSpan::FromThenOn);
    page.Refresh();
    for (const int id : fields) EXPECT_EQ(page.GetItemText(id), "kept") << id;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CameraSession, InfoApplyChecksBeforeWritingAndReportsWhatHappened) {
    const struct {
        const char *userId, *deviceId, *userName, *watermark, *message;
        unsigned faultAt;  // the failing exchange, 0 for none
        bool written;
    } cases[] = {
        {"12345", "654321", "Ana", "BWC", "Device/Police ID should be 6-character.", 0, false},
        {"123456", "54321", "Ana", "BWC", "Device/Police ID should be 6-character.", 0, false},
        {"123456", "654321", "ÑandúÑandúÑandúÑandúÑandú", "BWC",
         "User Name takes at most 31 bytes of text.", 0, false},
        {"123456", "654321", "Ana Ruiz", "Streife 7 Süd", "Set Successfully.", 0, true},
        {"123456", "654321", "Ana Ruiz", "Streife 7 Süd", "Failed: Watermark", 2, true},
    };
    AddCamera({}, GetParam());
    auto& page = Open<Info>(kAdministrator);
    for (const auto& row : cases) {
        messages.shown.clear();
        camera->clearLog();
        if (row.faultAt != 0) camera->injectFault(camsim::Fault::Unplugged, row.faultAt);
        page.SetItemText(Info::kUserId, row.userId);
        page.SetItemText(Info::kDeviceId, row.deviceId);
        page.SetItemText(Info::kUserName, QString::fromUtf8(row.userName));
        page.SetItemText(Info::kWatermark, QString::fromUtf8(row.watermark));
        Press(page, Info::kApply);
        camera->clearFaults();
        EXPECT_EQ(messages.Texts(), std::vector<QString>{row.message}) << row.message;
        EXPECT_EQ(!Commands().empty(), row.written) << row.message;
    }
    const camsim::CameraState stored = camera->state();
    EXPECT_EQ(stored.userId, "123456");
    EXPECT_EQ(stored.deviceId, "654321");
    EXPECT_EQ(stored.userName, "Ana Ruiz");
    EXPECT_EQ(stored.waterMark, "Streife 7 Süd");
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

TEST_P(CameraSession, SettingsApplyChangesOnlyWhatTheOperatorChanged) {
    camsim::CameraState state;
    // Every byte at the last code its list offers, so a control bound to the wrong byte shows.
    for (const auto& field : fields::SettingsFields()) {
        for (const auto& option : field.codes)
            if (option.offered)
                state.sysParam[field.offset] = static_cast<std::uint8_t>(option.code);
    }
    state.sysParam[offsetof(SysParam, videoQuality)] = 9;  // a code the list lacks
    state.sysParam[offsetof(SysParam, language)] = 7;      // hidden, also unknown
    state.sysParam[offsetof(SysParam, keyTone)] = 1;       // hidden flag
    state.sysParam[offsetof(SysParam, timeZone)] = 40;
    AddCamera(state, GetParam());
    auto& page = Open<CParamDlg>(kAdministrator);
    auto* quality =
        static_cast<QComboBox*>(page.Item(CParamDlg::SettingId(offsetof(SysParam, videoQuality))));
    EXPECT_EQ(quality->currentText(), "Unknown (9)");
    EXPECT_EQ(page.GetItemText(CParamDlg::SettingId(offsetof(SysParam, timeZone))), "UTC+8.0");

    page.SelectListValue(CParamDlg::SettingId(offsetof(SysParam, videoSplit)), 2);
    auto* gps = static_cast<QCheckBox*>(page.Item(CParamDlg::SettingId(offsetof(SysParam, gps))));
    gps->setChecked(!gps->isChecked());
    Press(page, CParamDlg::kApply);

    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Set Successfully."});
    auto expected = state.sysParam;
    expected[offsetof(SysParam, videoSplit)] = 2;
    expected[offsetof(SysParam, gps)] ^= 1;
    EXPECT_EQ(camera->state().sysParam, expected);
}

TEST_P(CameraSession, SettingsRefreshIsOneReadAndApplyWaitsForIt) {
    AddCamera({}, GetParam());
    LogIn(kAdministrator);
    camera->injectFault(camsim::Fault::NoReply);  // the read when the page is shown
    auto& page = Shown<CParamDlg>();
    Press(page, CParamDlg::kApply);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Failed"});
    EXPECT_TRUE(Commands().empty());  // the defaults never overwrite the camera's settings

    Press(page, CParamDlg::kRefresh);
    EXPECT_EQ(Commands(), Codes{kGetSysParam});
    Press(page, CParamDlg::kApply);
    EXPECT_EQ(Commands(), (Codes{kGetSysParam, kSetSysParam}));
}

}  // namespace
