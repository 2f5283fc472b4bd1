#include "core/merge_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <sys/wait.h>

#include "core/report.h"
#include "tests/core/random_edits.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TempDir;

struct MergeRun {
    int status = 0;
    std::string out;
    std::string err;
};

class ThreeWayMerge : public ::testing::Test {
protected:
    MergeRun merge(std::string_view base, std::string_view local, std::string_view remote,
                   std::vector<std::string> switches = {})
    {
        std::vector<std::string> arguments{"--report", "--merge", "-L", "L", "-L", "B", "-L", "R"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        arguments.insert(arguments.end(),
                         {m_dir.write("base", base), m_dir.write("local", local), m_dir.write("remote", remote)});
        std::ostringstream out;
        std::ostringstream err;
        MergeRun run;
        run.status = core::reportMain(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    // git merge-file's result and exit status (the number of conflicts) on the same files.
    MergeRun gitMerge()
    {
        const std::string command = "cd '" + m_dir.path().string() +
                                    "' && git merge-file -p -L L -L B -L R local base remote 2>/dev/null";
        MergeRun run;
        std::FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.out.append(buffer, got);
        run.status = WEXITSTATUS(::pclose(pipe));
        return run;
    }

    TempDir m_dir;
};

struct MergeCase {
    const char* what;
    const char* base;
    const char* local;
    const char* remote;
    const char* result;
    int status;
};

TEST_F(ThreeWayMerge, TakesOneSidedChangesAndMarksWhatBothChangedDifferently)
{
    const MergeCase cases[] = {
        {"one change on each side", "a\nb\nc\nd\ne\n", "A\nb\nc\nd\ne\n", "a\nb\nc\nd\nE\n", "A\nb\nc\nd\nE\n", 0},
        {"the same change on both", "a\nb\nc\n", "a\nX\nc\n", "a\nX\nc\n", "a\nX\nc\n", 0},
        {"both delete the same lines", "a\nb\nc\nd\n", "a\nd\n", "a\nd\n", "a\nd\n", 0},
        {"touching changes conflict", "a\nb\nc\nd\n", "a\nB\nc\nd\n", "a\nb\nC\nd\n",
         "a\n<<<<<<< L\nB\nc\n=======\nb\nC\n>>>>>>> R\nd\n", 1},
        {"an insertion touching a change", "a\nb\nc\n", "a\nnew\nb\nc\n", "a\nB\nc\n",
         "a\n<<<<<<< L\nnew\nb\n=======\nB\n>>>>>>> R\nc\n", 1},
        {"the first line changed both ways", "a\nb\nc\n", "1\nb\nc\n", "2\nb\nc\n",
         "<<<<<<< L\n1\n=======\n2\n>>>>>>> R\nb\nc\n", 1},
        {"the last line changed and deleted", "a\nb\nc\n", "a\nb\nC\n", "a\nb\n",
         "a\nb\n<<<<<<< L\nC\n=======\n>>>>>>> R\n", 1},
        {"empty base, the same text added", "", "x\ny\n", "x\ny\n", "x\ny\n", 0},
        {"empty base, different texts", "", "x\n", "y\n", "<<<<<<< L\nx\n=======\ny\n>>>>>>> R\n", 1},
        {"common lines of a conflict stand outside it", "a\nb\n", "a\nsame\nL\nend\nb\n", "a\nsame\nR\nend\nb\n",
         "a\nsame\n<<<<<<< L\nL\n=======\nR\n>>>>>>> R\nend\nb\n", 1},
        {"line ends are bytes of their line", "a\nb\nc\nd\n", "a\r\nb\r\nc\nd\n", "a\nb\nc\nD\n",
         "a\r\nb\r\nc\nD\n", 0},
        {"a last line without line end", "a\nx\nb\n", "a\nx\nb", "A\nx\nb\n", "A\nx\nb", 0},
        {"a line without line end gets one before a marker", "a\n", "a\nL", "a\nR\n",
         "a\n<<<<<<< L\nL\n=======\nR\n>>>>>>> R\n", 1},
        {"blank lines at the end are lines", "a\nb\n\n\n", "a\nb\n", "A\nb\n\n\n", "A\nb\n", 0},
        {"tabs and trailing blanks are bytes", "a\n\tb  \n", "a\n\tb\n", "a\n    b  \n",
         "a\n<<<<<<< L\n\tb\n=======\n    b  \n>>>>>>> R\n", 1},
    };
    for (const MergeCase& c : cases) {
        const MergeRun run = merge(c.base, c.local, c.remote);
        EXPECT_EQ(run.out, c.result) << c.what;
        EXPECT_EQ(run.status, c.status) << c.what;
    }
}

TEST_F(ThreeWayMerge, Diff3StyleShowsBaseAndOutputGoesToTheNamedFile)
{
    const std::string output = m_dir.file("merged");
    const MergeRun run = merge("a\nb\nc\n", "a\nL\nc\n", "a\nR\nc\n", {"--diff3", "-o", output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(testing_support::readFile(output), "a\n<<<<<<< L\nL\n||||||| B\nb\n=======\nR\n>>>>>>> R\nc\n");
}

// Inputs are compared as text; the result is written in LOCAL's encoding, BOM and all.
TEST_F(ThreeWayMerge, TheResultIsWrittenInLocalsEncoding)
{
    using testing_support::utf16le;
    const MergeRun run = merge(utf16le("a\nb\nc\nd\n"), utf16le("a\nB\nc\nd\n"), "a\nb\nc\nD\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, utf16le("a\nB\nc\nD\n"));
}

TEST_F(ThreeWayMerge, TroubleIsStatusTwo)
{
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(core::reportMain({"--report", "--merge", "a", "b"}, out, err), core::kReportTrouble);
    EXPECT_EQ(core::reportMain({"--report", "--merge", m_dir.file("missing"), m_dir.write("x", "x\n"),
                                m_dir.write("y", "y\n")},
                               out, err),
              core::kReportTrouble);
    EXPECT_NE(err.str().find("Base File Not Found!"), std::string::npos);
}

// Random edits of a random base: where git merges cleanly Bivalo does too, almost always to
// the same bytes (the two engines may align a change differently); where git finds a
// conflict Bivalo finds one as well, always.
TEST_F(ThreeWayMerge, AgreesWithGitMergeFile)
{
    std::mt19937 random(20261209);
    const int triples = 300;
    int gitClean = 0;
    int identical = 0;
    for (int t = 0; t < triples; ++t) {
        std::vector<std::string> base;
        const int lines = static_cast<int>(random() % 40);
        for (int i = 0; i < lines; ++i)
            base.push_back("line " + std::to_string(random() % 12));
        auto edit = [&](const char* tag) {
            return testing_support::joinedLines(testing_support::randomlyEdited(
                random, base, 4, [&](int i) { return std::string(tag) + " new " + std::to_string(i); },
                [&](int i) { return std::string(tag) + " changed " + std::to_string(i); }));
        };
        const std::string local = edit("local");
        const std::string remote = random() % 4 == 0 ? local : edit("remote");
        const MergeRun ours = merge(testing_support::joinedLines(base), local, remote);
        const MergeRun git = gitMerge();
        if (git.status != 0) {
            EXPECT_EQ(ours.status, 1) << "git found a conflict in triple " << t << ":\n" << git.out;
            continue;
        }
        ++gitClean;
        identical += ours.status == 0 && ours.out == git.out;
    }
    ASSERT_GT(gitClean, triples / 3);
    std::cout << identical << " of " << gitClean << " clean merges identical\n";
    EXPECT_GE(identical * 100, gitClean * 98) << identical << " of " << gitClean << " clean merges identical";
}

} // namespace
