#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "multilanguage.h"
#include "test_support.h"
#include "text_conversion.h"

namespace {

using language_test::ReadFile;
using language_test::TempDir;
using language_test::WriteFile;

std::u16string Wide(const char* text) { return vireo::text::Utf8ToWide(text).value(); }

// A lookup in a file holding `before` (none if null) answers `answer` and leaves
// `after` in the file (`before` if null: nothing is written).
TEST(GetString, AMissingKeyIsAddedWithItsDefaultAndTheWholeDocumentSaved) {
    const char* const top = "# top\n[A]\nx = 1 ; one\n[B]\ny=2\n";
    const char* const twice = "[A]\nk=1\n[A]\nk=2\nj=3\n";
    const char* const cased = "[S]\nempty=\nKey=upper\n; Key=in a comment\n";
    const struct {
        const char *before, *section, *key, *fallback, *answer, *after;
    } cases[] = {
        {nullptr, "Sec", "New", "Text", "Text", "[Sec]\nNew=Text\n\n"},
        {top, "A", "x", "default", "1", nullptr},
        {top, "A", "z", "zed", "zed", "; top\n[A]\nx=1 ; one\nz=zed\n\n[B]\ny=2\n\n"},
        {twice, "A", "k", "d", "1", nullptr},  // only the first same-named section answers
        {twice, "A", "j", "d", "d", "[A]\nk=1\nj=d\n\n[A]\nk=2\nj=3\n\n"},
        {cased, "S", "empty", "default", "", nullptr},
        {cased, "S", "key", "lower", "lower",
         "[S]\nempty=\nKey=upper\n; Key=in a comment\nkey=lower\n\n"},
        {cased, "s", "Key", "other", "other",
         "[S]\nempty=\nKey=upper\n; Key=in a comment\n\n[s]\nKey=other\n\n"},
    };
    for (const auto& row : cases) {
        TempDir dir;
        if (row.before != nullptr) WriteFile(dir / "lang.ini", row.before);
        CIniFile document;
        EXPECT_EQ(document.Load(dir / "lang.ini"), row.before != nullptr);
        EXPECT_EQ(document.GetString(Wide(row.section), Wide(row.key), Wide(row.fallback)),
                  Wide(row.answer))
            << row.key;
        EXPECT_EQ(ReadFile(dir / "lang.ini"), row.after ? row.after : row.before) << row.key;
    }
}

TEST(GetString, WithoutFileTheFirstDefaultAnswersAndNothingIsWritten) {
    CIniFile document;
    EXPECT_FALSE(document.Load(""));
    EXPECT_TRUE(document.GetPath().empty());
    EXPECT_EQ(document.GetString(u"LoginDlg", u"BtnLogin", u"Login"), u"Login");
    EXPECT_EQ(document.GetString(u"LoginDlg", u"BtnLogin", u"Other"), u"Login");
    EXPECT_EQ(document.Save(), SaveResult::NoPath);
}

TEST(GetString, EmptyNameKeepsThePathOfAnEarlierLoad) {
    TempDir dir;
    WriteFile(dir / "lang.ini", "[S]\nk=v\n");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));
    EXPECT_FALSE(document.Load(""));
    EXPECT_EQ(document.GetPath(), dir / "lang.ini");
    EXPECT_EQ(document.GetCount(), 1u);  // the file was not read a second time
}

TEST(Multilanguage, Utf8LookupStoresAndReturnsUtf8) {
    TempDir dir;
    CMultilanguage language;
    language.Load(dir / "lang.ini");

    EXPECT_EQ(language.GetString("Default", "Success", "Erfolgreich \xE2\x9C\x93"),
              "Erfolgreich \xE2\x9C\x93");
    EXPECT_EQ(language.GetString(u"Default", u"Success", u"ignored"), u"Erfolgreich \u2713");
    EXPECT_EQ(ReadFile(dir / "lang.ini"), "[Default]\nSuccess=Erfolgreich \xE2\x9C\x93\n\n");
    // Bad bytes from a caller are replaced, not stored.
    EXPECT_EQ(language.GetString("Default", "Bad", "a\xFFz"), "a\xEF\xBF\xBDz");
}

TEST(Multilanguage, GetInstanceReachesTheSameDocumentWhileItLives) {
    EXPECT_EQ(CMultilanguage::GetInstance(), nullptr);
    {
        CMultilanguage first;
        CMultilanguage second;
        ASSERT_EQ(CMultilanguage::GetInstance(), &first);
        first.GetString("S", "k", "from first");
        EXPECT_EQ(CMultilanguage::GetInstance()->GetString("S", "k", "x"), "from first");
    }
    EXPECT_EQ(CMultilanguage::GetInstance(), nullptr);
}

}  // namespace
