// The login dialog and the administrator password prompt, driven as an operator
// would, against fake device libraries.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app_state.h"
#include "input_password_dlg.h"
#include "login_dlg.h"
#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

const QString kWrongPassword = "Wrong login password.";

class Login : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }

    // Opens a login dialog on `variant`'s library, types `password` and presses Login.
    void LogIn(const char* variant, const QString& password, int userType = kGeneralUser) {
        dialog.reset();
        app = std::make_unique<CVireoApp>(OptionsFor(FakeLibraryDirectory(variant)));
        dialog = std::make_unique<CLoginDlg>(*app);
        dialog->Open();
        dialog->SelectListIndex(CLoginDlg::kUserType, userType);
        dialog->SetItemText(CLoginDlg::kPassword, password);
        Press(*dialog, CLoginDlg::kLogin);
    }

    MessageRecorder messages;
    std::unique_ptr<CVireoApp> app;
    std::unique_ptr<CLoginDlg> dialog;
};

TEST_F(Login, OpensWithItsTitleChoicesAndLimitAndEnterPressesLogin) {
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    CLoginDlg dialog(app);
    dialog.Open();
    EXPECT_EQ(dialog.windowTitle(), QString("Login-Vireo %1 ").arg(VIREO_VERSION_TEXT));
    EXPECT_EQ(dialog.ListCount(CLoginDlg::kUserType), 2);
    EXPECT_EQ(dialog.ListEntryText(CLoginDlg::kUserType, 0), "General User");
    EXPECT_EQ(dialog.ListEntryText(CLoginDlg::kUserType, 1), "Administrator");
    EXPECT_EQ(dialog.ListSelection(CLoginDlg::kUserType), 0);
    EXPECT_EQ(dialog.GetItemText(CLoginDlg::kPassword), "");
    EXPECT_FALSE(dialog.IsItemShown(CLoginDlg::kCamera));  // one camera: nothing to choose
    EXPECT_FALSE(dialog.IsItemShown(dialog::IDCANCEL));
    // Each control is named by its label, for screen readers and for the label's mnemonic.
    const std::pair<int, int> labelled[] = {{CLoginDlg::kUserTypeLabel, CLoginDlg::kUserType},
                                            {CLoginDlg::kPasswordLabel, CLoginDlg::kPassword}};
    for (const auto& [label, control] : labelled) {
        EXPECT_TRUE(dialog.IsItemShown(label));
        EXPECT_EQ(qobject_cast<QLabel*>(dialog.Item(label))->buddy(), dialog.Item(control));
        EXPECT_EQ(dialog.Item(control)->accessibleName(), dialog.GetItemText(label));
    }
    QTest::keyClicks(dialog.Item(CLoginDlg::kPassword), "12345678");
    EXPECT_EQ(dialog.GetItemText(CLoginDlg::kPassword), "123456");
    QTest::keyClick(dialog.Item(CLoginDlg::kPassword), Qt::Key_Return);  // presses Login
    EXPECT_EQ(dialog.Result(), dialog::IDOK);
}

TEST_F(Login, AShortPasswordIsRefusedBeforeAnyConnection) {
    LogIn("full", "12345");
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Please enter 6-character password."});
    EXPECT_EQ(messages.shown[0].title, "Prompt");
    EXPECT_EQ(FakeLog(), (Lines{"EnumDeviceList", "EnumStorageList", "ReleaseList 1"}));
    EXPECT_EQ(dialog->Result(), 0);  // still open
}

TEST_F(Login, AVersionMismatchIsReportedAndItsConnectionClosedAtTheNextPress) {
    ::setenv("FAKE_PETREL_CONNECT", "5", 1);
    LogIn("full", "888888", kAdministrator);
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Firmware version mismatch."});
    EXPECT_NE(app->Connection(), nullptr);
    EXPECT_EQ(g_nUserType, kGeneralUser);  // the user type is not touched

    ::unsetenv("FAKE_PETREL_CONNECT");
    Press(*dialog, CLoginDlg::kLogin);
    EXPECT_EQ(FakeLog(),
              (Lines{"EnumDeviceList", "EnumStorageList", "ReleaseList 1", "EnumDeviceList",
                     "ConnectDevice usb", "ReleaseList 1", "CloseDevice usb", "EnumDeviceList",
                     "ConnectDevice usb", "ReleaseList 1", "VerifiPassword 888888 1"}));
    EXPECT_EQ(dialog->Result(), dialog::IDOK);
    dialog.reset();
    app.reset();
    EXPECT_EQ(FakeLog().back(), "CloseDevice usb");  // the end of the program closes the last one
}

TEST_F(Login, AFailedTransferOrALibraryWithoutThePasswordCheckIsAWrongPassword) {
    ::setenv("FAKE_PETREL_VERIFY", "1", 1);
    LogIn("full", "654321", kAdministrator);
    EXPECT_EQ(dialog->Result(), 0);
    // The type tried and the password sent are kept for the next dialog.
    EXPECT_EQ(g_nUserType, kAdministrator);
    EXPECT_STREQ(g_szLastPassword, "654321");
    LogIn("no-verify", "123456");
    EXPECT_EQ(messages.Texts(), (std::vector<QString>{kWrongPassword, kWrongPassword}));
    EXPECT_EQ(dialog->Result(), 0);
}

// A password of characters beyond one byte each stays within its buffers.
TEST_F(Login, AnAcceptedPasswordEndsTheDialogAndIsOfferedNextTime) {
    const QString wide = QString::fromUtf8(
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE5\xAF\x86\xE7\xA0\x81\xE5\x93\x88");
    LogIn("full", wide, kAdministrator);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog->Result(), dialog::IDOK);
    EXPECT_EQ(g_nUserType, kAdministrator);
    EXPECT_EQ(FakeLog().back(), "VerifiPassword " + wide.toStdString() + " 1");
    EXPECT_EQ(QString::fromUtf8(g_szLastPassword), wide);

    CLoginDlg next(*app);
    next.Open();
    EXPECT_EQ(next.ListSelection(CLoginDlg::kUserType), kAdministrator);
    EXPECT_EQ(next.GetItemText(CLoginDlg::kPassword), wide);
}

class InputPassword : public ::testing::Test {
protected:
    MessageRecorder messages;
    CVireoApp app{OptionsFor(FakeLibraryDirectory("none"))};
    CDialogInputPassword prompt{app.Texts()};
};

TEST_F(InputPassword, CancelGivesNoneAndOkWantsSixCharacters) {
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
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Please enter 6-character password."});
    EXPECT_EQ(prompt.Result(), 0);
    QTest::keyClicks(prompt.Item(CDialogInputPassword::kPassword), "67");
    Press(prompt, CDialogInputPassword::kOk);
    EXPECT_EQ(prompt.Result(), dialog::IDOK);
    EXPECT_STREQ(prompt.Password(), "123456");
}

}  // namespace
