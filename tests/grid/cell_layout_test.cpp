#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "grid/cell_geometry.h"
#include "grid/cell_messages.h"
#include "grid/cell_moves.h"
#include "tests/grid/empty_grid_position.h"

namespace grid {
namespace {

CellGeometry makeGeometry(int width, int height, int columns, int columnWidth, int rows, int rowHeight)
{
    CellGeometry g;
    g.frame.windowWidth = width;
    g.frame.windowHeight = height;
    g.frame.vScrollWidth = 16;
    g.frame.hScrollHeight = 16;
    g.frame.hasVScroll = true;
    g.frame.hasHScroll = true;
    if (columns > 0)
        g.columns.insert(0, columns, columnWidth);
    if (rows > 0)
        g.rows.insert(0, rows, rowHeight);
    g.rebuildEdges();
    return g;
}

// One column of 100 pixels and rows of 10 in the 200 x 100 window: ten rows show.
CellGeometry rowList(int rows = 100)
{
    return makeGeometry(200, 100, 1, 100, rows, 10);
}

// The position the grid keeps after asking for the one given.
TCellPosition settled(CellGeometry& g, TCellPosition asked = {})
{
    g.settle(asked);
    return asked;
}

TEST(CellAxis, EdgesRepeatTheLastEntryAndWrapAround)
{
    CellAxis axis;
    axis.insert(0, 3, 10);
    axis.rebuildEdges();
    EXPECT_EQ(axis.total(), 30);
    EXPECT_EQ(axis.edge(3), 30);
    EXPECT_EQ(axis.end(3), 30);        // the repeated entry
    EXPECT_EQ(axis.edge(4), 0);        // index modulo count + 1
    EXPECT_EQ(axis.edge(-5), 0);
    axis.setTail(100);
    EXPECT_EQ(axis.end(3), 100);
    axis.setTail(5);
    EXPECT_EQ(axis.end(3), 30);        // never below the last edge
}

TEST(CellAxis, CoordinateOnAnEdgeBelongsToTheSectionStartingThere)
{
    CellAxis axis;
    axis.insert(0, 3, 10);
    axis.rebuildEdges();
    EXPECT_EQ(axis.indexAt(-7), 0);
    EXPECT_EQ(axis.indexAt(0), 0);
    EXPECT_EQ(axis.indexAt(9), 0);
    EXPECT_EQ(axis.indexAt(10), 1);
    EXPECT_EQ(axis.indexAt(29), 2);
    EXPECT_EQ(axis.indexAt(30), 3);    // past the last edge: the count
    EXPECT_EQ(axis.indexAt(1000), 3);
}

// The axis against its edge array written out, as the last rebuild left it.
void expectEdges(const CellAxis& axis, const std::vector<int>& edges)
{
    const int count = axis.count();
    EXPECT_EQ(axis.total(), edges[std::size_t(count)]);
    for (int i = -1; i <= 2 * count + 2; ++i) {
        EXPECT_EQ(axis.edge(i), i < 0 ? 0 : edges[std::size_t(i % (count + 1))]) << i;
        EXPECT_EQ(axis.start(i), edges[std::size_t(std::clamp(i, 0, count))]) << i;
        EXPECT_EQ(axis.end(i), edges[std::size_t(std::clamp(i, 0, count) + 1)]) << i;
    }
    for (int coordinate = -3; coordinate <= edges.back() + 12; ++coordinate) {
        const auto last = edges.begin() + count + 1;
        const int expected = coordinate < 0 ? 0 : int(std::upper_bound(edges.begin(), last, coordinate) - edges.begin()) - 1;
        EXPECT_EQ(axis.indexAt(coordinate), expected) << coordinate;
    }
}

TEST(CellAxis, SectionsOfOneSizeAnswerAsTheirWrittenOutEdgesDo)
{
    CellAxis axis;
    axis.insert(0, 5, 7);
    axis.rebuildEdges();
    expectEdges(axis, {0, 7, 14, 21, 28, 35, 35});
    axis.raiseTail(50);
    expectEdges(axis, {0, 7, 14, 21, 28, 35, 50});

    // Until the next rebuild the edges stay those of the last one.
    axis.erase(1, 2);
    expectEdges(axis, {0, 7, 14, 21, 28, 35, 50});
    axis.rebuildEdges();
    expectEdges(axis, {0, 7, 14, 21, 21});

    axis.setSize(1, 3);
    axis.rebuildEdges();
    expectEdges(axis, {0, 7, 10, 17, 17});
    axis.setAll(0);
    axis.rebuildEdges();
    expectEdges(axis, {0, 0, 0, 0, 0});
    axis.setTail(4);
    expectEdges(axis, {0, 0, 0, 0, 4});
}

TEST(CellGeometry, EmptyGridHasEverythingZero)
{
    CellGeometry g = makeGeometry(200, 100, 0, 0, 0, 0);
    expectEmptyGridPosition(settled(g, {.originX = 40, .column = 5, .row = 7}));
}

TEST(CellGeometry, VerticalBarNeededMakesTheHorizontalOneNeededToo)
{
    // 190 pixels of columns fit in 200, but the rows need a vertical bar that leaves 184.
    CellGeometry g = makeGeometry(200, 100, 1, 190, 15, 10);
    const TCellPosition p = settled(g);
    const DataArea area = g.dataArea();
    EXPECT_TRUE(area.vScroll);
    EXPECT_TRUE(area.hScroll);
    EXPECT_EQ(area.width, 184);
    EXPECT_EQ(area.height, 84);
    EXPECT_EQ(p.maxOriginX, 6);
    EXPECT_EQ(p.maxOriginY, 150 - 84);
}

TEST(CellGeometry, NoBarsWhenEverythingFits)
{
    CellGeometry g = makeGeometry(200, 100, 2, 50, 3, 10);
    const TCellPosition p = settled(g);
    EXPECT_EQ(p.maxOriginX, 0);
    EXPECT_EQ(p.maxOriginY, 0);
    EXPECT_EQ(p.totalWidth, 200);      // the data area when it is larger
    EXPECT_EQ(p.totalHeight, 100);
    EXPECT_EQ(p.lastColumn, 2);        // the right edge lies past the last column
    EXPECT_EQ(g.columns.end(2), 200);  // so the space beyond is a column of its own
}

TEST(CellGeometry, OriginsAndCellAreClampedAfterEveryChange)
{
    CellGeometry g = makeGeometry(200, 100, 10, 50, 50, 10);
    const TCellPosition p = settled(g, {.originX = 10000, .originY = -5, .column = 99, .row = -3});
    EXPECT_EQ(p.originX, p.maxOriginX);
    EXPECT_EQ(p.originY, 0);
    EXPECT_EQ(p.column, 9);
    EXPECT_EQ(p.row, 0);
}

TEST(CellMoves, PageDownKeepsTheDistanceFromTheTopRow)
{
    CellGeometry g = rowList();
    const TCellPosition p = settled(g, {.row = 3});
    ASSERT_EQ(p.lastRow, 10);
    const auto moved = proposeMove(g, p, TCM_PAGEDOWN, 0, 0);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->originY, 100);
    EXPECT_EQ(moved->firstRow, 10);
    EXPECT_EQ(moved->row, 13);
}

TEST(CellMoves, PageUpAtTheTopOnlyMovesTheCurrentRow)
{
    CellGeometry g = rowList();
    const auto moved = proposeMove(g, settled(g, {.row = 6}), TCM_PAGEUP, 0, 0);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->originY, 0);
    EXPECT_EQ(moved->row, 0);
}

TEST(CellMoves, PageDownAtTheBottomGoesToTheLastRow)
{
    CellGeometry g = rowList(12);
    const auto moved = proposeMove(g, settled(g, {.originY = 100, .row = 5}), TCM_PAGEDOWN, 1, 0);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->row, 11);
}

TEST(CellMoves, PageLeftPagesByColumnsNotToTheFirst)
{
    CellGeometry g = makeGeometry(216, 100, 20, 50, 1, 10);      // 200 pixels: 4 columns
    const TCellPosition p = settled(g, {.originX = 500, .column = 11});
    ASSERT_EQ(p.firstColumn, 10);
    const auto moved = proposeMove(g, p, TCM_PAGELEFT, 1, 0);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->originX, 300);
    EXPECT_EQ(moved->column, 7);
}

TEST(CellMoves, SetCurCellBeyondTheLastColumnLandsOnTheLast)
{
    CellGeometry g = makeGeometry(200, 100, 5, 30, 5, 10);
    const auto moved = proposeMove(g, settled(g), TCM_SETCURCELL, 40, 2);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->column, 4);
    EXPECT_EQ(moved->row, 2);
}

TEST(CellMoves, BottomRowStaysOnTheRowJustBeforeTheLastVisible)
{
    CellGeometry g = rowList();
    TCellPosition p = settled(g, {.row = 9});
    ASSERT_EQ(p.lastRow, 10);
    EXPECT_EQ(proposeMove(g, p, TCM_BOTTOMROW, 0, 0)->row, 9);
    p.row = 2;
    EXPECT_EQ(proposeMove(g, p, TCM_BOTTOMROW, 0, 0)->row, 10);
}

TEST(CellMoves, ScrollCodesDragTheCurrentCellAlong)
{
    CellGeometry g = rowList();
    const TCellPosition p = settled(g);
    const auto thumb = proposeMove(g, p, TCM_VSCROLL, SB_THUMBPOSITION, 505);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->originY, 505);
    EXPECT_EQ(thumb->row, 51);         // the first row starting at or after the origin
    const auto track = proposeMove(g, p, TCM_VSCROLL, SB_THUMBTRACK, 505);
    EXPECT_EQ(track->originY, 505);
    EXPECT_EQ(track->row, 0);          // tracking moves the view only
    const auto line = proposeMove(g, *thumb, TCM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(line->originY, 505 + 10);
}

TEST(CellMoves, UnknownScrollCodesAndEmptyGridsDoNothing)
{
    CellGeometry g = makeGeometry(200, 100, 5, 30, 5, 10);
    const TCellPosition p = settled(g);
    for (int code : {6, 7, 8})
        EXPECT_FALSE(proposeMove(g, p, TCM_HSCROLL, static_cast<framework::WParam>(code), 0));
    CellGeometry empty = makeGeometry(200, 100, 0, 0, 0, 0);
    EXPECT_FALSE(proposeMove(empty, p, TCM_VSCROLL, SB_LINEDOWN, 0));
    EXPECT_FALSE(proposeMove(empty, p, TCM_HSCROLL, SB_PAGEDOWN, 0));
}

TEST(CellMoves, ShowBringsTheCurrentCellIntoView)
{
    CellGeometry g = rowList();
    const TCellPosition p = settled(g);
    const auto far = proposeMove(g, p, TCM_SETCURCELL, 0, 50);
    EXPECT_EQ(far->originY, 510 - 100);    // bottom edges meet
    const auto hidden = proposeMove(g, p, TCM_SETCURCELLNOSCROLL, 0, 50);
    EXPECT_EQ(hidden->originY, 0);
}

} // namespace
} // namespace grid
