#include <gtest/gtest.h>

#include "start_options.h"

namespace {

std::optional<StartOptions> Parse(const QStringList& arguments, const QString& environment,
                                  QString& error) {
    return ParseStartOptions(QStringList{"vireo"} + arguments, environment, error);
}

TEST(StartOptions, TheOptionWinsOverTheEnvironmentAndTheLibraryIsInTheProgramsFolder) {
    QString error;
    EXPECT_EQ(Parse({"--language", "de.ini"}, "fr.ini", error)->languageFile, "de.ini");
    EXPECT_EQ(Parse({}, "fr.ini", error)->languageFile, "fr.ini");
    const auto options = Parse({}, "", error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->languageFile.empty());
    EXPECT_EQ(options->libraryDirectory.back(), '/');
}

TEST(StartOptions, UnknownArgumentsAreRefusedWithAReason) {
    QString error;
    EXPECT_FALSE(Parse({"--colour"}, "", error));
    EXPECT_TRUE(error.contains("colour"));
    EXPECT_FALSE(Parse({"extra"}, "", error));
    EXPECT_TRUE(error.contains("extra"));
}

}  // namespace
