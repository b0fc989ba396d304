// The encryption and password pages driven as an operator would, with the real
// libPetrel.so over a simulated camera: what the camera ends up storing, which
// commands it was sent, and what the operator was told.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <QTabBar>

#include "app_state.h"
#include "login_dlg.h"
#include "program_path.h"
#include "test_support.h"
#include "vireo_dlg.h"

namespace {

using camsim::Carrier;
using Codes = std::vector<std::uint16_t>;

constexpr std::uint16_t kVerifiPassword = 0x20;
constexpr std::uint16_t kSetPassword = 0x22;
constexpr std::uint16_t kGetEncryption = 0x64;
constexpr std::uint16_t kSetEncryption = 0x65;

const char* const kLoginPasswords[] = {"123456", "888888"};
const std::array<std::string, 2> kFactoryPasswords{"123456", "888888"};
const std::string kCameraKey = "0123456789abcdefghijklmnopqrstuv";

// Codes of the commands the camera executed: USB writes and every disk transfer.
Codes Commands(const camsim::Camera& camera) {
    Codes codes;
    for (const camsim::LoggedRequest& request : camera.log()) {
        if (request.carrier == Carrier::Disk || request.direction == camsim::Direction::Write)
            codes.push_back(request.code);
    }
    return codes;
}

class CameraPages : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }

    // One successful login with the camera's factory password of `userType`.
    void LogIn(int userType) {
        CLoginDlg login(app);
        login.Open();
        login.SelectListIndex(CLoginDlg::kUserType, userType);
        login.SetItemText(CLoginDlg::kPassword, kLoginPasswords[userType]);
        ::Press(login, CLoginDlg::kLogin);
        ASSERT_EQ(login.Result(), dialog::IDOK);
    }

    template <typename Page>
    std::unique_ptr<Page> ShownPage() {
        auto page = std::make_unique<Page>(app, app.Texts());
        page->Create(nullptr, g_nUserType);
        page->ShowPage(true);
        return page;
    }

    camsim::Simulator simulator;
    MessageRecorder messages;
    CVireoApp app{OptionsFor(platform::ProgramDirectory())};
};

class EncryptionOnEachCarrier : public CameraPages, public ::testing::WithParamInterface<Carrier> {
protected:
    camsim::Camera& AddCamera() {
        return GetParam() == Carrier::Usb ? simulator.addUsbCamera() : simulator.addDiskCamera();
    }
};

TEST_P(EncryptionOnEachCarrier, EachShowingReadsTheCameraOnceAndApplyWritesBackWhatWasRead) {
    struct Held {
        std::uint8_t dataEncryption;
        std::uint8_t decryptionPlayback;
        std::string aesKey;
        QString shown;
    };
    const Held held[] = {
        {2, 1, kCameraKey, "Streaming Encryption"},
        {5, 0, "ZYXWVUTSRQPONMLKJIHGFEDCBA!#$%&/", "Unknown (5)"},
    };
    camsim::Camera& camera = AddCamera();
    ASSERT_NO_FATAL_FAILURE(LogIn(kAdministrator));
    auto page = ShownPage<CDialogEncryption>();
    for (const Held& row : held) {
        SCOPED_TRACE(row.shown.toStdString());
        camera.update([&row](camsim::CameraState& state) {
            state.dataEncryption = row.dataEncryption;
            state.decryptionPlayback = row.decryptionPlayback;
            state.aesKey = row.aesKey;
        });
        camera.clearLog();
        page->ShowPage(false);
        page->ShowPage(true);
        EXPECT_EQ(Commands(camera), Codes{kGetEncryption});
        EXPECT_EQ(page->GetItemText(CDialogEncryption::kDataEncryption), row.shown);
        EXPECT_EQ(page->GetItemText(CDialogEncryption::kAesKey).toStdString(), row.aesKey);

        camera.update([](camsim::CameraState& state) {  // so only a write can bring the values back
            state.dataEncryption = state.decryptionPlayback = 0xEE;
            state.aesKey.clear();
        });
        Press(*page, CDialogEncryption::kApply);
        const camsim::CameraState stored = camera.state();
        EXPECT_EQ(stored.dataEncryption, row.dataEncryption);
        EXPECT_EQ(stored.decryptionPlayback, row.decryptionPlayback);
        EXPECT_EQ(stored.aesKey, row.aesKey);
    }
    EXPECT_EQ(messages.Texts(), (std::vector<QString>{"Set Successfully.", "Set Successfully."}));
}

INSTANTIATE_TEST_SUITE_P(Carriers, EncryptionOnEachCarrier,
                         ::testing::Values(Carrier::Usb, Carrier::Disk));

TEST_F(CameraPages, OnlyAKeyOfExactly32BytesIsSent) {
    const struct {
        QString typed;
        QString message;
        bool sent;
    } cases[] = {
        {QString(31, u'k'), "Please enter 32-character AES key.", false},
        {QString(32, u'k'), "Set Successfully.", true},
        {QString(32, QChar(0xE4)), "AES Key takes at most 32 bytes of text.", false},
    };
    camsim::Camera& camera = simulator.addUsbCamera();
    ASSERT_NO_FATAL_FAILURE(LogIn(kAdministrator));
    auto page = ShownPage<CDialogEncryption>();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message.toStdString());
        camera.update([](camsim::CameraState& state) {
            state.dataEncryption = 0;
            state.aesKey = kCameraKey;
        });
        camera.clearLog();
        messages.shown.clear();
        page->SelectListValue(CDialogEncryption::kDataEncryption, 3);
        page->SetItemText(CDialogEncryption::kAesKey, row.typed);
        Press(*page, CDialogEncryption::kApply);
        EXPECT_EQ(messages.Texts(), std::vector<QString>{row.message});
        EXPECT_EQ(Commands(camera), row.sent ? Codes{kSetEncryption} : Codes{});
        const camsim::CameraState stored = camera.state();
        EXPECT_EQ(stored.dataEncryption, row.sent ? 3 : 0);
        EXPECT_EQ(stored.aesKey, row.sent ? row.typed.toStdString() : kCameraKey);
    }
}

TEST_F(CameraPages, PasswordChecksRunInTheirOrderAndOnlyACheckedChangeIsStored) {
    const struct {
        const char* login;
        const char* chosen;
        const char* confirmation;
        int level;
        bool refused;  // the camera does not answer the change
        QString message;
        Codes sent;
    } cases[] = {
        {"12345", "65432", "x", kAdministrator, false, "Please enter 6-character password.", {}},
        {"888887",
         "65432",
         "x",
         kAdministrator,
         false,
         "Please enter 6-character New password.",
         {}},
        {"888887",
         "abcdef",
         "abcdeF",
         kAdministrator,
         false,
         "Passwords did not match. Try again.",
         {}},
        {"888887",
         "abcdef",
         "abcdef",
         kAdministrator,
         false,
         "Wrong login password.",
         {kVerifiPassword}},
        {"888888",
         "abcdef",
         "abcdef",
         kAdministrator,
         true,
         "Failed",
         {kVerifiPassword, kSetPassword}},
        {"888888",
         "abcdef",
         "abcdef",
         kGeneralUser,
         false,
         "Password successfully changed.",
         {kVerifiPassword, kSetPassword}},
        {"888888",
         "abcdef",
         "abcdef",
         kAdministrator,
         false,
         "Password successfully changed.",
         {kVerifiPassword, kSetPassword}},
    };
    camsim::Camera& camera = simulator.addUsbCamera();
    ASSERT_NO_FATAL_FAILURE(LogIn(kAdministrator));
    auto page = ShownPage<CModifyPwdDlg>();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message.toStdString());
        camera.update([](camsim::CameraState& state) { state.passwords = kFactoryPasswords; });
        camera.clearLog();
        messages.shown.clear();
        if (row.refused) camera.injectFault(camsim::Fault::NoReply, 2);
        page->SelectListValue(CModifyPwdDlg::kUserType, row.level);
        page->SetItemText(CModifyPwdDlg::kLoginPassword, row.login);
        page->SetItemText(CModifyPwdDlg::kNewPassword, row.chosen);
        page->SetItemText(CModifyPwdDlg::kConfirmation, row.confirmation);
        Press(*page, CModifyPwdDlg::kApply);

        EXPECT_EQ(messages.Texts(), std::vector<QString>{row.message});
        EXPECT_EQ(Commands(camera), row.sent);
        const bool changed = row.message == "Password successfully changed.";
        std::array<std::string, 2> expected = kFactoryPasswords;
        if (changed) expected[static_cast<std::size_t>(row.level)] = row.chosen;
        EXPECT_EQ(camera.state().passwords, expected);
        EXPECT_EQ(page->GetItemText(CModifyPwdDlg::kNewPassword), changed ? "" : row.chosen);
    }
}

// Reconnect as a general user keeps all five tabs: the encryption page no longer
// writes, and the password page offers the general user's password alone.
TEST_F(CameraPages, AfterReconnectAsGeneralUserOnlyTheGeneralPasswordCanChange) {
    camsim::Camera& camera = simulator.addUsbCamera();
    ModalScript script;
    script
        .Then<CLoginDlg>([](CLoginDlg& first) {
            first.SelectListIndex(CLoginDlg::kUserType, kAdministrator);
            first.SetItemText(CLoginDlg::kPassword, kLoginPasswords[kAdministrator]);
            ::Press(first, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            script.Then<CLoginDlg>([](CLoginDlg& again) {
                again.SelectListIndex(CLoginDlg::kUserType, kGeneralUser);
                again.SetItemText(CLoginDlg::kPassword, kLoginPasswords[kGeneralUser]);
                ::Press(again, CLoginDlg::kLogin);
            });
            ::Press(window, CVireoDlg::kReconnect);
            auto* tabs = window.Tabs().findChild<QTabBar*>();

            tabs->setCurrentIndex(3);
            TabPage& encryption = *window.PageOfTab(3);
            camera.clearLog();
            ::Press(encryption, CDialogEncryption::kApply);
            EXPECT_EQ(Commands(camera), Codes{});

            tabs->setCurrentIndex(4);
            TabPage& password = *window.PageOfTab(4);
            EXPECT_EQ(password.ListCount(CModifyPwdDlg::kUserType), 1);
            EXPECT_EQ(password.GetItemText(CModifyPwdDlg::kLoginPasswordLabel), "Login Password:");
            password.SetItemText(CModifyPwdDlg::kLoginPassword, kLoginPasswords[kGeneralUser]);
            password.SetItemText(CModifyPwdDlg::kNewPassword, "111111");
            password.SetItemText(CModifyPwdDlg::kConfirmation, "111111");
            ::Press(password, CModifyPwdDlg::kApply);
            EXPECT_EQ(camera.state().passwords, (std::array<std::string, 2>{"111111", "888888"}));
            ::Press(window, dialog::IDCANCEL);
        });
    script.Start();
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Password successfully changed."});
}

}  // namespace
