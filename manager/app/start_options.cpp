#include "start_options.h"

#include <QCommandLineParser>

#include "program_path.h"
#include "version_record.h"
#include "version_text.h"

namespace {

const char* const kHelp =
    "Usage: vireo [--language FILE]\n"
    "Administer a body-worn camera plugged into this computer: log in as General User\n"
    "or Administrator and read or change the camera on tabbed pages.\n"
    "\n"
    "Options:\n"
    "  --language FILE  take the user-interface texts from FILE, an INI language file;\n"
    "                   texts it lacks are added to it with their English default, so\n"
    "                   an empty FILE becomes a complete template for a translation\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Environment:\n"
    "  VIREO_LANGUAGE   the language file when --language is not given; set but\n"
    "                   empty, the built-in English texts\n"
    "  LANG             with LANGUAGE, LC_ALL and LC_MESSAGES, the locale whose\n"
    "                   installed translation (share/vireo/de.ini for German) is\n"
    "                   shown when neither is given; it is read, never written\n";

bool IsCLocale(const QString& locale) {
    return locale.isEmpty() || locale == "C" || locale == "POSIX" || locale.startsWith("C.");
}

}  // namespace

std::filesystem::path TranslationForLocale(const QProcessEnvironment& environment,
                                           const std::filesystem::path& folder) {
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (locale.isEmpty()) locale = environment.value(name);
    if (IsCLocale(locale)) return {};

    const QStringList wanted = environment.value("LANGUAGE").split(':', Qt::SkipEmptyParts)
                               << locale;
    for (const QString& entry : wanted) {
        const QString territorial = entry.section('.', 0, 0).section('@', 0, 0);
        for (const QString& name : {territorial, territorial.section('_', 0, 0)}) {
            const auto file = folder / (name + ".ini").toStdString();
            std::error_code ignored;
            if (!name.isEmpty() && std::filesystem::exists(file, ignored)) return file;
        }
    }
    return {};
}

std::variant<StartOptions, StartText> ParseStartOptions(const QStringList& arguments,
                                                        const QProcessEnvironment& environment) {
    QCommandLineParser parser;
    const QCommandLineOption language(QStringLiteral("language"), QString(),
                                      QStringLiteral("FILE"));
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({language, help, version});
    const auto refuse = [](const QString& problem) {
        return StartText{"vireo: " + problem + "\nusage: vireo [--language FILE]\n", 2};
    };
    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse("unexpected argument: " + parser.positionalArguments().first());
    if (parser.isSet(help)) return StartText{kHelp, 0};
    // The bare number, as petrelctl and the packages give it; the titles keep their 'V'.
    if (parser.isSet(version))
        return StartText{
            "vireo " + FormatVersionText(platform::ProgramVersionRecord()).mid(1) + "\n", 0};

    StartOptions options{{}, platform::ProgramDirectory()};
    if (parser.isSet(language))
        options.languageFile = parser.value(language).toStdString();
    else if (environment.contains("VIREO_LANGUAGE"))
        options.languageFile = environment.value("VIREO_LANGUAGE").toStdString();
    else if (!options.libraryDirectory.empty()) {
        const auto installed =
            std::filesystem::path(options.libraryDirectory) / VIREO_TRANSLATIONS_FROM_PROGRAM;
        options.languageFile = TranslationForLocale(environment, installed.lexically_normal());
        options.languageMode = LoadMode::ReadOnly;
    }
    return options;
}
