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

struct GoldenCase {
    const char* name;
    bool savedFormIsStable;  // saving the saved form again changes nothing
};

class GoldenFile : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFile, SaveGivesExpectedText) {
    const std::filesystem::path golden = LANGUAGE_GOLDEN_DIR;
    const std::string name = GetParam().name;
    const std::string expected = ReadFile(golden / (name + ".saved.ini"));

    TempDir dir;
    std::filesystem::copy_file(golden / (name + ".ini"), dir / "lang.ini");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));
    ASSERT_EQ(document.Save(), SaveResult::Saved);
    EXPECT_EQ(ReadFile(dir / "lang.ini"), expected);

    if (GetParam().savedFormIsStable) {
        EXPECT_EQ(Normalise(expected), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, GoldenFile,
    testing::Values(GoldenCase{"example", true}, GoldenCase{"comments", true},
                    GoldenCase{"spacing", true}, GoldenCase{"duplicates", true},
                    GoldenCase{"ignored", true}, GoldenCase{"crlf", true}, GoldenCase{"bom", true},
                    GoldenCase{"unicode", true}, GoldenCase{"inline_comment", true},
                    // A comment after a dropped section joins the section before it.
                    GoldenCase{"invalid_utf8", false}),
    [](const testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
