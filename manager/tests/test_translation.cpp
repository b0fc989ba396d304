// Under a German locale every text the login (with one camera and with two), an
// administrator's five pages, their dialogs and message boxes show comes from the
// installed German translation. The
// walk runs once in English and once in German: a text shown alike in both is
// English left over, unless every word of it is a name, a unit or a number.
#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTabBar>
#include <set>

#include "about_dlg.h"
#include "app_state.h"
#include "input_password_dlg.h"
#include "login_dlg.h"
#include "program_path.h"
#include "start_options.h"
#include "sys_manager_dlg.h"
#include "test_support.h"
#include "vireo_dlg.h"

namespace {

using Texts = std::set<QString>;

// Words that are the same in German: names, abbreviations and units.
const std::set<QString> kNames = {
    "Vireo", "WiFi",  "WLAN", "Bluetooth", "AES",          "AES256",  "MAC",  "P2P",
    "PIN",   "SSID",  "IP",   "URL",       "APN",          "SIM",     "USB",  "GPS",
    "LED",   "AP",    "STA",  "OK",        "ONVIF",        "Skyvale", "Http", "Https",
    "NTSC",  "PAL",   "UTC",  "GB",        "GHz",          "Hz",      "min",  "s",
    "Audio", "Video", "Text", "Normal",    "Administrator"};

// The camera's own texts, shown as the camera holds them.
const camsim::CameraState kCamera{};

bool IsName(const QString& text) {
    if (text == QString::fromStdString(kCamera.modelId) ||
        text == QString::fromStdString(kCamera.version) ||
        text == QString::fromStdString(kCamera.waterMark))
        return true;
    static const QRegularExpression kWords(QStringLiteral("[^\\p{L}\\p{N}]+"));
    for (const QString& word : text.split(kWords, Qt::SkipEmptyParts)) {
        const bool number = word.contains(QRegularExpression(QStringLiteral("\\d")));
        if (!number && !kNames.contains(word)) return false;
    }
    return true;
}

void Add(Texts& texts, const QString& text) {
    if (!text.trimmed().isEmpty()) texts.insert(text);
}

// What a person sees in `window`: its title and the texts of its visible controls.
void Collect(const QWidget& window, Texts& texts) {
    Add(texts, window.windowTitle());
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            Add(texts, label->text());
            Add(texts, label->accessibleName());  // the banner's painted words
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            Add(texts, button->text());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            Add(texts, group->title());
        } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i) Add(texts, list->itemText(i));
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            Add(texts, edit->text());
            Add(texts, edit->placeholderText());
        } else if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
            for (int i = 0; i < bar->count(); ++i) Add(texts, bar->tabText(i));
        }
    }
}

void CollectEveryTab(CVireoDlg& window, Texts& texts) {
    auto* bar = window.Tabs().findChild<QTabBar*>();
    for (int tab = 0; tab < bar->count(); ++tab) {
        bar->setCurrentIndex(tab);
        QCoreApplication::sendPostedEvents();
        Collect(window, texts);
    }
}

// The about box, the administrator password prompt and the camera info page's questions.
void CollectDialogs(ModalScript& script, CVireoDlg& window, Texts& texts) {
    const auto look = [&texts](QWidget& dialog) {
        Collect(dialog, texts);
        dialog.close();
    };
    script.Then<CAboutDlg>(look);
    window.actions().first()->trigger();
    window.Tabs().findChild<QTabBar*>()->setCurrentIndex(0);
    TabPage& page = *window.Pages()[0];
    script.Then<CDialogInputPassword>(look);
    Press(page, CSysManagerDlg::kLockMemory);
    Press(page, CSysManagerDlg::kDefaultSettings);  // answered No
    Press(page, CSysManagerDlg::kFormatDisk);
}

void LogIn(CLoginDlg& login, int camera) {
    login.SelectListIndex(CLoginDlg::kCamera, camera);
    login.SelectListIndex(CLoginDlg::kUserType, kAdministrator);
    login.SetItemText(CLoginDlg::kPassword, "888888");
}

// Every text the walk shows, message boxes included, with `options`.
Texts Walk(const StartOptions& options) {
    ResetProcessState();
    Texts texts;
    MessageRecorder messages;
    camsim::Simulator simulator;
    simulator.addUsbCamera(kCamera);
    CVireoApp app(options);
    ModalScript script;
    script
        .Then<CLoginDlg>([&texts](CLoginDlg& login) {
            LogIn(login, 0);
            Collect(login, texts);
            Press(login, CLoginDlg::kLogin);
        })
        .Then<CVireoDlg>([&](CVireoDlg& window) {
            CollectEveryTab(window, texts);
            CollectDialogs(script, window, texts);
            camsim::Camera& chosen = simulator.addDiskCamera(kCamera);
            script.Then<CLoginDlg>([&texts](CLoginDlg& login) {
                LogIn(login, 1);
                Collect(login, texts);
                Press(login, CLoginDlg::kLogin);
            });
            Press(window, CVireoDlg::kReconnect);
            // A page whose reads fail says so above its controls.
            chosen.injectFault(camsim::Fault::NoReply, 1, camsim::FaultSpan::FromThenOn);
            Press(*window.Pages()[0], CSysManagerDlg::kRefresh);
            Collect(window, texts);
            Press(*window.Pages()[0], CSysManagerDlg::kApply);
            window.close();
        });
    script.Start();
    app.InitInstance();
    EXPECT_TRUE(script.Done());
    for (const auto& message : messages.shown) {
        Add(texts, message.text);
        Add(texts, message.title);
        Add(texts, message.yesText);
        Add(texts, message.noText);
    }
    return texts;
}

TEST(Translation, GermanLocaleShowsNoEnglishTextButNames) {
    StartOptions english = OptionsFor(platform::ProgramDirectory());
    StartOptions german = english;
    QProcessEnvironment locale;
    locale.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    german.languageFile = TranslationForLocale(locale, VIREO_TRANSLATIONS_SOURCE);
    german.languageMode = LoadMode::ReadOnly;
    ASSERT_EQ(german.languageFile.filename(), "de.ini");

    const Texts shownInEnglish = Walk(english);
    const Texts shownInGerman = Walk(german);
    EXPECT_GT(shownInGerman.size(), 150u);  // the walk saw the pages
    QStringList untranslated;
    for (const QString& text : shownInGerman)
        if (shownInEnglish.contains(text) && !IsName(text)) untranslated << text;
    EXPECT_TRUE(untranslated.isEmpty()) << "English left:\n"
                                        << untranslated.join('\n').toStdString();
}

}  // namespace
