#include "core/report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "core/side_by_side_listing.h"
#include "framework/profile.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

struct ReportRun {
    int status = 0;
    std::string out;
    std::string err;
};

class Report : public ::testing::Test {
protected:
    ~Report() override { std::filesystem::remove(framework::settingsFilePath()); }

    ReportRun report(std::vector<std::string> arguments)
    {
        std::ostringstream out;
        std::ostringstream err;
        ReportRun run;
        run.status = core::reportMain(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::string file(std::string_view name, std::string_view bytes) { return m_dir.write(name, bytes); }

    TempDir m_dir;
};

TEST_F(Report, RowsListEveryEntryWithStatesAndTheBlankFlag)
{
    const ReportRun run = report({"--report", "--format=rows", file("a", "one\ntwo\nthree\n"), file("b", "one\nthree\n")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0\t0\t0\t0\t0\n"
                       "1\t1\t-2\t1\t-\n"
                       "2\t2\t1\t0\t0\n"
                       "# rows=3 blank_difference=0\n");
}

TEST_F(Report, IdenticalFilesExitWithZero)
{
    const ReportRun run = report({"--report", "--format=summary", file("a", "x\ny\n"), file("b", "x\ny\n")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Files are identical!\nrows=2 same=2 source_only=0 target_only=0 changed=0\n");
}

TEST_F(Report, BlanksOnlyDifferencesAreNamedWhenBlanksAreIgnored)
{
    const std::string a = file("a", "int  x;\ny\n");
    const std::string b = file("b", "int x;\ny\n");
    const ReportRun ignoring = report({"--report", "--ignore-blanks", "--format=summary", a, b});
    EXPECT_EQ(ignoring.status, 0);
    EXPECT_EQ(ignoring.out.substr(0, ignoring.out.find('\n')), "Different in blanks only!");
    const ReportRun comparing = report({"--report", "--format=summary", a, b});
    EXPECT_EQ(comparing.status, 1);
    EXPECT_EQ(comparing.out, "1 differences\nrows=2 same=1 source_only=0 target_only=0 changed=1\n");
}

TEST_F(Report, SummaryCountsDifferenceBlocksAndRowKinds)
{
    const ReportRun run = report({"--report", "--format=summary", file("a", "a\nb\nc\nd\ne\n"),
                            file("b", "a\nB\nc\nd\nnew\ne\n")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2 differences\nrows=6 same=4 source_only=0 target_only=1 changed=1\n");
}

TEST_F(Report, SettingsFileGivesTheDefaultsAndOptionsOverrideThemWithoutWriting)
{
    const std::string ini = framework::settingsFilePath();
    ASSERT_TRUE(framework::writeProfileInt(ini, "options", "IgnoreBlanks", 1));
    ASSERT_TRUE(framework::writeProfileInt(ini, "options", "TabSize", 2));
    const std::string before = testing_support::readFile(ini);
    const std::string a = file("a", "a  b\n\tc\n");
    const std::string b = file("b", "a b\n  c\n");
    EXPECT_EQ(report({"--report", "--format=summary", a, b}).status, 0);
    EXPECT_EQ(report({"--report", "--tab-size=4", "--format=summary", a, b}).status, 0);
    EXPECT_EQ(report({"--report", "--tab-size=3", "--format=rows", a, b}).out,
              "0\t0\t0\t0\t0\n1\t1\t1\t0\t0\n# rows=2 blank_difference=1\n");
    EXPECT_EQ(testing_support::readFile(ini), before);
}

TEST_F(Report, MissingFilesAreNamedBySide)
{
    const std::string present = file("a", "x\n");
    const ReportRun source = report({"--report", m_dir.file("none"), present});
    EXPECT_EQ(source.status, 2);
    EXPECT_EQ(source.err, "Source File Not Found!\n");
    const ReportRun target = report({"--report", present, m_dir.file("none")});
    EXPECT_EQ(target.status, 2);
    EXPECT_EQ(target.err, "Destination File Not Found!\n");
    EXPECT_TRUE(target.out.empty());
}

TEST_F(Report, AFolderIsTroubleNamedAsSuch)
{
    const ReportRun run = report({"--report", file("a", "x\n"), m_dir.path().string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("folder"), std::string::npos);
}

TEST_F(Report, EmptyAndBinaryFilesAreCompared)
{
    const std::string empty = file("empty", "");
    const std::string binary = file("binary", std::string("\x7f" "ELF\0\0\x01\n\0\n", 10));
    EXPECT_EQ(report({"--report", "--format=summary", empty, empty}).status, 0);
    const ReportRun run = report({"--report", "--format=rows", empty, binary});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0\t-1\t0\t-\t2\n1\t-1\t1\t-\t2\n# rows=2 blank_difference=0\n");
}

TEST_F(Report, BadUsageIsTrouble)
{
    EXPECT_EQ(report({"--report", "only-one"}).status, 2);
    EXPECT_EQ(report({"--report", "--tab-size=51", "a", "b"}).status, 2);
    EXPECT_EQ(report({"--report", "--format=wide", "a", "b"}).status, 2);
    EXPECT_EQ(report({}).status, 2);
}

TEST_F(Report, UnknownOptionIsNamedWithAPointerToTheHelp)
{
    const ReportRun run = report({"--report", "--bogus", file("a", "x\n"), file("b", "x\n")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "bivalo: unknown option '--bogus'\nTry 'bivalo --help' for more information.\n");
    EXPECT_TRUE(run.out.empty());
}

// Standard input replaced by a pipe holding bytes, for the life of the object.
class StandardInputFrom {
public:
    explicit StandardInputFrom(std::string_view bytes) : m_saved(::dup(STDIN_FILENO))
    {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(ends[1]);
        ::dup2(ends[0], STDIN_FILENO);
        ::close(ends[0]);
    }
    ~StandardInputFrom()
    {
        ::dup2(m_saved, STDIN_FILENO);
        ::close(m_saved);
    }

private:
    int m_saved;
};

TEST_F(Report, DashReadsEitherSideFromStandardInput)
{
    const std::string target = file("b", "one\nTWO\nthree\n");
    {
        StandardInputFrom input("one\ntwo\nthree\n");
        const ReportRun run = report({"--report", "--format=rows", "-", target});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "0\t0\t0\t0\t0\n1\t1\t1\t3\t3\n2\t2\t2\t0\t0\n# rows=3 blank_difference=0\n");
    }
    StandardInputFrom input("one\nTWO\nthree");
    EXPECT_EQ(report({"--report", "--format=summary", target, "-"}).status, 0);
}

TEST_F(Report, DashForBothSidesIsTrouble)
{
    const ReportRun run = report({"--report", "-", "-"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("only one side"), std::string::npos);
}

TEST_F(Report, GitDiffComparesTheOldAndNewFileUnderThePathAndGoesOn)
{
    const std::string old = file("old", "a\nb\n");
    const std::string now = file("now", "a\nB\n");
    const ReportRun run = report({"--report", "--format=summary", "--git-diff", "-name.txt", old,
                                  "1111111", "100644", now, "2222222", "100644"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "diff a/-name.txt b/-name.txt\n1 differences\n"
                       "rows=2 same=1 source_only=0 target_only=0 changed=1\n");

    const ReportRun blanks = report({"--report", "--ignore-blanks", "--format=summary", "--git-diff", "p",
                                     file("spaced", "a\nb  \n"), "1", "100644", file("plain", "a\n b\n"), "2", "100644"});
    EXPECT_EQ(blanks.out, "diff a/p b/p\nDifferent in blanks only!\nrows=2 same=2 source_only=0 target_only=0 changed=0\n");

    const ReportRun added = report({"--git-diff", "new.txt", "/dev/null", ".", ".", now, "2222222", "100644"});
    EXPECT_EQ(added.status, 0);
    EXPECT_NE(added.out.find("+ a"), std::string::npos);

    const ReportRun unmerged = report({"--report", "--git-diff", "conflict.txt"});
    EXPECT_EQ(unmerged.status, 0);
    EXPECT_EQ(unmerged.out, "* Unmerged path conflict.txt\n");
}

TEST_F(Report, GitDiffWithOtherThanSevenArgumentsOrAMissingFileIsTrouble)
{
    const std::string now = file("now", "a\n");
    EXPECT_EQ(report({"--report", "--git-diff", "p", now, "1", "100644", now}).status, 2);
    const ReportRun missing = report({"--report", "--git-diff", "p", m_dir.file("gone"), "1", "100644", now, "2", "100644"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "Source File Not Found!\n");
}

TEST_F(Report, HelpAndVersion)
{
    const ReportRun help = report({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: bivalo [SOURCE [TARGET [RESULT]]]\n", 0), 0u);
    for (const char* told : {"opens the window", "--report [", "standard input", "Exit status", "BIVALO_INI"})
        EXPECT_NE(help.out.find(told), std::string::npos) << told;
    EXPECT_EQ(report({"--version"}).out, "Bivalo 1.15\n");
}

TEST_F(Report, SideBySideFitsTheTerminalWidth)
{
    ::setenv("COLUMNS", "41", 1);
    const ReportRun run = report({"--report", file("a", std::string(100, 'a') + "\nsame\n"), file("b", "b\nsame\n")});
    ::unsetenv("COLUMNS");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1 ! aaaaaaaaaaaaaaa | 1 ! b\n"
                       "2   same            | 2   same\n");
}

TEST(TerminalText, KeepsUtf8CharactersWholeAndShowsOtherBytesSafely)
{
    int used = 0;
    EXPECT_EQ(core::terminalText("a\xc3\xa9\x01\xff", 10, used), "a\xc3\xa9?\xc3\xbf");
    EXPECT_EQ(used, 4);
    EXPECT_EQ(core::terminalText("\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac", 2, used), "\xe2\x82\xac\xe2\x82\xac");
    EXPECT_EQ(used, 2);
    EXPECT_EQ(core::terminalText("\xe2\x82", 5, used), "\xc3\xa2\xc2\x82");
    EXPECT_EQ(core::terminalText("\x1b[2J", 5, used), "?[2J");
}

} // namespace
