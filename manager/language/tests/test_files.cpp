// What reaches the disk: the size limit, the atomic replace, files that cannot be
// read or written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ini_file.h"
#include "test_support.h"

namespace {

using language_test::ReadFile;
using language_test::TempDir;
using language_test::WriteFile;

constexpr std::size_t kLimit = CIniFile::kMaxTextBytes;

TEST(Saving, ADocumentOfTheLimitIsWrittenAndOneBeyondItIsNot) {
    TempDir dir;
    CIniFile document;
    document.Load(dir / "lang.ini");
    // "[A]\n" + "k=" + value + "\n" + "\n" makes the whole text.
    document.GetString(u"A", u"k", std::u16string(kLimit - 8, u'y'));
    EXPECT_EQ(std::filesystem::file_size(dir / "lang.ini"), kLimit);
    const std::string full = ReadFile(dir / "lang.ini");

    const std::u16string huge(kLimit, u'x');
    EXPECT_EQ(document.GetString(u"A", u"big", huge), huge);  // kept in memory all the same
    EXPECT_EQ(ReadFile(dir / "lang.ini"), full);              // the old file stays
    EXPECT_EQ(document.Save(), SaveResult::TooLarge);
    EXPECT_EQ(dir.EntryCount(), 1u);  // no temporary file left behind
}

TEST(Loading, AFileBeyondTheLimitIsReadInPartAndNeverOverwritten) {
    TempDir dir;
    const std::string text = "[A]\nfirst=1\n" + std::string(kLimit, ';') + "\n[B]\nlost=2\n";
    WriteFile(dir / "lang.ini", text);
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "lang.ini"));
    EXPECT_EQ(document.GetString(u"A", u"first", u"d"), u"1");
    EXPECT_EQ(document.GetString(u"B", u"lost", u"d"), u"d");
    EXPECT_EQ(document.Save(), SaveResult::SourceNotFullyRead);
    EXPECT_EQ(ReadFile(dir / "lang.ini"), text);
}

TEST(Loading, MissingAndUnreadableFilesLeaveTheDocumentAsItWas) {
    TempDir dir;
    CIniFile document;
    document.Parse("[Kept]\nk=v\n");
    EXPECT_FALSE(document.Load(dir / "missing.ini"));
    EXPECT_FALSE(document.Load(dir.Path()));  // a folder is no file
    EXPECT_FALSE(document.Load(""));
    EXPECT_EQ(document.GetCount(), 1u);
    EXPECT_EQ(document.GetString(u"Kept", u"k", u"d"), u"v");
    // The folder was the last path taken: it is never written over.
    EXPECT_EQ(document.Save(), SaveResult::SourceNotFullyRead);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
}

TEST(Saving, AFolderThatCannotTakeTheFileReportsFailure) {
    TempDir dir;
    CIniFile document;
    document.Load(dir / "no-such-folder" / "lang.ini");
    document.Parse("[A]\nk=v\n");
    EXPECT_EQ(document.Save(), SaveResult::WriteFailed);
    EXPECT_EQ(CIniFile().Save(), SaveResult::NoPath);
}

TEST(Saving, ReplacesTheFileALinkNamesAndKeepsItsPermissions) {
    TempDir dir;
    WriteFile(dir / "real.ini", "[A]\n");
    ::chmod((dir / "real.ini").c_str(), 0640);
    std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
    CIniFile document;
    ASSERT_TRUE(document.Load(dir / "link.ini"));
    document.GetString(u"A", u"k", u"v");

    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadFile(dir / "real.ini"), "[A]\nk=v\n\n");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
