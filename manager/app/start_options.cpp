#include "start_options.h"

#include <QCommandLineParser>

#include "program_path.h"

std::optional<StartOptions> ParseStartOptions(const QStringList& arguments,
                                              const QString& environmentLanguage, QString& error) {
    QCommandLineParser parser;
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("Language file of user-interface texts; missing texts are added to it."),
        QStringLiteral("FILE"));
    parser.addOption(language);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    const QString file = parser.isSet(language) ? parser.value(language) : environmentLanguage;
    return StartOptions{file.toStdString(), platform::ProgramDirectory()};
}
