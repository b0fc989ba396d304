// GoogleTest with a Qt application around it; windows render off screen unless
// the caller chose a platform. What the tests do to cameras is recorded in a file of
// this run's own, never in the computer's audit trail.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QTemporaryDir trail;
    qputenv("PETREL_AUDIT_FILE", trail.filePath(QStringLiteral("audit.jsonl")).toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
