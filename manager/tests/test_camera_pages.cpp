// The camera info and camera settings pages over the simulated camera, driven as
// an operator drives them, on both carriers.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <cstddef>

#include "app_state.h"
#include "input_password_dlg.h"
#include "login_dlg.h"
#include "param_dlg.h"
#include "program_path.h"
#include "record_fields.h"
#include "sys_manager_dlg.h"
#include "test_support.h"

namespace {

constexpr std::uint16_t kGetSysParam = 0x27;
constexpr std::uint16_t kSetSysParam = 0x28;

// Logged in to one simulated camera, with the page under test created as the main window creates
// it.
class CameraPages : public ::testing::TestWithParam<camsim::Carrier> {
protected:
    void SetUp() override { ResetProcessState(); }

    camsim::Camera& AddCamera(const camsim::CameraState& state = {}) {
        camera = GetParam() == camsim::Carrier::Usb ? &simulator.addUsbCamera(state)
                                                    : &simulator.addDiskCamera(state);
        return *camera;
    }

    void LogIn(int userType) {
        CLoginDlg login(app);
        login.Open();
        login.SelectListIndex(CLoginDlg::kUserType, userType);
        login.SetItemText(CLoginDlg::kPassword, userType == kAdministrator ? "888888" : "123456");
        Press(login, CLoginDlg::kLogin);
        ASSERT_EQ(login.Result(), dialog::IDOK);
    }

    template <typename Page>
    std::unique_ptr<Page> Open(int userType) {
        LogIn(userType);
        auto page = std::make_unique<Page>(app, app.Texts());
        page->Create(nullptr, g_nUserType);
        page->ShowPage(true);
        return page;
    }

    // Codes of the commands the camera executed since the log was last cleared: a
    // write and the read of its reply are one command, and so is a disk query's read alone.
    std::vector<std::uint16_t> Commands() const {
        std::vector<std::uint16_t> codes;
        const camsim::LoggedRequest* previous = nullptr;
        for (const auto& request : camera->log()) {
            const bool replyRead = previous != nullptr &&
                                   previous->direction == camsim::Direction::Write &&
                                   request.direction == camsim::Direction::Read;
            if (!replyRead) codes.push_back(request.code);
            previous = &request;
        }
        return codes;
    }

    camsim::Simulator simulator;
    camsim::Camera* camera = nullptr;
    MessageRecorder messages;
    CVireoApp app{OptionsFor(platform::ProgramDirectory())};
};

std::string CarrierName(const ::testing::TestParamInfo<camsim::Carrier>& info) {
    return info.param == camsim::Carrier::Usb ? "Usb" : "Disk";
}

INSTANTIATE_TEST_SUITE_P(Carriers, CameraPages,
                         ::testing::Values(camsim::Carrier::Usb, camsim::Carrier::Disk),
                         CarrierName);

TEST_P(CameraPages, InfoRefreshFillsEveryFieldInItsFormat) {
    camsim::CameraState state;
    state.userId = "123456";
    state.userName = "Ana Ruiz";
    state.waterMark = "Präsidium";
    state.batteryPercent = 64;
    state.diskTotalMb = 4294967295u;  // unsigned, never negative
    state.diskFreeMb = 0;
    state.storageLocked = true;
    AddCamera(state);
    const auto page = Open<CSysManagerDlg>(kGeneralUser);

    const std::pair<int, QString> expected[] = {
        {CSysManagerDlg::kModel, "BWC_X1"},
        {CSysManagerDlg::kVersion, "FW_2.4.1_API_1.0.8_B0420"},
        {CSysManagerDlg::kMacAddress, "BC0000000001"},
        {CSysManagerDlg::kUserId, "123456"},
        {CSysManagerDlg::kUserName, "Ana Ruiz"},
        {CSysManagerDlg::kDeviceId, "000000"},  // the camera has none
        {CSysManagerDlg::kBattery, "64%"},
        {CSysManagerDlg::kFreeSpace, "0.0 GB of 4194304.0GB"},
        {CSysManagerDlg::kWatermark, "Präsidium"},
        {CSysManagerDlg::kLockMemory, "UnLock Memory"},
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(page->GetItemText(id), text) << id;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CameraPages, InfoAccessFollowsTheUserType) {
    AddCamera();
    for (const int userType : {kGeneralUser, kAdministrator}) {
        const auto page = Open<CSysManagerDlg>(userType);
        const bool administrator = userType == kAdministrator;
        for (const int id : {CSysManagerDlg::kUserId, CSysManagerDlg::kUserName,
                             CSysManagerDlg::kDeviceId, CSysManagerDlg::kWatermark})
            EXPECT_EQ(page->IsReadOnly(id), !administrator) << id;
        for (const int id :
             {CSysManagerDlg::kModel, CSysManagerDlg::kMacAddress, CSysManagerDlg::kVersion,
              CSysManagerDlg::kBattery, CSysManagerDlg::kFreeSpace})
            EXPECT_TRUE(page->IsReadOnly(id)) << id;
        for (const int id : {CSysManagerDlg::kApply, CSysManagerDlg::kDefaultSettings,
                             CSysManagerDlg::kLockMemory, CSysManagerDlg::kFormatDisk})
            EXPECT_EQ(page->IsItemEnabled(id), administrator) << id;
        for (const int id :
             {CSysManagerDlg::kRefresh, CSysManagerDlg::kSyncTime, CSysManagerDlg::kOpenExplorer})
            EXPECT_TRUE(page->IsItemEnabled(id)) << id;
    }
}

TEST_P(CameraPages, InfoRefreshAsksEachExportOnce) {
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kGeneralUser);
    camera->clearLog();
    page->Refresh();
    // Model, user and device IDs, battery, version, bar code, disk space, watermark, lock state.
    EXPECT_EQ(Commands(),
              (std::vector<std::uint16_t>{0x2D, 0x31, 0x29, 0x01, 0x33, 0x35, 0x44, 0x3D}));
}

TEST_P(CameraPages, InfoRefreshLeavesTheFieldsOfFailingExports) {
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kAdministrator);
    const int fields[] = {CSysManagerDlg::kUserId,    CSysManagerDlg::kUserName,
                          CSysManagerDlg::kDeviceId,  CSysManagerDlg::kBattery,
                          CSysManagerDlg::kFreeSpace, CSysManagerDlg::kWatermark};
    for (const int id : fields) page->SetItemText(id, "kept");
    camera->injectFault(camsim::Fault::NoReply, 1, camsim::FaultSpan::FromThenOn);
    page->Refresh();
    for (const int id : fields) EXPECT_EQ(page->GetItemText(id), "kept") << id;
    EXPECT_TRUE(messages.shown.empty());
}

struct ApplyCase {
    const char* userId;
    const char* deviceId;
    const char* userName;
    const char* watermark;
    const char* message;
    bool written;
};

TEST_P(CameraPages, InfoApplyChecksBeforeWritingAndReportsWhatHappened) {
    const ApplyCase cases[] = {
        {"12345", "654321", "Ana", "BWC", "Device/Police ID should be 6-character.", false},
        {"123456", "54321", "Ana", "BWC", "Device/Police ID should be 6-character.", false},
        {"123456", "654321", "ÑandúÑandúÑandúÑandúÑandú", "BWC",
         "User Name takes at most 31 bytes of text.", false},
        {"123456", "654321", "Ana Ruiz", "Streife 7 Süd", "Set Successfully.", true},
    };
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kAdministrator);
    for (const auto& row : cases) {
        messages.shown.clear();
        camera->clearLog();
        page->SetItemText(CSysManagerDlg::kUserId, row.userId);
        page->SetItemText(CSysManagerDlg::kDeviceId, row.deviceId);
        page->SetItemText(CSysManagerDlg::kUserName, QString::fromUtf8(row.userName));
        page->SetItemText(CSysManagerDlg::kWatermark, QString::fromUtf8(row.watermark));
        Press(*page, CSysManagerDlg::kApply);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{row.message}) << row.message;
        EXPECT_EQ(!Commands().empty(), row.written) << row.message;
    }
    const camsim::CameraState stored = camera->state();
    EXPECT_EQ(stored.userId, "123456");
    EXPECT_EQ(stored.deviceId, "654321");
    EXPECT_EQ(stored.userName, "Ana Ruiz");
    EXPECT_EQ(stored.waterMark, "Streife 7 Süd");
}

TEST_P(CameraPages, InfoApplyReportsARefusedSetting) {
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kAdministrator);
    page->SetItemText(CSysManagerDlg::kUserId, "123456");
    page->SetItemText(CSysManagerDlg::kDeviceId, "654321");
    camera->injectFault(camsim::Fault::Unplugged, 2);  // the watermark, after the identity
    Press(*page, CSysManagerDlg::kApply);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Failed: Watermark"});
}

TEST_P(CameraPages, LockMemorySendsThePromptedPasswordAndFollowsTheCamera) {
    struct Attempt {
        const char* password;  // null: the prompt is cancelled
        bool cameraAnswers;
        const char* message;  // null: none
        bool locked;
    };
    const Attempt attempts[] = {
        {nullptr, true, nullptr, false},
        {"888888", false, "Failed", false},
        {"888888", true, "Successfully.", true},
        {"888888", true, "Successfully.", false},
    };
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kAdministrator);
    for (const auto& attempt : attempts) {
        messages.shown.clear();
        if (!attempt.cameraAnswers) camera->injectFault(camsim::Fault::NoReply);
        ModalScript script;
        script.Then<CDialogInputPassword>([&](CDialogInputPassword& prompt) {
            if (attempt.password == nullptr) {
                Press(prompt, dialog::IDCANCEL);
                return;
            }
            prompt.SetItemText(CDialogInputPassword::kPassword, attempt.password);
            Press(prompt, CDialogInputPassword::kOk);
        });
        script.Start();
        Press(*page, CSysManagerDlg::kLockMemory);
        camera->clearFaults();
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(messages.Texts(),
                  attempt.message ? std::vector<QString>{attempt.message} : std::vector<QString>{});
        EXPECT_EQ(camera->state().storageLocked, attempt.locked);
        EXPECT_EQ(page->GetItemText(CSysManagerDlg::kLockMemory),
                  attempt.locked ? "UnLock Memory" : "Lock Memory");
    }
    EXPECT_EQ(camera->state().lockPassword, "888888");
}

TEST_P(CameraPages, FormatDiskAsksFirstAndReportsTheCameraAnswer) {
    AddCamera();
    const auto page = Open<CSysManagerDlg>(kAdministrator);
    messages.answer = dialog::MessageAnswer::No;
    Press(*page, CSysManagerDlg::kFormatDisk);
    EXPECT_EQ(camera->state().formatCount, 0u);
    messages.answer = dialog::MessageAnswer::Yes;
    Press(*page, CSysManagerDlg::kFormatDisk);
    EXPECT_EQ(camera->state().formatCount, 1u);
    EXPECT_EQ(messages.Texts().back(), "Success.");
}

TEST_P(CameraPages, SettingsApplyChangesOnlyWhatTheOperatorChanged) {
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
    AddCamera(state);
    const auto page = Open<CParamDlg>(kAdministrator);
    auto* quality =
        static_cast<QComboBox*>(page->Item(CParamDlg::SettingId(offsetof(SysParam, videoQuality))));
    EXPECT_EQ(quality->currentText(), "Unknown (9)");
    EXPECT_EQ(page->GetItemText(CParamDlg::SettingId(offsetof(SysParam, timeZone))), "UTC+8.0");

    page->SelectListValue(CParamDlg::SettingId(offsetof(SysParam, videoSplit)), 2);
    auto* gps = static_cast<QCheckBox*>(page->Item(CParamDlg::SettingId(offsetof(SysParam, gps))));
    gps->setChecked(!gps->isChecked());
    Press(*page, CParamDlg::kApply);

    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Set Successfully."});
    auto expected = state.sysParam;
    expected[offsetof(SysParam, videoSplit)] = 2;
    expected[offsetof(SysParam, gps)] ^= 1;
    EXPECT_EQ(camera->state().sysParam, expected);
}

TEST_P(CameraPages, SettingsRefreshIsOneReadAndApplyWaitsForIt) {
    AddCamera();
    LogIn(kAdministrator);
    CParamDlg page(app, app.Texts());
    page.Create(nullptr, g_nUserType);
    camera->injectFault(camsim::Fault::NoReply);  // the read when the page is shown
    page.ShowPage(true);
    camera->clearLog();
    Press(page, CParamDlg::kApply);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Failed"});
    EXPECT_TRUE(Commands().empty());  // the defaults never overwrite the camera's settings

    Press(page, CParamDlg::kRefresh);
    EXPECT_EQ(Commands(), std::vector<std::uint16_t>{kGetSysParam});
    Press(page, CParamDlg::kApply);
    EXPECT_EQ(Commands(), (std::vector<std::uint16_t>{kGetSysParam, kSetSysParam}));
}

TEST_P(CameraPages, SettingsApplyIsForAdministratorsOnly) {
    AddCamera();
    for (const int userType : {kGeneralUser, kAdministrator}) {
        const auto page = Open<CParamDlg>(userType);
        EXPECT_EQ(page->IsItemEnabled(CParamDlg::kApply), userType == kAdministrator);
        EXPECT_TRUE(page->IsItemEnabled(CParamDlg::kRefresh));
    }
}

}  // namespace
