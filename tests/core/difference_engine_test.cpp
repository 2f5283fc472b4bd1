#include "core/difference_engine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/line_hash.h"
#include "tests/core/line_files.h"
#include "tests/core/random_edits.h"
#include "tests/core/reference_walk.h"
#include "tests/support/temp_dir.h"

namespace {

using core::CompareResult;
using core::LineFile;
using core::LineState;
using core::RowMap;
using testing_support::fileOfLines;
using testing_support::referenceCompare;

constexpr LineState Same = LineState::Same;
constexpr LineState SourceOnly = LineState::SourceOnly;
constexpr LineState TargetOnly = LineState::TargetOnly;
constexpr LineState Changed = LineState::Changed;

std::vector<LineState> statesOf(const LineFile& file)
{
    std::vector<LineState> states;
    for (int i = 0; i < file.count(); ++i)
        states.push_back(file.lineAt(i)->state());
    return states;
}

std::vector<std::int32_t> partnersOf(const LineFile& file)
{
    std::vector<std::int32_t> partners;
    for (int i = 0; i < file.count(); ++i)
        partners.push_back(file.lineAt(i)->partner());
    return partners;
}

// Every row shows a line on at least one side, each map lists its file's lines once
// in order, and a row of two Same lines pairs equal lines (or an anchor's equal hashes).
void expectInvariants(const LineFile& source, const LineFile& target, const CompareResult& result,
                      const core::TextOptions& options)
{
    ASSERT_EQ(result.sourceRows.size(), static_cast<std::size_t>(result.rowCount));
    ASSERT_EQ(result.destinationRows.size(), static_cast<std::size_t>(result.rowCount));
    std::int32_t nextSource = 0;
    std::int32_t nextTarget = 0;
    for (int r = 0; r < result.rowCount; ++r) {
        const std::int32_t i = result.sourceRows[r];
        const std::int32_t j = result.destinationRows[r];
        ASSERT_TRUE(i >= 0 || j >= 0) << "row " << r << " is virtual on both sides";
        if (i >= 0) {
            ASSERT_EQ(i, nextSource++) << "row " << r;
        }
        if (j >= 0) {
            ASSERT_EQ(j, nextTarget++) << "row " << r;
        }
        if (i >= 0 && j >= 0 && source.lineAt(i)->state() == Same && target.lineAt(j)->state() == Same) {
            const bool equal = core::isEqual(*source.lineAt(i), target.lineAt(j), options.ignoreBlanks)
                || source.lineAt(i)->hash() == target.lineAt(j)->hash();
            EXPECT_TRUE(equal) << "row " << r;
        }
    }
    EXPECT_EQ(nextSource, source.count());
    EXPECT_EQ(nextTarget, target.count());
}

void expectSameAsReference(LineFile& source, LineFile& target, const core::TextOptions& options,
                           const std::string& what)
{
    const testing_support::ReferenceResult expected = referenceCompare(source, target, options);
    const CompareResult result = core::compareFiles(source, target, options);
    ASSERT_EQ(result.rowCount, expected.rowCount) << what;
    EXPECT_EQ(result.sourceRows, expected.sourceRows) << what;
    EXPECT_EQ(result.destinationRows, expected.destinationRows) << what;
    EXPECT_EQ(statesOf(source), expected.sourceStates) << what;
    EXPECT_EQ(statesOf(target), expected.targetStates) << what;
    EXPECT_EQ(partnersOf(source), expected.sourcePartners) << what;
    EXPECT_EQ(partnersOf(target), expected.targetPartners) << what;
    EXPECT_EQ(result.blankDifference, expected.blankDifference) << what;
    if (expected.flagByIsEqual) {
        EXPECT_TRUE(result.blankDifference) << what;
    }
    expectInvariants(source, target, result, options);
}

class DifferenceEngine : public ::testing::Test {
protected:
    core::TextOptions options;
};

TEST_F(DifferenceEngine, IdenticalFilesGiveTheIdentityInEveryRow)
{
    LineFile source = fileOfLines({"one", "two", "", "two", "three"}, options);
    LineFile target = fileOfLines({"one", "two", "", "two", "three"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.rowCount, 5);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2, 3, 4}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, 2, 3, 4}));
    EXPECT_EQ(statesOf(source), std::vector<LineState>(5, Same));
    EXPECT_EQ(statesOf(target), std::vector<LineState>(5, Same));
    EXPECT_FALSE(result.blankDifference);
}

TEST_F(DifferenceEngine, AChangedLineBetweenEqualLinesIsChangedOnBothSides)
{
    LineFile source = fileOfLines({"one", "two", "three"}, options);
    LineFile target = fileOfLines({"one", "six", "three"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, 2}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{Same, Changed, Same}));
    EXPECT_EQ(statesOf(target), (std::vector<LineState>{Same, Changed, Same}));
}

TEST_F(DifferenceEngine, ALineMissingInTheTargetLeavesAFillerNamingTheMatchLine)
{
    LineFile source = fileOfLines({"one", "two", "three"}, options);
    LineFile target = fileOfLines({"one", "three"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, -2, 1}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{Same, SourceOnly, Same}));
}

TEST_F(DifferenceEngine, AnEmptySourceShowsEveryTargetLineAsTargetOnly)
{
    LineFile source;
    LineFile target = fileOfLines({"a", "b", "c"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.rowCount, 3);
    EXPECT_EQ(result.sourceRows, (RowMap{-1, -1, -1}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, 2}));
    EXPECT_EQ(statesOf(target), std::vector<LineState>(3, TargetOnly));
}

TEST_F(DifferenceEngine, TwoEmptyFilesHaveNoRows)
{
    LineFile source;
    LineFile target;
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.rowCount, 0);
    EXPECT_TRUE(result.sourceRows.empty());
}

TEST_F(DifferenceEngine, CrossingAnchorsAreDissolvedUntilTheyAreInOrder)
{
    LineFile source = fileOfLines({"u", "p", "q", "w"}, options);
    LineFile target = fileOfLines({"p", "q", "v", "u", "w"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2, -4, -4, 3}));
    EXPECT_EQ(result.destinationRows, (RowMap{-1, 0, 1, 2, 3, 4}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{SourceOnly, Same, Same, Same}));
    EXPECT_EQ(statesOf(target), (std::vector<LineState>{Same, Same, TargetOnly, TargetOnly, Same}));
    EXPECT_EQ(partnersOf(source), (std::vector<std::int32_t>{-1, -1, 1, 4}));
}

TEST_F(DifferenceEngine, BackwardExtensionPairsTheLineAboveALateAnchor)
{
    LineFile source = fileOfLines({"x", "p", "A", "p"}, options);
    LineFile target = fileOfLines({"p", "A", "p"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2, 3}));
    EXPECT_EQ(result.destinationRows, (RowMap{-2, 0, 1, 2}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{SourceOnly, Same, Same, Same}));
    EXPECT_EQ(statesOf(target), (std::vector<LineState>{Same, Same, Same}));
}

TEST_F(DifferenceEngine, BlankLinesInsideAChangedRegionDoNotAlign)
{
    LineFile source = fileOfLines({"head", "a1", "", "a2", "", "tail"}, options);
    LineFile target = fileOfLines({"head", "b1", "b2", "", "b3", "", "tail"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    // Only the blank line directly above the anchor "tail" is paired, by the
    // backward extension; the others stay inside the changed block.
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2, 3, -6, 4, 5}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{Same, Changed, Changed, Changed, Same, Same}));
    EXPECT_EQ(statesOf(target),
              (std::vector<LineState>{Same, Changed, Changed, Changed, Changed, Same, Same}));
}

TEST_F(DifferenceEngine, ABlankLineClosesABlockWhenItStartsTheBlockOnBothSides)
{
    LineFile source = fileOfLines({"a", "", "b", ""}, options);
    LineFile target = fileOfLines({"c", "", "b", ""}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(result.sourceRows, (RowMap{0, 1, 2, 3}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, 2, 3}));
    EXPECT_EQ(statesOf(source), (std::vector<LineState>{Changed, Same, Same, Same}));
}

TEST_F(DifferenceEngine, ALineEqualToTheEndMarkerTextStaysAnOrdinaryLine)
{
    LineFile source = fileOfLines({"BIVALO_ENDFFILE_", "a", "b"}, options);
    LineFile target = fileOfLines({"c", "BIVALO_ENDFFILE_"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    expectInvariants(source, target, result, options);
    // The marker-like lines are anchors; the real end markers close the walk.
    EXPECT_EQ(result.sourceRows, (RowMap{-1, 0, 1, 2}));
    EXPECT_EQ(result.destinationRows, (RowMap{0, 1, -3, -3}));
}

TEST_F(DifferenceEngine, MarkerTextOnOneSideOnlyStillWalksBothFilesToTheEnd)
{
    LineFile source = fileOfLines({"a", "BIVALO_ENDFFILE_", "BIVALO_ENDFFILE_", "b"}, options);
    LineFile target = fileOfLines({"x", "y", "z"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    expectInvariants(source, target, result, options);
    EXPECT_EQ(result.rowCount, 4);
}

TEST_F(DifferenceEngine, FilesDifferingOnlyInBlanksAreFlaggedWhenBlanksAreIgnored)
{
    options.ignoreBlanks = true;
    // Unique lines pair as anchors without isEqual, and "a  b" against " a b" has
    // the same length: both used to slip past the flag.
    LineFile source = fileOfLines({"alpha  beta", "x", "a  b"}, options);
    LineFile target = fileOfLines({"alpha beta", "x", " a b"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_EQ(statesOf(source), std::vector<LineState>(3, Same));
    EXPECT_TRUE(result.blankDifference);
}

TEST_F(DifferenceEngine, EqualLinesOfEqualLengthWithBlanksMovedAreFlagged)
{
    options.ignoreBlanks = true;
    LineFile source = fileOfLines({"a  b", "a  b"}, options);
    LineFile target = fileOfLines({" a b", " a b"}, options);
    const testing_support::ReferenceResult literal = referenceCompare(source, target, options);
    const CompareResult result = core::compareFiles(source, target, options);
    EXPECT_FALSE(literal.flagByIsEqual);
    EXPECT_TRUE(result.blankDifference);
}

TEST_F(DifferenceEngine, BlankDifferenceIsClearForTrulyIdenticalFiles)
{
    options.ignoreBlanks = true;
    LineFile source = fileOfLines({"a  b", "c"}, options);
    LineFile target = fileOfLines({"a  b", "c"}, options);
    EXPECT_FALSE(core::compareFiles(source, target, options).blankDifference);
}

TEST_F(DifferenceEngine, ARunStartsFromFreshPartnersAndStates)
{
    LineFile source = fileOfLines({"a", "b", "c"}, options);
    LineFile target = fileOfLines({"c", "b", "a"}, options);
    const CompareResult first = core::compareFiles(source, target, options);
    const CompareResult second = core::compareFiles(source, target, options);
    EXPECT_EQ(first.sourceRows, second.sourceRows);
    EXPECT_EQ(first.destinationRows, second.destinationRows);
    expectSameAsReference(source, target, options, "second run");
}

// Two different short texts with the same hash, found by search.
std::pair<std::string, std::string> hashCollision()
{
    std::unordered_map<std::uint32_t, std::string> seen;
    std::mt19937 random(7);
    for (;;) {
        std::string text;
        for (int k = 0; k < 6; ++k)
            text += static_cast<char>('a' + random() % 26);
        auto [at, inserted] = seen.try_emplace(core::lineHash(text), text);
        if (!inserted && at->second != text)
            return {at->second, text};
    }
}

TEST_F(DifferenceEngine, LinesWithOneHashButDifferentTextsPairOnlyAsAnchors)
{
    const auto [first, second] = hashCollision();
    LineFile source = fileOfLines({"k", first, "m"}, options);
    LineFile target = fileOfLines({"k", second, "m"}, options);
    const CompareResult result = core::compareFiles(source, target, options);
    // The unique-line pass links on the hash alone.
    EXPECT_EQ(source.lineAt(1)->partner(), 1);
    EXPECT_EQ(statesOf(source), std::vector<LineState>(3, Same));
    EXPECT_TRUE(result.blankDifference);
    expectSameAsReference(source, target, options, "collision");
}

// Random small pairs from a small alphabet with blank lines, repeated lines and lines
// that differ only in blanks: the engine must give exactly the reference's results.
std::vector<std::string> randomLines(std::mt19937& random, const std::vector<std::string>& alphabet, int maxLines)
{
    std::vector<std::string> lines(random() % (maxLines + 1));
    for (std::string& line : lines)
        line = alphabet[random() % alphabet.size()];
    return lines;
}

// The target as a few edits of the source, so that pairs share long runs.
std::vector<std::string> editedCopy(std::mt19937& random, std::vector<std::string> lines,
                                    const std::vector<std::string>& alphabet)
{
    const auto anyLine = [&](int) { return alphabet[random() % alphabet.size()]; };
    return testing_support::randomlyEdited(random, std::move(lines), 4, anyLine, anyLine);
}

// A file as the loader builds it from disk: equal lines then share their bytes, which
// the classes take as a short cut.
LineFile loadedFile(const testing_support::TempDir& dir, std::string_view name, const std::vector<std::string>& lines,
                    const core::TextOptions& options)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\n";
    LineFile file;
    EXPECT_TRUE(file.load(dir.write(name, bytes), options));
    return file;
}

void runRandomPairs(int ignoreBlanks, std::uint32_t seed)
{
    const testing_support::TempDir dir;
    core::TextOptions options;
    options.ignoreBlanks = ignoreBlanks != 0;
    const auto [first, second] = hashCollision();
    const std::vector<std::string> small = {"a", "b", "c", "", "   ", "a b", "a  b", " a b", "ab", "\ta"};
    const std::vector<std::string> wide = {"a", "b", "c", "d", "e", "f", "g", "h", "", "x y", "x  y", first, second};
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const std::vector<std::string>& alphabet = round % 2 == 0 ? small : wide;
        std::vector<std::string> sourceLines = randomLines(random, alphabet, 12);
        std::vector<std::string> targetLines =
            random() % 2 == 0 ? randomLines(random, alphabet, 12) : editedCopy(random, sourceLines, alphabet);
        const bool fromDisk = round % 3 == 2;
        LineFile source = fromDisk ? loadedFile(dir, "source", sourceLines, options) : fileOfLines(sourceLines, options);
        LineFile target = fromDisk ? loadedFile(dir, "target", targetLines, options) : fileOfLines(targetLines, options);
        std::string what = "round " + std::to_string(round) + (fromDisk ? " (loaded):" : ":");
        for (const auto& line : sourceLines)
            what += " [" + line + "]";
        what += " |";
        for (const auto& line : targetLines)
            what += " [" + line + "]";
        expectSameAsReference(source, target, options, what);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(DifferenceEngineRandom, MatchesTheLiteralWalkWithBlanksCompared)
{
    runRandomPairs(0, 1);
}

TEST(DifferenceEngineRandom, MatchesTheLiteralWalkWithBlanksIgnored)
{
    runRandomPairs(1, 2);
}

} // namespace
