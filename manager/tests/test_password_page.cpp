// The password page driven as an operator would, with the real
// libPetrel.so over a simulated camera: what the camera ends up storing, which
// commands it was sent, and what the operator was told.
#include "camera_session.h"
#include "modify_pwd_dlg.h"

namespace {

constexpr std::uint16_t kVerifiPassword = 0x20;
constexpr std::uint16_t kSetPassword = 0x22;

const std::array<std::string, 2> kFactoryPasswords{"123456", "888888"};

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
