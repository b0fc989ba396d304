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
        CVireoApp app(StartOptions{file.toStdString(), kNoLibraryDirectory});
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

// The file names some texts; the login shows them and adds the rest with their defaults.
TEST_F(Language, TranslatedTextsReplaceTheBuiltInOnesAndTheMissingOnesAreAdded) {
    const QString path = folder.filePath("de.ini");
    WriteFile(path,
              "[LoginDlg]\nBtnLogin=Anmelden\nStPassword=Pass&&wort\nMsg1=Sechs Zeichen bitte.\n"
              "[Extra]\nGeneral User=Allgemein\n");
    MessageRecorder messages;
    RunLoginWith(path, [](CLoginDlg& login) {
        EXPECT_EQ(login.GetItemText(CLoginDlg::kLogin), "Anmelden");
        EXPECT_EQ(login.GetItemText(CLoginDlg::kPasswordLabel), "Pass&&wort");
        EXPECT_EQ(login.ListEntryText(CLoginDlg::kUserType, 0), "Allgemein");
        Press(login, CLoginDlg::kLogin);
    });
    EXPECT_EQ(messages.Texts(), std::vector<QString>{"Sechs Zeichen bitte."});
    const QString saved = ReadFile(path);
    for (const char* line :
         {"[LoginDlg]", "StUserType=User Type", "StPassword=Pass&&wort", "BtnLogin=Anmelden",
          "BtnCancel=Cancel", "Msg1=Sechs Zeichen bitte.", "Msg2=Firmware version mismatch.",
          "Msg3=Connection Failed.", "Msg4=Wrong login password.",
          "Msg5=Wrong login password, please login in 3 minutes."})
        EXPECT_TRUE(saved.contains(QString::fromUtf8(line))) << line << " missing from:\n"
                                                             << saved.toStdString();
    // Texts outside the keys of the windows are read, never added: the section stays as written.
    EXPECT_TRUE(saved.contains("[Extra]\nGeneral User=Allgemein\n\n")) << saved.toStdString();
    for (const char* unlisted : {"Administrator", "Login-Vireo", "Body-worn"})
        EXPECT_FALSE(saved.contains(QString::fromUtf8(unlisted))) << unlisted << " added to:\n"
                                                                  << saved.toStdString();
}

}  // namespace
