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

// Whatever could not be read would be lost by a save: the file stays as it was, the
// lines that could be read are used, and a missing text shows its built-in default.
TEST(Loading, AFileNotAllTextIsUsedAsFarAsReadableAndNeverOverwritten) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string bytes;
        std::size_t badLine;
    } rows[] = {
        {"Latin-1", "[A]\nok=Oui\nTitle=Connexion \xE0 la cam\xE9ra\n", 3},
        {"UTF-16", "\xFF\xFE[\0A\0]\0\n\0o\0k\0=\0O\0u\0i\0\n\0"s, 1},
        {"NUL byte", "[A]\nok=Oui\nTitle=x\0y\n"s, 3},
        {"control byte", "[A]\nok=Oui\n\x1B[31m\n", 3},
        {"binary",
         "\x7F"
         "ELF\x02\x01\x01\0\0\0"s,
         1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        WriteFile(dir / "lang.ini", row.bytes);
        CIniFile document;
        document.Load(dir / "lang.ini");
        if (row.badLine > 1) {
            EXPECT_EQ(document.GetString(u"A", u"ok", u"d"), u"Oui");
        }
        EXPECT_EQ(document.GetString(u"A", u"Title", u"Connect"), u"Connect");
        EXPECT_EQ(document.Save(), SaveResult::SourceNotFullyRead);
        EXPECT_EQ(ReadFile(dir / "lang.ini"), row.bytes);
        EXPECT_EQ(dir.EntryCount(), 1u);
        EXPECT_NE(document.DescribeReadProblem().find("line " + std::to_string(row.badLine) + " "),
                  std::string::npos)
            << document.DescribeReadProblem();
    }
}

TEST(Loading, APipeIsRefusedAtOnceAndAReadOnlyFileIsNeverWritten) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    CIniFile piped;
    EXPECT_FALSE(piped.Load(dir / "pipe.ini"));  // would wait for a writer if opened blocking
    EXPECT_EQ(piped.GetReadProblem().kind, ReadProblem::Kind::Unreadable);
    EXPECT_EQ(piped.GetString(u"A", u"k", u"d"), u"d");

    WriteFile(dir / "de.ini", "[A]\nk=v\n");
    CIniFile installed;
    ASSERT_TRUE(installed.Load(dir / "de.ini", LoadMode::ReadOnly));
    EXPECT_EQ(installed.GetString(u"A", u"new", u"d"), u"d");
    EXPECT_EQ(installed.Save(), SaveResult::ReadOnly);
    EXPECT_EQ(ReadFile(dir / "de.ini"), "[A]\nk=v\n");
    EXPECT_EQ(installed.DescribeReadProblem(), "");
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
