#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <fstream>

#include "program_path.h"
#include "start_options.h"
#include "version_record.h"
#include "version_text.h"

namespace {

QProcessEnvironment Environment(const std::vector<std::pair<QString, QString>>& variables) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : variables) environment.insert(name, value);
    return environment;
}

std::variant<StartOptions, StartText> Parse(const QStringList& arguments,
                                            const QProcessEnvironment& environment = {}) {
    return ParseStartOptions(QStringList{"vireo"} + arguments, environment);
}

TEST(StartOptions, TheOptionWinsOverTheEnvironmentAndTheLibraryIsInTheProgramsFolder) {
    const auto french = Environment({{"VIREO_LANGUAGE", "fr.ini"}, {"LANG", "de_DE.UTF-8"}});
    EXPECT_EQ(std::get<StartOptions>(Parse({"--language", "de.ini"}, french)).languageFile,
              "de.ini");
    const auto fromEnvironment = std::get<StartOptions>(Parse({}, french));
    EXPECT_EQ(fromEnvironment.languageFile, "fr.ini");
    EXPECT_EQ(fromEnvironment.languageMode, LoadMode::SaveMissingTexts);
    const auto options = std::get<StartOptions>(Parse({}));
    EXPECT_TRUE(options.languageFile.empty());
    EXPECT_EQ(options.libraryDirectory.back(), '/');
}

TEST(StartOptions, HelpAndUnknownArgumentsAreTextsWithTheirExitStatus) {
    const struct {
        QStringList arguments;
        const char* expected;
        int exitStatus;
    } rows[] = {
        {{"--help"}, "--language FILE", 0},
        {{"--version"}, "vireo 1.", 0},
        {{"--colour"}, "colour", 2},
        {{"extra"}, "extra", 2},
    };
    for (const auto& row : rows) {
        const auto text = std::get<StartText>(Parse(row.arguments));
        EXPECT_TRUE(text.text.contains(row.expected)) << text.text.toStdString();
        EXPECT_EQ(text.exitStatus, row.exitStatus) << row.expected;
    }
}

TEST(StartOptions, TheLocaleChoosesAnInstalledTranslation) {
    QTemporaryDir folder;
    const std::filesystem::path installed = folder.path().toStdString();
    for (const char* name : {"de.ini", "pt_BR.ini"}) std::ofstream(installed / name) << "[A]\n";
    const struct {
        std::vector<std::pair<QString, QString>> variables;
        const char* expected;  // empty: none
    } rows[] = {
        {{{"LANG", "de_AT.UTF-8"}}, "de.ini"},
        {{{"LANG", "pt_BR.UTF-8@latin"}}, "pt_BR.ini"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE"}}, "de.ini"},
        {{{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE"}}, ""},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "es:pt_BR:de"}}, "pt_BR.ini"},
        {{{"LC_ALL", "C.UTF-8"}, {"LANGUAGE", "de"}}, ""},
        {{}, ""},
    };
    for (const auto& row : rows) {
        const auto chosen = TranslationForLocale(Environment(row.variables), installed);
        EXPECT_EQ(chosen.empty() ? "" : chosen.filename().string(), row.expected)
            << "row " << &row - rows;
    }
}

TEST(VersionText, ComesFromTheProgramsRecordOrReadsZeros) {
    EXPECT_EQ(FormatVersionText(platform::ProgramVersionRecord()), VIREO_VERSION_TEXT);
    EXPECT_EQ(FormatVersionText(nullptr), "V0.0.0.0");
    const platform::VersionRecord wide{0xFFFF0001u, 0x00020003u, 0, 0, "x", "x"};
    EXPECT_EQ(FormatVersionText(&wide), "V65535.1.2.3");
}

TEST(ProgramPath, IsTheFolderOfTheRunningProgram) {
    EXPECT_EQ(platform::ProgramDirectory(),
              QCoreApplication::applicationDirPath().toStdString() + "/");
    EXPECT_EQ(platform::DirectoryOf("vireo"), "");
}

}  // namespace
