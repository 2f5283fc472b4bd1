#include "framework/profile.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace framework;
using testing_support::TempDir;

class ProfileTest : public ::testing::Test {
protected:
    std::string writeIni(std::string_view bytes) { return m_dir.write("test.ini", bytes); }
    std::string ini() const { return m_dir.file("test.ini"); }
    std::string contents() const { return m_dir.read("test.ini"); }

    TempDir m_dir;
};

// --- reading -------------------------------------------------------------------------

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(readProfileInt(ini(), "options", "TabSize", 7), 7);
    EXPECT_EQ(readProfileString(ini(), "options", "SrcDir", "none"), "none");

    writeIni("[options]\nTabSize=3\n");
    EXPECT_EQ(readProfileInt(ini(), "Font", "TabSize", 7), 7);
    EXPECT_EQ(readProfileInt(ini(), "options", "UseTab", 7), 7);
    EXPECT_EQ(readProfileString(ini(), "options", "SrcDir", "none"), "none");
}

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutRegardToCase)
{
    writeIni("[Options]\nTABSIZE=8\nSrcDir=/home/a\n");
    EXPECT_EQ(readProfileInt(ini(), "options", "TabSize", 0), 8);
    EXPECT_EQ(readProfileString(ini(), "OPTIONS", "srcdir", ""), "/home/a");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWin)
{
    writeIni("[a]\nk=1\nk=2\n[A]\nk=3\nonly=4\n");
    EXPECT_EQ(readProfileInt(ini(), "a", "k", 0), 1);
    // A key held only by a later section of the same name is not seen.
    EXPECT_EQ(readProfileInt(ini(), "a", "only", -1), -1);
}

TEST_F(ProfileTest, KeysOutsideTheirSectionAndCommentsAreNotValues)
{
    writeIni("k=1\n[a]\n;k=2\nother\n[b]\nk=3\n");
    EXPECT_EQ(readProfileInt(ini(), "a", "k", 9), 9);
    EXPECT_EQ(readProfileInt(ini(), "b", "k", 9), 3);
}

TEST_F(ProfileTest, IntegersReadAsSignedDecimal)
{
    writeIni("[n]\nblanks=   12\nminus=-7\nplus=+3\ntail=12abc\nletters=abc\nsignOnly=-\n"
             "hex=0x1F\nempty=\nmin=-2147483648\nwrapped=4294967297\n");
    EXPECT_EQ(readProfileInt(ini(), "n", "blanks", 0), 12);
    EXPECT_EQ(readProfileInt(ini(), "n", "minus", 0), -7);
    EXPECT_EQ(readProfileInt(ini(), "n", "plus", 0), 3);
    EXPECT_EQ(readProfileInt(ini(), "n", "tail", 0), 12);
    EXPECT_EQ(readProfileInt(ini(), "n", "letters", 5), 0);
    EXPECT_EQ(readProfileInt(ini(), "n", "signOnly", 5), 0);
    EXPECT_EQ(readProfileInt(ini(), "n", "hex", 5), 0);
    EXPECT_EQ(readProfileInt(ini(), "n", "empty", 5), 5);
    EXPECT_EQ(readProfileInt(ini(), "n", "min", 0), INT_MIN);
    EXPECT_EQ(readProfileInt(ini(), "n", "wrapped", 0), 1);
}

TEST_F(ProfileTest, StringsLoseTheBlanksAroundThem)
{
    writeIni("[s]\n  name  =   two words \t\r\nempty=\n");
    EXPECT_EQ(readProfileString(ini(), "s", "name", ""), "two words");
    EXPECT_EQ(readProfileString(ini(), "s", "empty", "default"), "");
}

// --- writing -------------------------------------------------------------------------

TEST_F(ProfileTest, WriteReplacesTheValueInPlaceAndKeepsEveryOtherLine)
{
    writeIni("; my settings\n[options]\nUnknown=keep me\nTabSize = 4\n\n[Other]\nx=1\n");
    ASSERT_TRUE(writeProfileInt(ini(), "OPTIONS", "tabsize", 8));
    EXPECT_EQ(contents(), "; my settings\n[options]\nUnknown=keep me\nTabSize =8\n\n[Other]\nx=1\n");
}

TEST_F(ProfileTest, WriteAddsANewKeyAfterTheLastKeyOfItsSection)
{
    writeIni("[options]\nTabSize=4\n\n; window\n[MAINWND]\nwp.showCmd=1\n");
    ASSERT_TRUE(writeProfileString(ini(), "options", "SrcDir", "/src"));
    EXPECT_EQ(contents(), "[options]\nTabSize=4\nSrcDir=/src\n\n; window\n[MAINWND]\nwp.showCmd=1\n");
}

TEST_F(ProfileTest, WriteAddsANewSectionAtTheEndOfTheFile)
{
    writeIni("[options]\nTabSize=4");
    ASSERT_TRUE(writeProfileInt(ini(), "dirs", "Count", 0));
    EXPECT_EQ(contents(), "[options]\nTabSize=4\n\n[dirs]\nCount=0\n");
}

TEST_F(ProfileTest, WriteCreatesAMissingFileAndFolder)
{
    const std::string file = m_dir.file("config/sub/Bivalo.INI");
    ASSERT_TRUE(writeProfileString(file, "options", "DiffTool", "meld"));
    EXPECT_EQ(testing_support::readFile(file), "[options]\nDiffTool=meld\n");
}

TEST_F(ProfileTest, WriteKeepsCrLfLineEnds)
{
    writeIni("[options]\r\nTabSize=4\r\n");
    ASSERT_TRUE(writeProfileInt(ini(), "options", "TabSize", 2));
    ASSERT_TRUE(writeProfileInt(ini(), "options", "UseTab", 0));
    EXPECT_EQ(contents(), "[options]\r\nTabSize=2\r\nUseTab=0\r\n");
}

TEST_F(ProfileTest, WrittenValuesReadBackExactly)
{
    const std::string values[] = {"plain", "  leading and trailing  ", "\"quoted\"", "'single'",
                                  "\"a b\" \"c d\"", "x = y", "", "\"", "tab\tinside"};
    for (const std::string& value : values) {
        ASSERT_TRUE(writeProfileString(ini(), "s", "v", value));
        EXPECT_EQ(readProfileString(ini(), "s", "v", "default"), value);
    }
}

TEST_F(ProfileTest, NamesWithBlanksAroundThemAreFoundAgainAndWrittenOnce)
{
    // The file shows names without the blanks around them; a write must find what it wrote.
    for (const int value : {1, 2}) {
        ASSERT_TRUE(writeProfileInt(ini(), "s\v", " k ", value));
        EXPECT_EQ(readProfileInt(ini(), "s\v", " k ", 0), value);
    }
    EXPECT_EQ(readProfileInt(ini(), "s", "k", 0), 2);
    EXPECT_EQ(contents(), "[s\v]\n k =2\n");
}

TEST_F(ProfileTest, WriteKeepsACarriageReturnThatEndsTheFile)
{
    writeIni("[a]\nk=1\n[b]\nx=y\r");
    ASSERT_TRUE(writeProfileInt(ini(), "a", "k", 2));
    EXPECT_EQ(contents(), "[a]\nk=2\n[b]\nx=y\r");
    EXPECT_EQ(readProfileString(ini(), "b", "x", ""), "y");
}

TEST_F(ProfileTest, AValueIsCutAtItsFirstLineBreak)
{
    ASSERT_TRUE(writeProfileString(ini(), "s", "v", "first\n[evil]\nv=second"));
    ASSERT_TRUE(writeProfileString(ini(), "s", "w", "one\r\ntwo"));
    EXPECT_EQ(readProfileString(ini(), "s", "v", ""), "first");
    EXPECT_EQ(readProfileString(ini(), "s", "w", ""), "one");
    EXPECT_EQ(readProfileString(ini(), "evil", "v", "none"), "none");
    EXPECT_EQ(contents(), "[s]\nv=first\nw=one\n");
}

TEST_F(ProfileTest, WriterReplacesTheFileOnlyAtCommit)
{
    writeIni("[a]\nx=1\n");
    ProfileWriter writer(ini());
    writer.writeInt("a", "x", 2);
    writer.writeString("b", "y", "text");
    writer.writeInt("A", "z", 3);
    EXPECT_EQ(contents(), "[a]\nx=1\n");
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(contents(), "[a]\nx=2\nz=3\n\n[b]\ny=text\n");
}

// --- replacing the file --------------------------------------------------------------

TEST_F(ProfileTest, ReplacingLeavesNoTemporaryFileAndKeepsPermissions)
{
    writeIni("[s]\nv=1\n");
    ASSERT_EQ(::chmod(ini().c_str(), 0640), 0);
    ASSERT_TRUE(writeProfileInt(ini(), "s", "v", 2));

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(fs::status(ini()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileTest, WritingTheStoredValueLeavesTheFileAlone)
{
    writeIni("[s]\nv=1\n");
    struct stat before {};
    ASSERT_EQ(::stat(ini().c_str(), &before), 0);
    ASSERT_TRUE(writeProfileInt(ini(), "s", "v", 1));
    struct stat after {};
    ASSERT_EQ(::stat(ini().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileTest, WritingThroughASymbolicLinkKeepsTheLink)
{
    const std::string real = m_dir.write("real.ini", "[s]\nv=1\n");
    const std::string link = m_dir.file("link.ini");
    fs::create_symlink(real, link);
    ASSERT_TRUE(writeProfileInt(link, "s", "v", 2));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testing_support::readFile(real), "[s]\nv=2\n");
}

TEST_F(ProfileTest, AFolderNamedAsTheFileGivesDefaultsAndCannotBeWritten)
{
    fs::create_directory(m_dir.file("folder.ini"));
    EXPECT_EQ(readProfileInt(m_dir.file("folder.ini"), "s", "v", 9), 9);
    EXPECT_FALSE(writeProfileInt(m_dir.file("folder.ini"), "s", "v", 1));
    EXPECT_TRUE(fs::is_directory(m_dir.file("folder.ini")));
}

TEST_F(ProfileTest, FailedWriteReportsFalseAndLeavesTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    const fs::path locked = m_dir.path() / "locked";
    fs::create_directory(locked);
    const std::string file = (locked / "Bivalo.INI").string();
    m_dir.write("locked/Bivalo.INI", "[s]\nv=1\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeProfileInt(file, "s", "v", 2));
    EXPECT_EQ(testing_support::readFile(file), "[s]\nv=1\n");
}

TEST_F(ProfileTest, AnUnreadableFileGivesDefaultsAndIsNotOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeIni("[s]\nv=1\nother=2\n");
    ASSERT_EQ(::chmod(ini().c_str(), 0200), 0);
    EXPECT_EQ(readProfileInt(ini(), "s", "v", 9), 9);
    EXPECT_FALSE(writeProfileInt(ini(), "s", "v", 3));
    ASSERT_EQ(::chmod(ini().c_str(), 0600), 0);
    EXPECT_EQ(contents(), "[s]\nv=1\nother=2\n");
}

TEST_F(ProfileTest, AReadOnlyFileIsReadButNeverReplaced)
{
    writeIni("[s]\nv=1\n");
    ASSERT_EQ(::chmod(ini().c_str(), 0444), 0);
    EXPECT_EQ(readProfileInt(ini(), "s", "v", 9), 1);
    EXPECT_FALSE(writeProfileInt(ini(), "s", "v", 2));
    EXPECT_EQ(contents(), "[s]\nv=1\n");
    EXPECT_TRUE(writeProfileInt(ini(), "s", "v", 1)) << "writing what it holds needs no write";
}

TEST_F(ProfileTest, ALastLineWithoutLineEndKeepsItsCarriageReturn)
{
    writeIni("[s]\nv=1\njunk\r");
    EXPECT_TRUE(writeProfileInt(ini(), "t", "w", 2));
    EXPECT_EQ(contents(), "[s]\nv=1\njunk\r\n\n[t]\nw=2\n");
}

// --- the settings file name ----------------------------------------------------------

class SettingsFilePathTest : public ::testing::Test {
protected:
    SettingsFilePathTest() : m_ini(saved("BIVALO_INI")), m_config(saved("XDG_CONFIG_HOME")), m_home(saved("HOME")) {}
    ~SettingsFilePathTest() override
    {
        restore("BIVALO_INI", m_ini);
        restore("XDG_CONFIG_HOME", m_config);
        restore("HOME", m_home);
    }

    static std::optional<std::string> saved(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

private:
    std::optional<std::string> m_ini, m_config, m_home;
};

TEST_F(SettingsFilePathTest, EnvironmentChoosesTheFile)
{
    ::setenv("HOME", "/home/user", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("BIVALO_INI", "/tmp/mine.ini", 1);
    EXPECT_EQ(settingsFilePath(), "/tmp/mine.ini");

    ::unsetenv("BIVALO_INI");
    EXPECT_EQ(settingsFilePath(), "/cfg/Bivalo.INI");

    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsFilePath(), "/home/user/.config/Bivalo.INI");
}

} // namespace
