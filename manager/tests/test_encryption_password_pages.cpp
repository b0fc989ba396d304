// The encryption and password pages driven as an operator would, with the real
// libPetrel.so over a simulated camera: what the camera ends up storing, which
// commands it was sent, and what the operator was told.
#include "camera_session.h"
#include "dialog_encryption.h"
#include "modify_pwd_dlg.h"

namespace {

constexpr std::uint16_t kVerifiPassword = 0x20;
constexpr std::uint16_t kSetPassword = 0x22;
constexpr std::uint16_t kGetEncryption = 0x64;

const std::array<std::string, 2> kFactoryPasswords{"123456", "888888"};
const std::string kCameraKey = "0123456789abcdefghijklmnopqrstuv";

TEST_P(CameraSession, EncryptionIsReadAtEachShowingAndApplyWritesBackWhatWasRead) {
    const struct {
        std::uint8_t dataEncryption, decryptionPlayback;
        std::string aesKey;
        QString shown;
    } held[] = {
        {2, 1, kCameraKey, "Streaming Encryption"},
        {5, 0, "ZYXWVUTSRQPONMLKJIHGFEDCBA!#$%&/", "Unknown (5)"},
    };
    AddCamera({}, GetParam());
    auto& page = Open<CDialogEncryption>(kAdministrator);
    for (const auto& row : held) {
        SCOPED_TRACE(row.shown.toStdString());
        camera->update([&row](camsim::CameraState& state) {
            state.dataEncryption = row.dataEncryption;
            state.decryptionPlayback = row.decryptionPlayback;
            state.aesKey = row.aesKey;
        });
        camera->clearLog();
        page.ShowPage(false);
        page.ShowPage(true);
        EXPECT_EQ(Commands(), Codes{kGetEncryption});
        EXPECT_EQ(page.GetItemText(CDialogEncryption::kDataEncryption), row.shown);
        EXPECT_EQ(page.GetItemText(CDialogEncryption::kAesKey).toStdString(), row.aesKey);

        camera->update([](camsim::CameraState& state) {  // so only a write brings the values back
            state.dataEncryption = state.decryptionPlayback = 0xEE;
            state.aesKey.clear();
        });
        Press(page, CDialogEncryption::kApply);
        const camsim::CameraState stored = camera->state();
        EXPECT_EQ(stored.dataEncryption, row.dataEncryption);
        EXPECT_EQ(stored.decryptionPlayback, row.decryptionPlayback);
        EXPECT_EQ(stored.aesKey, row.aesKey);
    }
    // What the operator chose and typed is what is stored.
    page.SelectListValue(CDialogEncryption::kDataEncryption, 3);
    page.SetItemText(CDialogEncryption::kAesKey, QString(32, u'k'));
    Press(page, CDialogEncryption::kApply);
    EXPECT_EQ(camera->state().dataEncryption, 3);
    EXPECT_EQ(camera->state().aesKey, std::string(32, 'k'));
    EXPECT_EQ(messages.Texts(), std::vector<QString>(3, "Set Successfully."));
}

TEST_F(CameraSession, PasswordChecksRunInTheirOrderAndOnlyACheckedChangeIsStored) {
    const Codes none, verify{kVerifiPassword}, change{kVerifiPassword, kSetPassword};
    const QString changed = "Password successfully changed.";
    const struct {
        const char *login, *chosen, *confirmation;
        int level;
        bool refused;  // the camera does not answer the change
        QString message;
        Codes sent;
    } cases[] = {
        {"12345", "65432", "x", kAdministrator, false, "Please enter 6-character password.", none},
        {"888887", "65432", "x", kAdministrator, false, "Please enter 6-character New password.",
         none},
        {"888887", "abcdef", "abcdeF", kAdministrator, false, "Passwords did not match. Try again.",
         none},
        {"888887", "abcdef", "abcdef", kAdministrator, false, "Wrong login password.", verify},
        {"888888", "abcdef", "abcdef", kAdministrator, true, "Failed", change},
        {"888888", "abcdef", "abcdef", kGeneralUser, false, changed, change},
        {"888888", "abcdef", "abcdef", kAdministrator, false, changed, change},
    };
    AddCamera();
    auto& page = Open<CModifyPwdDlg>(kAdministrator);
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message.toStdString());
        camera->update([](camsim::CameraState& state) { state.passwords = kFactoryPasswords; });
        camera->clearLog();
        messages.shown.clear();
        if (row.refused) camera->injectFault(camsim::Fault::NoReply, 2);
        page.SelectListValue(CModifyPwdDlg::kUserType, row.level);
        page.SetItemText(CModifyPwdDlg::kLoginPassword, row.login);
        page.SetItemText(CModifyPwdDlg::kNewPassword, row.chosen);
        page.SetItemText(CModifyPwdDlg::kConfirmation, row.confirmation);
        Press(page, CModifyPwdDlg::kApply);

        EXPECT_EQ(messages.Texts(), std::vector<QString>{row.message});
        EXPECT_EQ(Commands(), row.sent);
        std::array<std::string, 2> expected = kFactoryPasswords;
        if (row.message == changed) expected[static_cast<std::size_t>(row.level)] = row.chosen;
        EXPECT_EQ(camera->state().passwords, expected);
        // Reconnect offers the administrator's own password, the new one once changed.
        EXPECT_EQ(g_szLastPassword, expected[kAdministrator]);
        EXPECT_EQ(page.GetItemText(CModifyPwdDlg::kNewPassword),
                  row.message == changed ? "" : row.chosen);
    }
}

}  // namespace
