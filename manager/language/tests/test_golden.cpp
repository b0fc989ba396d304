// Each NAME.ini is loaded from disk and saved again; the file must then equal
// NAME.saved.ini byte for byte. Together the pairs show what a save keeps and what
// it normalises.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ini_file.h"
#include "test_support.h"

namespace {

using language_test::Normalise;
using language_test::ReadFile;
using language_test::TempDir;

class GoldenFile : public testing::TestWithParam<const char*> {};

TEST_P(GoldenFile, SaveGivesExpectedText) {
    const std::filesystem::path golden = LANGUAGE_GOLDEN_DIR;
    const std::string name = GetParam();
    const std::string expected = ReadFile(golden / (name + ".saved.ini"));

    TempDir dir;
    std::filesystem::copy_file(golden / (name + ".ini"), dir / "lang.ini");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));
    ASSERT_EQ(document.Save(), SaveResult::Saved);
    EXPECT_EQ(ReadFile(dir / "lang.ini"), expected);
    // Saving the saved form again changes nothing.
    EXPECT_EQ(Normalise(expected), expected);
}

INSTANTIATE_TEST_SUITE_P(Pairs, GoldenFile,
                         testing::Values("example", "comments", "spacing", "duplicates", "ignored",
                                         "crlf", "bom", "unicode", "inline_comment"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

}  // namespace
