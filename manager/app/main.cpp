#include <QApplication>
#include <cstdio>

#include "start_options.h"
#include "vireo_app.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireo"));

    QString error;
    const auto options =
        ParseStartOptions(QApplication::arguments(), qEnvironmentVariable("VIREO_LANGUAGE"), error);
    if (!options) {
        std::fprintf(stderr, "vireo: %s\nusage: vireo [--language FILE]\n", qPrintable(error));
        return 2;
    }
    CVireoApp app(*options);
    return app.InitInstance();
}
