#include <gtest/gtest.h>

#include "core/line_counts.h"
#include "core/row_queries.h"
#include "core/side.h"
#include "tests/core/edit_test_pair.h"

namespace core {
namespace {

using testing::EditTestPair;

RowQueries queries(EditTestPair& p, int side) { return RowQueries(p.pair(), side); }

// Rows: a/a, b/x, c/y, d/d, e/-, f/f, g/g: two difference blocks, the second a filler row on
// the target.
EditTestPair twoBlocks()
{
    return EditTestPair({"a", "b", "c", "d", "e", "f", "g"}, {"a", "x", "y", "d", "f", "g"});
}

TEST(RowQueries, DifferenceRowsAreVirtualOrNotSameAndNothingOutsideTheRows)
{
    EditTestPair p = twoBlocks();
    ASSERT_EQ(p.rowCount, 7);
    const RowQueries target = queries(p, kTargetSide);
    EXPECT_FALSE(target.isDifferenceRow(0));
    EXPECT_TRUE(target.isDifferenceRow(1));
    EXPECT_TRUE(target.isDifferenceRow(2));
    EXPECT_FALSE(target.isDifferenceRow(3));
    EXPECT_TRUE(target.isDifferenceRow(4));    // the filler row
    EXPECT_FALSE(target.isDifferenceRow(-1));
    EXPECT_FALSE(target.isDifferenceRow(7));
}

TEST(RowQueries, AnEditedLineIsADifferenceOnItsSideOnly)
{
    EditTestPair p = twoBlocks();
    ASSERT_TRUE(p.editor(kSourceSide).setCellText(5, "changed").done);
    EXPECT_TRUE(queries(p, kSourceSide).isDifferenceRow(5));
    EXPECT_FALSE(queries(p, kTargetSide).isDifferenceRow(5));
}

TEST(RowQueries, BlockStartIsTheFirstRowOfTheRunHoldingTheRow)
{
    EditTestPair p = twoBlocks();
    const RowQueries source = queries(p, kSourceSide);
    EXPECT_EQ(source.blockStart(2), 1);
    EXPECT_EQ(source.blockStart(1), 1);
    EXPECT_EQ(source.blockStart(4), 4);
    EXPECT_EQ(source.blockStart(0), 0);
}

TEST(RowQueries, FindDifferenceLeavesTheBlockItStartsInBothWays)
{
    EditTestPair p = twoBlocks();
    const RowQueries target = queries(p, kTargetSide);
    EXPECT_EQ(target.firstDifference(), 1);
    EXPECT_EQ(target.findDifference(-1, true), 1);
    EXPECT_EQ(target.findDifference(0, true), 1);
    EXPECT_EQ(target.findDifference(1, true), 4);
    EXPECT_EQ(target.findDifference(2, true), 4);
    EXPECT_EQ(target.findDifference(4, true), -1);
    EXPECT_EQ(target.findDifference(4, false), 2);    // the last row of the block above
    EXPECT_EQ(target.findDifference(3, false), 2);
    EXPECT_EQ(target.findDifference(1, false), -1);
}

TEST(RowQueries, IdenticalFilesHaveNoDifference)
{
    EditTestPair p({"same", "lines"}, {"same", "lines"});
    EXPECT_EQ(queries(p, kSourceSide).firstDifference(), -1);
    EXPECT_EQ(queries(p, kTargetSide).findDifference(1, false), -1);
}

TEST(RowQueries, RowOfLineFindsTheRowThatShowsTheNumber)
{
    EditTestPair p = twoBlocks();
    const RowQueries target = queries(p, kTargetSide);
    EXPECT_EQ(target.rowOfLine(1), 0);
    EXPECT_EQ(target.rowOfLine(4), 3);
    EXPECT_EQ(target.rowOfLine(5), 5);
    EXPECT_EQ(target.rowOfLine(6), 6);
    EXPECT_EQ(target.rowOfLine(7), -1);
    EXPECT_EQ(target.rowOfLine(0), -1);
    EXPECT_EQ(queries(p, kSourceSide).rowOfLine(7), 6);
}

TEST(RowQueries, AVirtualRowGivesItsNumberToTheRealLineAbove)
{
    // Rows: one/one, two/six, three/-, four/four: the filler stands under "six".
    EditTestPair p({"one", "two", "three", "four"}, {"one", "six", "four"});
    ASSERT_TRUE(isVirtualRow(p.destinationRows[2]));
    const RowQueries target = queries(p, kTargetSide);
    EXPECT_EQ(target.lineNumberNear(2), 2);
    EXPECT_EQ(target.lineNumberAt(2), 0);
    EXPECT_EQ(target.rowOfLine(2), 1);
    EXPECT_EQ(target.rowOfLine(3), 3);
}

// A line longer than a piece shows in several rows, all with its one number.
TEST(RowQueries, TheRowsOfACutLineShareItsNumber)
{
    const std::string longLine(LineFile::kPieceSize * 5 / 2, 'x');
    EditTestPair p({"a", longLine, "b", "c"}, {"a", longLine, "y", "c"});
    ASSERT_TRUE(p.target.hasCutLines());
    ASSERT_EQ(p.rowCount, 6);
    for (const int side : { kSourceSide, kTargetSide }) {
        const RowQueries rows = queries(p, side);
        for (int row = 0; row < p.rowCount; ++row)
            EXPECT_EQ(rows.lineNumberAt(row), std::vector<int>({ 1, 2, 2, 2, 3, 4 })[std::size_t(row)]) << row;
    }
}

// Edits append lines to the file: numbers follow the rows, not where lines are stored.
TEST(RowQueries, LineNumbersFollowTheRowsAfterEdits)
{
    EditTestPair p = twoBlocks();
    ASSERT_TRUE(p.editor(kTargetSide).insertLine(1).done);
    ASSERT_TRUE(p.editor(kTargetSide).deleteLine(6).done);
    ASSERT_TRUE(p.editor(kTargetSide).setCellText(7, "G").done);
    const RowQueries target = queries(p, kTargetSide);
    int expected = 0;
    for (int row = 0; row < p.rowCount; ++row) {
        const bool line = !isVirtualRow(p.destinationRows[std::size_t(row)]);
        expected += line;
        EXPECT_EQ(target.lineNumberAt(row), line ? expected : 0) << row;
        EXPECT_EQ(target.lineNumberNear(row), expected) << row;
        if (line) {
            EXPECT_EQ(target.rowOfLine(expected), row);
        }
    }
    EXPECT_EQ(target.rowOfLine(expected + 1), -1);
    // Counted in blocks, asked in any order, they are the same; an edit makes them anew.
    LineCounts counts(2);
    for (const int row : {p.rowCount - 1, 0, p.rowCount / 2, 1, 2})
        EXPECT_EQ(counts.linesThrough(target, row, 1), target.linesShownIn(0, row + 1)) << row;
    ASSERT_TRUE(p.editor(kTargetSide).insertLine(0).done);
    EXPECT_EQ(counts.linesThrough(queries(p, kTargetSide), p.rowCount - 1, 2), expected + 1);
}

} // namespace
} // namespace core
