// Windows take their texts from the language file once when they open; a file
// that lacks texts gets them added with their built-in defaults.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "login_dlg.h"
#include "test_support.h"

namespace {

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class Language : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }

    // Runs the program with `file` as its language file until the login is closed.
    void RunLoginWith(const QString& file, const std::function<void(CLoginDlg&)>& look) {
        CVireoApp app(StartOptions{file.toStdString(), FakeLibraryDirectory("none")});
        ModalScript script;
        script.Then<CLoginDlg>([&](CLoginDlg& login) {
            look(login);
            login.close();
        });
        script.Start();
        app.InitInstance();
        EXPECT_TRUE(script.Done());
    }

    QTemporaryDir folder;
};

TEST_F(Language, AnEmptyFileBecomesATemplateOfTheLoginsTexts) {
    const QString path = folder.filePath("vireo.ini");
    WriteFile(path, "");
    RunLoginWith(path, [](CLoginDlg&) {});
    const QString saved = ReadFile(path);
    for (const char* line :
         {"[LoginDlg]", "StUserType=User Type", "StPassword=Password", "BtnLogin=Login",
          "BtnCancel=Cancel", "Msg1=Please enter 6-character password.",
          "Msg2=Firmware version mismatch.", "Msg3=Connection Failed.",
          "Msg4=Wrong login password.", "Msg5=Wrong login password, please login in 3 minutes."})
        EXPECT_TRUE(saved.contains(QString::fromUtf8(line))) << line << " missing from:\n"
                                                             << saved.toStdString();
}

TEST_F(Language, TranslatedTextsReplaceTheBuiltInOnes) {
    const QString path = folder.filePath("de.ini");
    WriteFile(path,
              "[LoginDlg]\nBtnLogin=Anmelden\nStPassword=Pass&&wort\nMsg1=Sechs Zeichen bitte.\n");
    MessageRecorder messages;
    RunLoginWith(path, [](CLoginDlg& login) {
        EXPECT_EQ(login.GetItemText(CLoginDlg::kLogin), "Anmelden");
        EXPECT_EQ(login.GetItemText(CLoginDlg::kPasswordLabel), "Pass&&wort");
        Press(login, CLoginDlg::kLogin);
    });
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Sechs Zeichen bitte."});
}

}  // namespace
