#include <gtest/gtest.h>

#include "framework/update_hints.h"
#include "tests/panes/pane_fixture.h"

namespace {

using framework::ColorRef;

constexpr ColorRef kSourceOnlyBack = 0x0000AA;
constexpr ColorRef kTargetOnlyBack = 0x00AA00;
constexpr ColorRef kChangedBack = 0xAA0000;
constexpr ColorRef kChangedCurrentBack = 0x336699;

// Every state gets a background of its own, so that a row shows which state it was painted for.
class PaneColorsTest : public pane_tests::PaneTest {
protected:
    PaneColorsTest()
    {
        settings::CColorTable& colors = settings::colorTable();
        colors.background[settings::kSourceOnlyEntry] = kSourceOnlyBack;
        colors.background[settings::kTargetOnlyEntry] = kTargetOnlyBack;
        colors.background[settings::kChangedEntry] = kChangedBack;
        colors.background[settings::kChangedCurrentEntry] = kChangedCurrentBack;
    }

    // Rows: 0 same, 1 source only, 2 same, 3 target only.
    void compareOneSidedRows() { ASSERT_TRUE(compare("same\nleft only\nsame 2\n", "same\nsame 2\nright only\n")); }

    // The pane's answer to the grid's colour request; nothing when the pane leaves it to the grid.
    static std::optional<ColorRef> askColor(panes::CBivaloView& view, int row, bool text)
    {
        grid::TableColorRequest request;
        request.text = text ? 1 : 0;
        if (view.send(grid::TBM_CELLCOLOR, framework::WParam(grid::packCell(0, row)),
                      reinterpret_cast<framework::LParam>(&request)) == 0)
            return std::nullopt;
        return request.color;
    }

    // Pixels of the row's text area that differ from its background.
    static int inkedPixels(panes::CBivaloView& view, int row)
    {
        const QImage image = gridImage(view);
        const QRect cell = rowArea(view, row).intersected(QRect(0, 0, 200, image.height()));
        const QColor back = image.pixelColor(cell.right(), cell.center().y());
        int inked = 0;
        for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
            for (int x = cell.left() + 1; x < cell.right(); ++x)
                inked += image.pixelColor(x, y) != back ? 1 : 0;
        return inked;
    }
};

TEST_F(PaneColorsTest, RowsArePaintedInTheBackgroundOfTheirStateAndVirtualRowsInStateOnes)
{
    compareOneSidedRows();
    ASSERT_EQ(doc.rowCount(), 4);
    EXPECT_EQ(backgroundOf(source, 0), settings::colorTable().backgroundFor(0, 0));
    EXPECT_EQ(backgroundOf(source, 1), kSourceOnlyBack);
    EXPECT_EQ(backgroundOf(source, 3), kSourceOnlyBack);    // virtual here, target only there
    EXPECT_EQ(backgroundOf(target, 1), kSourceOnlyBack);    // virtual
    EXPECT_EQ(backgroundOf(target, 3), kTargetOnlyBack);

    ASSERT_TRUE(compare("a\nold\nb\n", "a\nnew\nb\n"));
    target.grid()->send(grid::TCM_SETCURCELL, 0, 2);
    EXPECT_EQ(backgroundOf(source, 1), kChangedBack);
    EXPECT_EQ(backgroundOf(target, 1), kChangedBack);
}

TEST_F(PaneColorsTest, TextColourFollowsTheStateAndVirtualRowsLeaveItToTheGrid)
{
    compareOneSidedRows();
    const settings::CColorTable& colors = settings::colorTable();
    EXPECT_EQ(askColor(source, 1, true), colors.textFor(1, 0));
    EXPECT_EQ(askColor(target, 3, true), colors.textFor(2, 0));
    EXPECT_EQ(askColor(target, 1, true), std::nullopt);
    EXPECT_EQ(askColor(target, 4, false), std::nullopt);    // past the last row
    settings::colorTable().text[settings::kSourceOnlyEntry] = 0xFFFFFFFF;
    EXPECT_EQ(askColor(source, 1, true), std::nullopt);
}

TEST_F(PaneColorsTest, VirtualRowShowsDashesOnlyWhileHidden)
{
    compareOneSidedRows();
    settings::appSettings().Hidden = 0;
    EXPECT_EQ(inkedPixels(target, 1), 0);
    EXPECT_GT(inkedPixels(source, 1), 0);
    settings::appSettings().Hidden = 1;
    EXPECT_GT(inkedPixels(target, 1), 0);
}

TEST_F(PaneColorsTest, BookmarkedRowIsYellowInBothPanesUnlessSelected)
{
    compareOneSidedRows();
    for (panes::CBivaloView* view : {static_cast<panes::CBivaloView*>(&source), static_cast<panes::CBivaloView*>(&target)})
        view->grid()->setRowFlags(1, panes::CBivaloView::kBookmarkFlag, true);
    EXPECT_EQ(backgroundOf(source, 1), settings::colorTable().bookmarkBackground());
    EXPECT_EQ(backgroundOf(target, 1), settings::colorTable().bookmarkBackground());
    EXPECT_EQ(askColor(source, 1, true), settings::colorTable().textFor(1, 0));

    target.grid()->send(grid::TCM_SELECTROW, 1, 1);
    EXPECT_NE(backgroundOf(target, 1), settings::colorTable().bookmarkBackground());
    EXPECT_EQ(backgroundOf(source, 1), settings::colorTable().bookmarkBackground());
}

TEST_F(PaneColorsTest, CurrentRowTakesTheSecondColoursOnlyWhileEasyJoinRuns)
{
    ASSERT_TRUE(compare("a\nold\nb\nc\n", "a\nnew\nb\nc\n"));
    target.grid()->send(grid::TCM_SETCURCELL, 0, 3);
    framework::CommandTarget dialog;
    doc.updateAllViews(nullptr, framework::kHintEasyJoin, &dialog);
    ASSERT_EQ(target.grid()->position().row, 1);    // EasyJoin starts at the first difference
    EXPECT_EQ(backgroundOf(target, 1), kChangedCurrentBack);
    EXPECT_EQ(backgroundOf(source, 1), kChangedCurrentBack);
    EXPECT_EQ(backgroundOf(target, 0), settings::colorTable().backgroundFor(0, 0));

    doc.updateAllViews(nullptr, framework::kHintEasyJoin, nullptr);
    EXPECT_EQ(backgroundOf(target, 1), kChangedBack);
}

} // namespace
