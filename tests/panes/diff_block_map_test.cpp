#include <gtest/gtest.h>

#include "core/line_file.h"
#include "panes/diff_block_map.h"
#include "tests/support/temp_dir.h"

namespace {

using core::LineState;
using panes::DiffBlockMap;

// A source file of n lines whose states are given by the test.
class DiffBlockMapTest : public ::testing::Test {
protected:
    void makeSource(int lines)
    {
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line " + std::to_string(i) + "\n";
        ASSERT_TRUE(source.load(dir.write("source.txt", text), {}));
    }

    void setState(int line, LineState state) { source.lineAt(line)->setState(state); }

    testing_support::TempDir dir;
    core::LineFile source;
    DiffBlockMap map;
};

// A build in steps of any size gives the map of a single build, a block running across the
// steps; rows not built yet read as same.
TEST_F(DiffBlockMapTest, BlockTakesTheKindOfItsFirstRowAlsoWhenBuiltInSteps)
{
    // rows: same, source-only start, changed continuation, same, virtual source, same
    makeSource(5);
    setState(1, LineState::SourceOnly);
    setState(2, LineState::Changed);
    const core::RowMap sourceRows = {0, 1, 2, 3, -5, 4};
    const core::RowMap destinationRows = {0, -1, 1, 2, 3, 4};
    map.build(source, sourceRows, destinationRows, 6);
    EXPECT_EQ(map.values(), (std::vector<std::uint8_t>{0, 1, 1, 0, 2, 0}));
    for (const int step : { 1, 2, 4, 7 }) {
        DiffBlockMap stepped;
        stepped.startBuild(6);
        int steps = 1;
        while (!stepped.buildSome(source, sourceRows, destinationRows, step)) {
            EXPECT_EQ(stepped.valueAt(steps * step), DiffBlockMap::kSame) << "step " << step;
            ++steps;
        }
        EXPECT_EQ(steps, (6 + step - 1) / step);
        EXPECT_EQ(stepped.values(), map.values()) << "step " << step;
    }
}

TEST_F(DiffBlockMapTest, RowWithLinesOnBothSidesStartsAChangedBlock)
{
    makeSource(3);
    setState(1, LineState::Changed);
    setState(2, LineState::Edited);
    map.build(source, {0, 1, 2}, {0, 1, -2}, 3);
    EXPECT_EQ(map.values(), (std::vector<std::uint8_t>{0, 3, 3}));
}

TEST_F(DiffBlockMapTest, FewRowsGivePixelsPerRow)
{
    makeSource(100);
    core::RowMap rows(100);
    for (int i = 0; i < 100; ++i)
        rows[std::size_t(i)] = i;
    map.build(source, rows, rows, 100);
    map.rescale(410);
    EXPECT_TRUE(map.pixelsPerRow());
    EXPECT_EQ(map.scale(), 4);
    EXPECT_EQ(map.rowToY(10), 45);
    EXPECT_EQ(map.yToRow(45), 10);
}

TEST_F(DiffBlockMapTest, ManyRowsGiveRowsPerPixelAndTheStrongestValueWins)
{
    makeSource(1);
    core::RowMap rows(10000, 0);
    map.build(source, rows, rows, 10000);
    map.rescale(510);
    EXPECT_FALSE(map.pixelsPerRow());
    EXPECT_EQ(map.scale(), 21);
    EXPECT_EQ(map.rowToY(42), 7);
    EXPECT_EQ(map.yToRow(7), 42);

    core::RowMap withChange = rows;
    withChange[30] = -1;    // one target-only row among same rows
    map.build(source, withChange, rows, 10000);
    EXPECT_EQ(map.strongestValue(21, 21), 2);
    EXPECT_EQ(map.strongestValue(0, 21), 0);
}

TEST_F(DiffBlockMapTest, EmptyDocumentKeepsTheScale)
{
    makeSource(10);
    core::RowMap rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    map.build(source, rows, rows, 10);
    map.rescale(210);
    const int scale = map.scale();
    map.build(source, {}, {}, 0);
    map.rescale(500);
    EXPECT_EQ(map.scale(), scale);
    EXPECT_EQ(map.rowCount(), 0);
}

TEST_F(DiffBlockMapTest, NearestDifferenceLooksAboveFirst)
{
    makeSource(10);
    setState(2, LineState::Changed);
    setState(8, LineState::Changed);
    core::RowMap rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    map.build(source, rows, rows, 10);
    EXPECT_EQ(map.nearestDifference(5), 2);
    EXPECT_EQ(map.nearestDifference(6), 8);
    EXPECT_EQ(map.nearestDifference(2), 2);
    EXPECT_EQ(map.nearestDifference(10), std::nullopt);
    EXPECT_EQ(map.nearestDifference(-1), std::nullopt);
}

TEST_F(DiffBlockMapTest, NearestDifferenceBeyondTheSearchGivesTheRowItself)
{
    makeSource(1);
    core::RowMap rows(3000, 0);
    rows[2999] = -1;
    map.build(source, rows, rows, 3000);
    EXPECT_EQ(map.nearestDifference(1000), 1000);
    EXPECT_EQ(map.nearestDifference(2000), 2999);
}

} // namespace
