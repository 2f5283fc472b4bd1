#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/edited_bytes.h"
#include "core/file_saver.h"
#include "core/side.h"
#include "tests/core/edit_test_pair.h"
#include "tests/core/line_files.h"

namespace core {
namespace {

namespace fs = std::filesystem;
using testing::EditTestPair;
using testing::joinLines;
using Lines = std::vector<std::string>;

constexpr SaveOptions kBlanks{.useTab = false, .tabSize = 4};
constexpr SaveOptions kTabs{.useTab = true, .tabSize = 4};

bool save(EditTestPair& p, int side, const std::string& path, const SaveOptions& options = kBlanks)
{
    return saveRows(p.file(side), p.rows(side), p.rowCount, path, options);
}

Lines loadedLines(const std::string& path)
{
    LineFile file;
    EXPECT_TRUE(file.load(path, {}));
    Lines lines;
    for (std::int32_t i = 0; i < file.count(); ++i)
        lines.emplace_back(file.lineAt(i)->text());
    return lines;
}

TEST(CompressTabs, TurnsRunsOfTabSizeBlanksIntoTabs)
{
    EXPECT_EQ(compressTabs("          x", 4), "\t\t  x");
    EXPECT_EQ(compressTabs("a    b", 4), "a\tb");
    EXPECT_EQ(compressTabs("a   b", 4), "a   b");
    EXPECT_EQ(compressTabs("", 4), "");
    EXPECT_EQ(compressTabs("    ", 1), "\t\t\t\t");
}

TEST(CompressTabs, TabSizeZeroLeavesTheTextAsItIs)
{
    EXPECT_EQ(compressTabs("a    b", 0), "a    b");
}

TEST(SaveRows, AnUnchangedThreeLineFileWritesThreeLinesAndLoadsBackTheSame)
{
    EditTestPair p({"one", "two", "three"}, {"one", "two", "three"});
    const std::string path = p.dir.file("saved.txt");
    ASSERT_TRUE(save(p, kSourceSide, path));
    EXPECT_EQ(testing_support::readFile(path), "one\ntwo\nthree\n");
    EXPECT_EQ(loadedLines(path), (Lines{"one", "two", "three"}));
}

TEST(SaveRows, PutsTabsOnlyIntoTypedLinesAndOnlyWhenAsked)
{
    EditTestPair p({"\tread  \"    \"", "a    b  "}, {"x"});
    for (const char* typed : {"a    b", "          x"}) {
        p.editor(kSourceSide).insertLine(0);
        p.editor(kSourceSide).setCellText(0, typed);
    }
    const std::string read = "\tread  \"    \"\na    b  \n";
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("tabs.txt"), kTabs));
    EXPECT_EQ(p.dir.read("tabs.txt"), "\t\t  x\na\tb\n" + read);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("blanks.txt"), kBlanks));
    EXPECT_EQ(p.dir.read("blanks.txt"), "          x\na    b\n" + read);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("zero.txt"), {.useTab = true, .tabSize = 0}));
    EXPECT_EQ(p.dir.read("zero.txt"), "          x\na    b\n" + read);
}

TEST(SaveRows, SkipsVirtualRowsAndWritesCopiedLines)
{
    EditTestPair p({"one", "two", "three", "four"}, {"one", "six", "four"});
    p.editor(kSourceSide).deleteLine(0);
    p.editor(kSourceSide).copyLine(1);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("s.txt")));
    EXPECT_EQ(p.dir.read("s.txt"), "six\nthree\nfour\n");
    ASSERT_TRUE(save(p, kTargetSide, p.dir.file("d.txt")));
    EXPECT_EQ(p.dir.read("d.txt"), "one\nsix\nfour\n");
}

TEST(SaveRows, KeepsTheLineEndTheFileHadOnDisk)
{
    EditTestPair p(EditTestPair::Bytes{"a\r\nb\r\n", "a\nb\n"});
    p.editor(kSourceSide).setCellText(1, "c");
    ASSERT_TRUE(save(p, kSourceSide, p.source.path()));
    EXPECT_EQ(p.dir.read("source.txt"), "a\r\nc\r\n");
    ASSERT_TRUE(save(p, kTargetSide, p.target.path()));
    EXPECT_EQ(p.dir.read("destination.txt"), "a\nb\n");
}

TEST(SaveRows, CopiedLinesCarryTheOtherFilesBytesWithThisFilesLineEnd)
{
    EditTestPair p(EditTestPair::Bytes{"keep\n\tfrom  source \t\nsame\n", "keep\r\nother\r\nsame\r\n"});
    p.editor(kTargetSide).copyLine(1);
    for (const SaveOptions& options : {kBlanks, kTabs}) {
        ASSERT_TRUE(save(p, kTargetSide, p.target.path(), options));
        EXPECT_EQ(p.dir.read("destination.txt"), "keep\r\n\tfrom  source \t\r\nsame\r\n");
    }
}

TEST(SaveRows, ACopyKeepsItsBytesWhenTheTabSizeChangedSinceLoading)
{
    EditTestPair p({"\tx  y", "same"}, {"other", "same"});
    p.options.tabSize = 8;
    p.editor(kTargetSide).copyLine(0);
    ASSERT_TRUE(save(p, kTargetSide, p.target.path()));
    EXPECT_EQ(p.dir.read("destination.txt"), "\tx  y\nsame\n");
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("source copy.txt")));
    EXPECT_EQ(p.dir.read("source copy.txt"), "\tx  y\nsame\n");
}

TEST(SaveRows, EachReadLineKeepsItsOwnLineEndAndNewLinesTakeTheFirstOnes)
{
    EditTestPair p(EditTestPair::Bytes{"a\r\nb\nc\r\nd\n", "a\nB\nc\nd\n"});
    p.editor(kSourceSide).setCellText(2, "C");
    p.editor(kSourceSide).copyLine(1);
    ASSERT_TRUE(save(p, kSourceSide, p.source.path()));
    EXPECT_EQ(p.dir.read("source.txt"), "a\r\nB\r\nC\r\nd\n");
}

TEST(SaveRows, AFileWithoutAFinalLineEndKeepsItsEnd)
{
    EditTestPair p(EditTestPair::Bytes{"a\nb", "a\nb\nc\n"});
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("unchanged.txt")));
    EXPECT_EQ(p.dir.read("unchanged.txt"), "a\nb");
    RowEditor source = p.editor(kSourceSide);
    source.setCellText(1, "B");
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("edited.txt")));
    EXPECT_EQ(p.dir.read("edited.txt"), "a\nB");
    source.copyDifference(2);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("longer.txt")));
    EXPECT_EQ(p.dir.read("longer.txt"), "a\nB\nc") << "the line before the new last one gets a line end";
}

TEST(SaveRows, TrailingBlankLinesAreWrittenBackAfterTheLastRow)
{
    EditTestPair p(EditTestPair::Bytes{"a\r\nb\r\n\r\n  \r\n\t", "a\nb\n"});
    p.editor(kSourceSide).deleteLine(1);
    ASSERT_TRUE(save(p, kSourceSide, p.source.path()));
    EXPECT_EQ(p.dir.read("source.txt"), "a\r\n\r\n  \r\n\t");
}

TEST(SaveRows, ABlankEndOfTheLastLongLineIsWrittenBack)
{
    const std::string bytes = std::string(4998, 'x') + std::string(5000, ' ') + "\t \n\n";
    EditTestPair p(EditTestPair::Bytes{bytes, "other\n"});
    ASSERT_EQ(p.source.count(), 1);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("copy.txt")));
    EXPECT_EQ(p.dir.read("copy.txt"), bytes);
    p.editor(kTargetSide).copyLine(0);
    ASSERT_TRUE(save(p, kTargetSide, p.target.path()));
    EXPECT_EQ(p.dir.read("destination.txt"), bytes.substr(0, bytes.size() - 1));
}

TEST(SaveRows, WritesTheCutPiecesOfALongLineAsOneLine)
{
    const std::string longLine = std::string(6000, 'x') + "    " + std::string(5000, 'y');
    EditTestPair p(Lines{"start", longLine, "end"}, Lines{"start", "end"});
    ASSERT_GT(p.source.count(), 3);
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("long.txt")));
    EXPECT_EQ(p.dir.read("long.txt"), "start\n" + longLine + "\nend\n");
}

TEST(SaveRows, AnEditedPieceStaysInsideItsLongLine)
{
    const std::string longLine(10000, 'x');
    EditTestPair p(Lines{longLine}, Lines{"x"});
    ASSERT_EQ(p.source.count(), 3);
    p.editor(kSourceSide).setCellText(1, "edited");
    ASSERT_TRUE(save(p, kSourceSide, p.dir.file("long.txt")));
    EXPECT_EQ(p.dir.read("long.txt"), std::string(4998, 'x') + "edited" + std::string(4, 'x') + "\n");
}

TEST(SaveRows, ALongLineCopiedAsADifferenceStaysOneLine)
{
    const std::string longLine = std::string(5000, 'x') + "  " + std::string(5000, 'z');
    EditTestPair p(Lines{"start", longLine, "end"}, Lines{"start", "end"});
    p.editor(kTargetSide).copyDifference(1);
    ASSERT_TRUE(save(p, kTargetSide, p.target.path()));
    EXPECT_EQ(p.dir.read("destination.txt"), "start\n" + longLine + "\nend\n");
}

TEST(SaveRows, ALineCopiedFromOneOfItsPiecesIsCopiedWhole)
{
    const std::string longLine(6000, 'x');
    EditTestPair p(Lines{longLine}, Lines{"a", "b"});
    RowEditor target = p.editor(kTargetSide);
    target.copyLine(0);
    ASSERT_TRUE(save(p, kTargetSide, p.target.path()));
    EXPECT_EQ(p.dir.read("destination.txt"), longLine + "\n");
}

TEST(SaveRows, IntoAMissingFolderFailsAndChangesNothing)
{
    EditTestPair p({"a"}, {"b"});
    EXPECT_FALSE(save(p, kSourceSide, p.dir.file("missing/a.txt")));
    EXPECT_FALSE(fs::exists(p.dir.path() / "missing"));
}

TEST(SaveRows, OntoAReadOnlyFileFailsAndLeavesItUntouched)
{
    EditTestPair p({"a"}, {"b"});
    p.editor(kSourceSide).setCellText(0, "changed");
    fs::permissions(p.source.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(save(p, kSourceSide, p.source.path()));
    EXPECT_EQ(p.dir.read("source.txt"), "a\n");
}

// Random pairs merged completely into the destination, saved, reloaded and compared again:
// no difference may remain.
struct RoundTrip {
    SaveOptions options;
    std::string lineEnd;
};

Lines randomLines(std::mt19937& random)
{
    static const Lines vocabulary{"alpha", "beta  gamma", "", "\tindented", "delta", "    four blanks", "epsilon"};
    Lines lines;
    const int count = static_cast<int>(random() % 15);
    for (int i = 0; i < count; ++i)
        lines.push_back(vocabulary[random() % vocabulary.size()] + (random() % 4 == 0 ? std::to_string(i) : ""));
    if (random() % 3 == 0)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(random() % (lines.size() + 1)),
                     std::string(4998 + random() % 6000, static_cast<char>('a' + random() % 26)));
    return lines;
}

Lines mutated(std::mt19937& random, Lines lines)
{
    // At least one line stays, so that the destination has a line end of its own.
    for (int i = static_cast<int>(random() % 5); i > 0 && lines.size() > 1; --i) {
        const std::size_t at = random() % lines.size();
        if (random() % 2)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        else
            lines[at] = "other " + std::to_string(i);
    }
    return lines;
}

void mergeEverythingIntoTheTarget(EditTestPair& p)
{
    RowEditor target = p.editor(kTargetSide);
    RowEditor source = p.editor(kSourceSide);
    for (std::int32_t row = 0; row < p.rowCount; ++row) {
        if (source.isDifferenceRow(row) || target.isDifferenceRow(row))
            target.copyDifference(row);
    }
}

class SaveRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SaveRoundTrip, AMergedPairSavesAndReloadsWithoutDifference)
{
    const RoundTrip& trip = GetParam();
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const Lines sourceLines = randomLines(random);
        EditTestPair p(EditTestPair::Bytes{joinLines(sourceLines, trip.lineEnd),
                                           joinLines(mutated(random, sourceLines), trip.lineEnd)});
        mergeEverythingIntoTheTarget(p);

        ASSERT_TRUE(save(p, kSourceSide, p.source.path(), trip.options));
        ASSERT_TRUE(save(p, kTargetSide, p.target.path(), trip.options));
        ASSERT_TRUE(p.source.load(p.source.path(), p.options));
        ASSERT_TRUE(p.target.load(p.target.path(), p.options));
        p.compare();
        EXPECT_FALSE(p.hasDifference());
        EXPECT_EQ(p.shownLines(kSourceSide).size(), static_cast<std::size_t>(p.source.count()));
    }
}

INSTANTIATE_TEST_SUITE_P(TabsAndLineEnds, SaveRoundTrip,
                         ::testing::Values(RoundTrip{kBlanks, "\n"}, RoundTrip{kTabs, "\n"},
                                           RoundTrip{kBlanks, "\r\n"}, RoundTrip{kTabs, "\r\n"}));

} // namespace
} // namespace core
