// Every page action when the library or one of its exports is missing: the page
// takes its failure path and says so, through an in-process camera that has none.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QTest>

#include "app_state.h"
#include "dialog_network.h"
#include "input_password_dlg.h"
#include "param_dlg.h"
#include "sys_manager_dlg.h"
#include "test_support.h"

namespace {

class NoLibrary final : public Camera {
public:
    void* LookUpExport(const char*) const override { return nullptr; }
    DeviceConnection* Connection() const override { return nullptr; }
};

dialog::TextLookup BuiltInTexts() {
    return [](const char*, const char*, const QString& fallback) { return fallback; };
}

struct Action {
    int button;
    std::vector<QString> messages;  // after any confirmation, answered Yes
};

TEST(PagesWithoutLibrary, EveryActionTakesItsFailurePath) {
    ResetProcessState();
    MessageRecorder recorder;
    recorder.answer = dialog::MessageAnswer::Yes;
    NoLibrary camera;
    CSysManagerDlg info(camera, BuiltInTexts());
    info.Create(nullptr, kAdministrator);
    info.SetItemText(CSysManagerDlg::kUserId, "123456");
    info.SetItemText(CSysManagerDlg::kDeviceId, "654321");

    const Action actions[] = {
        {CSysManagerDlg::kApply,
         {"User and device IDs, Watermark, MAC Address could not be read from the camera, so "
          "nothing was written. Press Refresh and try again."}},
        {CSysManagerDlg::kSyncTime, {"Failed to Synchronize."}},
        {CSysManagerDlg::kOpenExplorer, {"Failed"}},
        {CSysManagerDlg::kDefaultSettings, {"Reset all settings to default?", "Failed"}},
        {CSysManagerDlg::kFormatDisk, {"Are you sure you want to format the disk?"}},
    };
    for (const auto& action : actions) {
        recorder.shown.clear();
        Press(info, action.button);
        EXPECT_EQ(recorder.Texts(), action.messages) << action.button;
    }
    EXPECT_EQ(info.GetItemText(CSysManagerDlg::kModel), "");
    EXPECT_EQ(info.GetItemText(CSysManagerDlg::kLockMemory), "Lock Memory");

    recorder.shown.clear();
    ModalScript script;
    script.Then<CDialogInputPassword>([](CDialogInputPassword& prompt) {
        prompt.SetItemText(CDialogInputPassword::kPassword, "888888");
        Press(prompt, CDialogInputPassword::kOk);
    });
    script.Start();
    Press(info, CSysManagerDlg::kLockMemory);
    EXPECT_EQ(recorder.Texts(), std::vector<QString>{"Failed"});

    CParamDlg settings(camera, BuiltInTexts());
    settings.Create(nullptr, kAdministrator);
    // Never read, the page offers the usual starting choices.
    const std::pair<std::size_t, QString> initial[] = {
        {offsetof(SysParam, timeZone), "UTC-6.0"},
        {offsetof(SysParam, speakerVolume), "5"},
        {offsetof(SysParam, displayBrightness), "5"},
        {offsetof(SysParam, videoResolution), "1920*1080(P60)"},
    };
    for (const auto& [offset, text] : initial)
        EXPECT_EQ(settings.GetItemText(CParamDlg::SettingId(offset)), text) << offset;
    settings.ShowPage(true);
    recorder.shown.clear();
    Press(settings, CParamDlg::kApply);
    EXPECT_EQ(recorder.Texts(), std::vector<QString>{"Camera Settings could not be read from the "
                                                     "camera, so nothing was written. Press "
                                                     "Refresh and try again."});
}

TEST(PagesWithoutLibrary, ThePasswordPromptGivesNoneAtCancelAndWantsSixCharacters) {
    MessageRecorder recorder;
    CDialogInputPassword prompt(BuiltInTexts());
    prompt.Open();
    EXPECT_EQ(prompt.windowTitle(), "Input Password");
    QTest::keyClicks(prompt.Item(CDialogInputPassword::kPassword), "123456");
    Press(prompt, dialog::IDCANCEL);
    EXPECT_EQ(prompt.Result(), dialog::IDCANCEL);
    EXPECT_STREQ(prompt.Password(), "");

    prompt.Open();
    prompt.SetItemText(CDialogInputPassword::kPassword, "");
    QTest::keyClicks(prompt.Item(CDialogInputPassword::kPassword), "12345");
    Press(prompt, CDialogInputPassword::kOk);
    EXPECT_EQ(recorder.Texts(), std::vector<QString>{"Please enter 6-character password."});
    EXPECT_EQ(prompt.Result(), 0);
    QTest::keyClicks(prompt.Item(CDialogInputPassword::kPassword), "67");
    Press(prompt, CDialogInputPassword::kOk);
    EXPECT_EQ(prompt.Result(), dialog::IDOK);
    EXPECT_STREQ(prompt.Password(), "123456");
}

// What a screen reader says for the network page's groups and the two heart-rate edits.
TEST(PagesWithoutLibrary, NetworkGroupsAndHeartRatesHaveNamesOfTheirOwn) {
    MessageRecorder recorder;
    NoLibrary camera;
    CDialogNetWork network(camera, BuiltInTexts());
    network.Create(nullptr, kAdministrator);
    std::vector<QString> groups;
    for (const QGroupBox* group : network.findChildren<QGroupBox*>())
        groups.push_back(QAccessible::queryAccessibleInterface(const_cast<QGroupBox*>(group))
                             ->text(QAccessible::Name));
    EXPECT_EQ(groups, (std::vector<QString>{"Network Setting", "WiFi", "AP Mode", "STA Mode",
                                            "P2P Mode", "Bluetooth"}));
    const auto name = [&](int id) {
        return QAccessible::queryAccessibleInterface(network.Item(id))->text(QAccessible::Name);
    };
    EXPECT_EQ(name(CDialogNetWork::kHeartRateLow), "Lowest Heart Rate");
    EXPECT_EQ(name(CDialogNetWork::kHeartRateHigh), "Highest Heart Rate");
}

}  // namespace
