#include <gtest/gtest.h>

#include <QFontMetrics>

#include "tests/grid/empty_grid_position.h"
#include "tests/grid/grid_owner.h"

namespace grid_test {
namespace {

constexpr WParam kAll = static_cast<WParam>(-1);

TEST(CellMessages, RowUpOnTheFirstRowReturnsZeroAndReportsNothing)
{
    GridFixture f(TCS_NOTIFY, 3, 10);
    EXPECT_EQ(f.grid->send(TCM_ROWUP, 1), 0);
    EXPECT_EQ(f.pos().row, 0);
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 0);
    EXPECT_EQ(f.owner->queries, 0);
}

TEST(CellMessages, PositionChangeCarriesTheNewPositionAndTheCause)
{
    GridFixture f(TCS_NOTIFY, 3, 10);
    EXPECT_EQ(f.grid->send(TCM_SETCURCELL, 2, 5), 1);
    ASSERT_EQ(f.owner->count(TCN_POSCHANGED), 1);
    const TCellNotify& n = f.owner->notifications.back();
    EXPECT_EQ(n.second, static_cast<LParam>(TCM_SETCURCELL));
    EXPECT_EQ(n.position.column, 2);
    EXPECT_EQ(n.position.row, 5);
    EXPECT_EQ(n.controlId, 77);
    TCellPosition copy;
    EXPECT_EQ(f.grid->send(TCM_GETPOSITION, reinterpret_cast<WParam>(&copy)), 1);
    EXPECT_EQ(copy, f.pos());
    EXPECT_EQ(f.grid->send(TCM_GETPOSITION, 0), 0);
}

TEST(CellMessages, VetoOfTheQueryFreezesTheCellAgainstMessagesKeysAndClicks)
{
    GridFixture f(TCS_NOTIFY, 5, 50);
    f.owner->show();
    f.owner->vetoMoves = true;
    EXPECT_EQ(f.grid->send(TCM_ROWDOWN, 1), 0);
    EXPECT_EQ(f.grid->send(TCM_SETCURCELL, 3, 20), 0);
    EXPECT_EQ(f.grid->send(TCM_VSCROLL, SB_PAGEDOWN, 0), 0);
    f.grid->send(platform::WM_KEYDOWN, platform::VK_DOWN, 1);
    f.grid->send(platform::WM_KEYDOWN, platform::VK_NEXT, 1);
    f.grid->send(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, platform::makeLParam(150, 65));
    EXPECT_EQ(f.pos().row, 0);
    EXPECT_EQ(f.pos().column, 0);
    EXPECT_EQ(f.pos().originY, 0);
    EXPECT_GE(f.owner->queries, 6);
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 0);
}

TEST(CellMessages, WithoutTheNotifyStyleOnlyRequestsArrive)
{
    GridFixture f(0, 3, 10);
    f.owner->show();
    f.grid->send(TCM_ROWDOWN, 1);
    f.grid->send(TCM_SELECTROW, 2, 1);
    f.grid->send(platform::WM_KEYDOWN, platform::VK_DOWN, 1);
    f.grid->grab();
    EXPECT_TRUE(f.owner->codes.empty());
    EXPECT_EQ(f.owner->queries, 2);
    EXPECT_GT(f.owner->textRequests, 0);
}

TEST(CellMessages, VetoedSelectRowLeavesTheFlagsAndAnswersMinusTwo)
{
    GridFixture f(TCS_NOTIFY, 3, 10);
    f.owner->answers[TCN_SELECTROW] = kVeto;
    EXPECT_EQ(f.grid->send(TCM_SELECTROW, 4, 1), kVeto);
    EXPECT_EQ(f.grid->send(TCM_SELECTROW, kAll, 2), kVeto);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(f.grid->rowFlags(row), 0);
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 0);
    const TCellNotify& n = f.owner->notifications.back();
    EXPECT_EQ(n.first, -1);
    EXPECT_EQ(n.second, 2);
}

TEST(CellMessages, SelectAndMarkActions)
{
    GridFixture f(TCS_NOTIFY, 3, 6);
    f.grid->send(TCM_SELECTROW, 1, 1);
    f.grid->send(TCM_SELECTROW, 2, 1);
    EXPECT_EQ(f.grid->send(TCM_SELECTROW, kAll, 2), 1);          // toggling all inverts every row
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ((f.grid->rowFlags(row) & kRowSelected) != 0, row != 1 && row != 2) << row;
    EXPECT_EQ(f.grid->send(TCM_MARKROW, 3, 1), 1);
    EXPECT_EQ(f.grid->rowFlags(3), kRowSelected | kRowMarked);
    EXPECT_EQ(f.grid->send(TCM_MARKROW, 3, 0), 1);
    EXPECT_EQ(f.grid->send(TCM_SELECTROW, 6, 1), 0);             // no such row
    EXPECT_EQ(f.grid->send(TCM_SELECTROW, 0, 3), 0);             // no such action
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 5);
}

// Against a row-by-row walk, over row counts and selections around the eight-row steps.
TEST(CellMessages, NextRowWithFlagsFindsEverySelectedRowInOrder)
{
    for (const int rows : { 0, 5, 8, 23, 64 }) {
        GridFixture f(0, 1, rows);
        for (int row = 0; row < rows; row += 7)
            f.grid->send(TCM_SELECTROW, WParam(row), 1);
        if (rows > 0)
            f.grid->send(TCM_MARKROW, WParam(rows - 1), 1);
        for (int from = 0; from <= rows; ++from) {
            int expected = from;
            while (expected < rows && (f.grid->rowFlags(expected) & kRowSelected) == 0)
                ++expected;
            EXPECT_EQ(f.grid->nextRowWithFlags(from, kRowSelected), expected) << rows << " rows, from " << from;
        }
    }
}

TEST(CellMessages, MarkedRowIsReadOnly)
{
    GridFixture f(TCS_EDITABLE, 2, 3);
    EXPECT_TRUE(f.grid->isCellEditable(1, 2));
    f.grid->send(TCM_MARKROW, 2, 1);
    EXPECT_FALSE(f.grid->isCellEditable(1, 2));
    EXPECT_FALSE(f.grid->isCellEditable(2, 0));
    f.grid->setEditEnabled(false);
    EXPECT_FALSE(f.grid->isCellEditable(0, 0));
}

TEST(CellMessages, RowHeightMinusOneForAllResetsTheDefaultFromTheFonts)
{
    GridFixture f(0, 2, 5);
    ASSERT_EQ(f.grid->rowHeight(3), 20);
    const TextMetrics& m = f.grid->font(0).metrics();
    EXPECT_EQ(f.grid->send(TCM_SETROWHEIGHT, kAll, -1), 1);
    EXPECT_EQ(f.grid->defaultRowHeight(), m.height + m.internalLeading);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(f.grid->rowHeight(row), f.grid->defaultRowHeight());
    EXPECT_EQ(f.grid->send(TCM_SETROWHEIGHT, 1, 0), 0);
    EXPECT_EQ(f.grid->send(TCM_SETROWHEIGHT, 1, -2), 0);
    EXPECT_EQ(f.grid->send(TCM_SETROWHEIGHT, 1, 33), 1);
    EXPECT_EQ(f.grid->rowHeight(1), 33);
}

TEST(CellMessages, DefaultColumnIsTenWidestCharactersButNeverNarrowerThanItsHeader)
{
    GridFixture f(0, 0, 0);
    ASSERT_EQ(f.grid->send(TCM_INSERTCOLS, 0, 0), 1);
    const CSFont& font = f.grid->font(0);
    const int header = QFontMetrics(font.font()).horizontalAdvance(QStringLiteral("NoName")) + 16;
    EXPECT_EQ(f.grid->columnWidth(0), std::max(10 * font.metrics().maxCharWidth + 4, header));

    TCellColumn narrow;
    narrow.widthChars = 1;
    narrow.isStatic = 1;
    TCellColumnList list{1, &narrow};
    ASSERT_EQ(f.grid->send(TCM_INSERTCOLS, 1, reinterpret_cast<LParam>(&list)), 1);
    EXPECT_EQ(f.grid->columnWidth(1), header);
    EXPECT_EQ(f.grid->send(TCM_INSERTCOLS, 5, 0), 0);                        // past the end
    EXPECT_EQ(f.grid->send(TCM_INSERTCOLS, static_cast<WParam>(-1), 0), 1);  // negative appends
    EXPECT_EQ(f.grid->column(2).isStatic, 0);
    EXPECT_EQ(f.grid->column(1).isStatic, 1);
}

TEST(CellMessages, AutomaticWidthFromSetColWidthUsesTheColumnsCharacters)
{
    GridFixture f(TCS_NOTIFY, 2, 2);
    const TextMetrics& m = f.grid->font(0).metrics();
    EXPECT_EQ(f.grid->send(TCM_SETCOLWIDTH, 1, 0), 1);
    EXPECT_EQ(f.grid->columnWidth(1), 10 * m.maxCharWidth + 4);
    EXPECT_EQ(f.grid->send(TCM_SETCOLWIDTH, 1, -1), 1);
    EXPECT_EQ(f.grid->columnWidth(1), 10 * m.averageCharWidth + 4);
    EXPECT_EQ(f.grid->send(TCM_SETCOLWIDTH, 5, 10), 0);
    EXPECT_EQ(f.owner->count(TCN_SETCOLWIDTH), 3);
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 2);
}

TEST(CellMessages, DeletingTheCurrentRowAtTheEndMovesToTheNewLastRow)
{
    GridFixture f(TCS_NOTIFY, 2, 10);
    f.grid->send(TCM_SETCURCELL, 0, 9);
    EXPECT_EQ(f.grid->send(TCM_DELETEROWS, static_cast<WParam>(-1), 1), 1);   // -1: the last row
    EXPECT_EQ(f.grid->rowCount(), 9);
    EXPECT_EQ(f.pos().row, 8);
    EXPECT_EQ(f.grid->send(TCM_DELETEROWS, 5, 100), 1);                       // cut to what exists
    EXPECT_EQ(f.grid->rowCount(), 5);
    EXPECT_EQ(f.pos().row, 4);
    EXPECT_EQ(f.grid->send(TCM_DELETEROWS, 5, 1), 0);
    EXPECT_EQ(f.grid->send(TCM_DELETEROWS, 0, 0), 0);
}

TEST(CellMessages, InsertedRowsTakeTheDefaultHeightAndMoveTheOthersDown)
{
    GridFixture f(0, 1, 3);
    f.grid->send(TCM_SELECTROW, 1, 1);
    EXPECT_EQ(f.grid->send(TCM_INSERTROWS, 1, 2), 1);
    EXPECT_EQ(f.grid->rowCount(), 5);
    EXPECT_EQ(f.grid->rowFlags(1), 0);
    EXPECT_EQ(f.grid->rowFlags(3), kRowSelected);
    EXPECT_EQ(f.grid->rowHeight(1), f.grid->defaultRowHeight());
    EXPECT_EQ(f.grid->send(TCM_INSERTROWS, 6, 1), 0);
    EXPECT_EQ(f.grid->send(TCM_INSERTROWS, 0, 0), 0);
}

TEST(CellMessages, EmptyGridStaysAtTheOrigin)
{
    GridFixture f(TCS_NOTIFY, 0, 0);
    EXPECT_EQ(f.grid->send(TCM_ROWDOWN, 1), 0);
    EXPECT_EQ(f.grid->send(TCM_LASTCOL, 1), 0);
    EXPECT_EQ(f.grid->send(TCM_VSCROLL, SB_PAGEDOWN), 0);
    expectEmptyGridPosition(f.pos());
}

TEST(CellMessages, ResizeReportsOnlyWhenThePositionChanged)
{
    GridFixture f(TCS_NOTIFY, 3, 100);
    f.owner->show();
    f.grid->resize(410, 300);           // same rows visible, wider
    const int afterWider = f.owner->count(TCN_SIZE);
    f.grid->resize(410, 150);           // fewer rows visible
    EXPECT_EQ(f.owner->count(TCN_SIZE), afterWider + 1);
    EXPECT_EQ(f.owner->queries, 0);
}

TEST(CellMessages, CopyStateTakesOriginsAndCurrentRow)
{
    GridFixture a(0, 2, 100);
    GridFixture b(0, 2, 100);
    b.grid->send(TCM_SETCURCELL, 1, 60);
    a.grid->CopyState(*b.grid, 7);
    EXPECT_EQ(a.pos().row, 60);
    EXPECT_EQ(a.pos().column, 0);       // mask 0x08 not given
    EXPECT_EQ(a.pos().originY, b.pos().originY);
    EXPECT_EQ(a.owner->queries, 0);
}

TEST(CellMessages, CopyStateWithOtherRowCountTakesTheRows)
{
    GridFixture a(0, 2, 5);
    GridFixture b(0, 2, 40);
    b.grid->send(TCM_SETCURCELL, 0, 30);
    b.grid->send(TCM_SELECTROW, 31, 1);
    a.grid->CopyState(*b.grid, 7 | 0x40);
    EXPECT_EQ(a.grid->rowCount(), 40);
    EXPECT_EQ(a.pos().row, 0);          // only 0x20, 0x40, 0x80 stay in force
    EXPECT_EQ(a.grid->rowFlags(31), 0); // not visible here
    EXPECT_EQ(a.grid->rowFlags(1), 0);
}

TEST(CellMessages, CopyStateWithOtherRowCountKeepsTheFlagsOfTheRowsThatStay)
{
    GridFixture a(0, 1, 10);
    GridFixture b(0, 1, 12);
    a.grid->setRowFlags(3, 0x10, true);
    a.grid->setRowFlags(4, kRowSelected, true);
    a.grid->CopyState(*b.grid, 7);
    ASSERT_EQ(a.grid->rowCount(), 12);
    EXPECT_EQ(a.grid->rowFlags(3), 0x10);
    EXPECT_EQ(a.grid->rowFlags(4), kRowSelected);
    EXPECT_EQ(a.grid->rowFlags(11), 0);
}

TEST(CellMessages, RowEmphasisSwitchReportsOnlyAChange)
{
    GridFixture f(0, 1, 2);
    EXPECT_EQ(f.grid->setRowEmphasis(true), 0);
    EXPECT_EQ(f.grid->setRowEmphasis(false), 1);
    EXPECT_EQ(f.grid->setRowEmphasis(false), 0);
}

TEST(CellMessages, PlainSelectionStyleGivesTheCurrentRowWindowColours)
{
    GridFixture f(0, 1, 2);
    EXPECT_EQ(f.grid->colors().currentRowBackground, f.grid->colors().selectedBackground);
    f.grid->colors().selectedBackground = 0x123456;
    f.grid->modifyStyle(0, TCS_PLAINSELECT);
    EXPECT_EQ(f.grid->colors().currentRowBackground, f.grid->colors().background);
    EXPECT_EQ(f.grid->colors().currentRowText, f.grid->colors().text);
    EXPECT_EQ(f.grid->colors().selectedBackground, 0x123456u);     // the others are kept
}

TEST(CellMessages, ModifyStyleRemovesTheScrollBar)
{
    GridFixture f(0, 1, 100);
    const int withBar = f.grid->clientArea().width();
    f.grid->modifyStyle(platform::WS_VSCROLL, 0);
    EXPECT_GT(f.grid->clientArea().width(), withBar);
}

TEST(CellMessages, FixedBandRedrawNeedsItsStyle)
{
    GridFixture f(0, 1, 5);
    EXPECT_EQ(f.grid->send(TCM_REDRAWFIXEDROW, 1, 0), 0);
    EXPECT_EQ(f.grid->send(TCM_INVALIDATEROW, 1, 0), 1);
    EXPECT_EQ(f.grid->send(TCM_INVALIDATEROW, 5, 0), 0);
    EXPECT_EQ(f.grid->send(TCM_UPDATECELL, 0, 4), 1);
    EXPECT_EQ(f.grid->send(TCM_UPDATECELL, 1, 4), 0);
}

TEST(CellMessages, RepaintMessagesAnswerWhetherTheyNamedAShownPart)
{
    GridFixture f(TCS_FIXEDBAND, 2, 30);
    TCellColumn fixed;
    fixed.width = 30;
    ASSERT_TRUE(f.grid->insertFixedColumns(-1, &fixed, 1));
    ASSERT_LT(f.pos().lastRow, 29);
    struct Case {
        framework::MessageId message;
        WParam index;
        LParam lParam;    // the row of a cell, else the repaint-now flag
        LResult answer;
    };
    const Case cases[] = {
        {TCM_UPDATECELL, 1, 3, 1},     {TCM_UPDATECELL, 2, 3, 0},      {TCM_UPDATECELL, 0, 30, 0},
        {TCM_INVALIDATECOL, 1, 0, 1},  {TCM_INVALIDATECOL, 2, 0, 0},
        {TCM_INVALIDATEROW, 29, 0, 1}, {TCM_INVALIDATEROW, 2, 1, 1},   {TCM_INVALIDATEROW, 30, 1, 0},
        {TCM_REDRAWFIXEDCOL, 0, 0, 1}, {TCM_REDRAWFIXEDCOL, 0, 1, 1},  {TCM_REDRAWFIXEDCOL, 1, 0, 0},
        {TCM_REDRAWCELL, 0, 2, 1},     {TCM_REDRAWCELL, 0, 29, 0},     {TCM_REDRAWCELL, 1, 2, 0},
        {TCM_REDRAWFIXEDROW, 2, 0, 1}, {TCM_REDRAWFIXEDROW, 29, 0, 0}, {TCM_REDRAWFIXEDROW, 30, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.grid->send(c.message, c.index, c.lParam), c.answer)
            << "message " << std::hex << c.message << std::dec << " index " << c.index << " lParam " << c.lParam;
}

TEST(CellMessages, FontMessageReplacesTheFirstFont)
{
    GridFixture f(0, 1, 1);
    framework::LogFont big = CSFont::defaultLogFont();
    big.Height = -30;
    f.grid->send(platform::WM_SETFONT, reinterpret_cast<WParam>(&big), 0);
    EXPECT_EQ(f.grid->font(0).logFont(), big);
    EXPECT_GT(f.grid->font(0).metrics().height, 30);
    EXPECT_EQ(f.grid->rowHeight(0), 20);    // no relayout
}

} // namespace
} // namespace grid_test
