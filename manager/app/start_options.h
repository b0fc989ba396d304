#pragma once

#include <QProcessEnvironment>
#include <QStringList>
#include <filesystem>
#include <variant>

#include "vireo_app.h"

// A text to print instead of running: help and version on standard output with exit
// status 0, a refused command line on standard error with status 2.
struct StartText {
    QString text;
    int exitStatus;
};

// The language file: the --language option, else VIREO_LANGUAGE, else the installed
// translation the locale asks for (read only), else none. Needs no QApplication, so
// that --help works without a display.
std::variant<StartOptions, StartText> ParseStartOptions(const QStringList& arguments,
                                                        const QProcessEnvironment& environment);

// The translation in `folder` (NAME.ini) for the first of LANGUAGE's entries and the
// locale of LC_ALL, LC_MESSAGES or LANG that has one, each tried as language_TERRITORY
// and as language. Empty for the C locale and when none is installed.
std::filesystem::path TranslationForLocale(const QProcessEnvironment& environment,
                                           const std::filesystem::path& folder);
