#include <QApplication>
#include <cstdio>

#include "start_options.h"
#include "vireo_app.h"

int main(int argc, char* argv[]) {
    // Parsed before QApplication exists, which needs a display: --help works without one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const auto request = ParseStartOptions(arguments, QProcessEnvironment::systemEnvironment());
    if (const auto* text = std::get_if<StartText>(&request)) {
        std::fputs(qPrintable(text->text), text->exitStatus == 0 ? stdout : stderr);
        return text->exitStatus;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    CVireoApp app(std::get<StartOptions>(request));
    return app.InitInstance();
}
