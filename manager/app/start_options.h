#pragma once

#include <QStringList>
#include <optional>

#include "vireo_app.h"

// Which language file to use: the --language option, else the VIREO_LANGUAGE
// environment variable (given as `environmentLanguage`), else none.
// Null with `error` set when the arguments are not understood.
std::optional<StartOptions> ParseStartOptions(const QStringList& arguments,
                                              const QString& environmentLanguage, QString& error);
