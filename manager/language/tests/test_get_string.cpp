#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "multilanguage.h"
#include "test_support.h"

namespace {

using language_test::ReadFile;
using language_test::TempDir;
using language_test::WriteFile;

TEST(GetString, MissingSectionIsAddedWithKeyAndSaved) {
    TempDir dir;
    CIniFile document;
    EXPECT_FALSE(document.Load(dir / "lang.ini"));  // missing, but remembered as the path

    EXPECT_EQ(document.GetString(u"Sec", u"New", u"Text"), u"Text");
    EXPECT_EQ(ReadFile(dir / "lang.ini"), "[Sec]\nNew=Text\n\n");

    // The first default is what every later lookup gets, and a hit writes nothing.
    std::filesystem::remove(dir / "lang.ini");
    EXPECT_EQ(document.GetString(u"Sec", u"New", u"Other"), u"Text");
    EXPECT_FALSE(std::filesystem::exists(dir / "lang.ini"));
}

TEST(GetString, MissingKeyJoinsItsSectionAndTheWholeDocumentIsSaved) {
    TempDir dir;
    WriteFile(dir / "lang.ini", "# top\n[A]\nx = 1 ; one\n[B]\ny=2\n");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));

    EXPECT_EQ(document.GetString(u"A", u"x", u"default"), u"1");
    EXPECT_EQ(document.GetString(u"A", u"z", u"zed"), u"zed");
    EXPECT_EQ(ReadFile(dir / "lang.ini"), "; top\n[A]\nx=1 ; one\nz=zed\n\n[B]\ny=2\n\n");
}

TEST(GetString, OnlyTheFirstOfTwoSameNamedSectionsAnswers) {
    TempDir dir;
    WriteFile(dir / "lang.ini", "[A]\nk=1\n[A]\nk=2\nj=3\n");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));

    EXPECT_EQ(document.GetString(u"A", u"k", u"d"), u"1");
    EXPECT_EQ(document.GetString(u"A", u"j", u"d"), u"d");
    EXPECT_EQ(ReadFile(dir / "lang.ini"), "[A]\nk=1\nj=d\n\n[A]\nk=2\nj=3\n\n");
}

TEST(GetString, EmptyValueIsAnAnswerAndNamesAreCaseSensitive) {
    CIniFile document;
    document.Parse("[S]\nempty=\nKey=upper\n; Key=in a comment\n");
    EXPECT_EQ(document.GetString(u"S", u"empty", u"default"), u"");
    EXPECT_EQ(document.GetString(u"S", u"Key", u"default"), u"upper");
    EXPECT_EQ(document.GetString(u"S", u"key", u"lower"), u"lower");
    EXPECT_EQ(document.GetString(u"s", u"Key", u"other section"), u"other section");
    EXPECT_EQ(
        document.BuildText(),
        "[S]\nempty=\nKey=upper\n; Key=in a comment\nkey=lower\n\n[s]\nKey=other section\n\n");
}

TEST(GetString, WithoutFileEveryLookupYieldsItsDefaultAndNothingIsWritten) {
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
    EXPECT_EQ(language.GetString("Default", "Success", "ignored"), "Erfolgreich \xE2\x9C\x93");
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
