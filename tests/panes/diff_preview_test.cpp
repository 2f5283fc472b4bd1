#include <gtest/gtest.h>

#include <QTest>

#include "framework/update_hints.h"
#include "tests/panes/pane_fixture.h"

namespace {

using core::LineState;
using framework::ColorRef;

// The strip over a pair of equal files whose rows the test turns into differences.
class DiffPreviewTest : public pane_tests::PaneTest {
protected:
    void compareEqualFiles(int lines, int stripHeight)
    {
        strip.setGeometry(0, 0, 30, stripHeight);
        services.setShiftDown(true);    // keep the identical pair from asking to close
        ASSERT_TRUE(compare(numberedLines(lines), numberedLines(lines)));
        services.setShiftDown(false);
    }

    void setSourceState(int row, LineState state)
    {
        doc.editPair().files[core::kSourceSide]->lineAt(doc.sourceRows()[std::size_t(row)])->setState(state);
    }
    void rebuildStrip() { strip.onUpdate(nullptr, framework::kHintCompared, nullptr); }

    ColorRef barPixel(int y) { return platform::toColorRef(strip.grab().toImage().pixelColor(15, y)); }
    bool markerAt(int y) { return strip.grab().toImage().pixelColor(6, y) == Qt::black; }

    static ColorRef textColour(LineState state) { return settings::colorTable().textFor(int(state), 0); }
    static ColorRef sameColour() { return settings::colorTable().backgroundFor(0, 0); }
};

TEST_F(DiffPreviewTest, FewRowsDrawEachRowScalePixelsHighAndABlockInItsFirstRowsColour)
{
    compareEqualFiles(100, 410);
    setSourceState(10, LineState::SourceOnly);
    (*doc.editPair().rows[core::kTargetSide])[10] = -11;
    setSourceState(11, LineState::Changed);
    setSourceState(12, LineState::Changed);
    rebuildStrip();
    ASSERT_TRUE(strip.blockMap().pixelsPerRow());
    ASSERT_EQ(strip.blockMap().scale(), 4);

    EXPECT_EQ(barPixel(strip.blockMap().rowToY(9) + 3), sameColour());
    for (int row = 10; row <= 12; ++row) {
        EXPECT_EQ(barPixel(strip.blockMap().rowToY(row)), textColour(LineState::SourceOnly)) << row;
        EXPECT_EQ(barPixel(strip.blockMap().rowToY(row) + 3), textColour(LineState::SourceOnly)) << row;
    }
    EXPECT_EQ(barPixel(strip.blockMap().rowToY(13)), sameColour());
}

TEST_F(DiffPreviewTest, ManyRowsDrawAPixelRowInTheStrongestValueOfItsRows)
{
    compareEqualFiles(10000, 510);
    setSourceState(5000, LineState::Changed);
    rebuildStrip();
    ASSERT_FALSE(strip.blockMap().pixelsPerRow());
    ASSERT_EQ(strip.blockMap().scale(), 21);

    const int y = strip.blockMap().rowToY(5000);
    EXPECT_EQ(barPixel(y), textColour(LineState::Changed));
    EXPECT_EQ(barPixel(y - 1), sameColour());
    EXPECT_EQ(barPixel(y + 1), sameColour());
}

TEST_F(DiffPreviewTest, MarkerCoversTheRowsThePanesShow)
{
    compareEqualFiles(100, 410);
    target.grid()->send(grid::TCM_SETCURCELL, 0, 50);
    const grid::TCellPosition& shown = target.grid()->position();
    EXPECT_EQ(strip.firstVisibleRow(), shown.firstRow);
    EXPECT_EQ(strip.lastVisibleRow(), shown.lastRow);
    EXPECT_TRUE(markerAt(strip.blockMap().rowToY(shown.firstRow)));
    EXPECT_TRUE(markerAt(strip.blockMap().rowToY(shown.lastRow)));
    EXPECT_FALSE(markerAt(strip.blockMap().rowToY(shown.firstRow) - 4));
    EXPECT_FALSE(markerAt(strip.blockMap().rowToY(shown.lastRow) + 4));
}

TEST_F(DiffPreviewTest, MarkerShowsThePanesRowsAfterAComparisonWithoutDifferences)
{
    compareEqualFiles(100, 410);
    const grid::TCellPosition& shown = target.grid()->position();
    ASSERT_GT(shown.lastRow, 0);
    EXPECT_EQ(strip.firstVisibleRow(), shown.firstRow);
    EXPECT_EQ(strip.lastVisibleRow(), shown.lastRow);
    EXPECT_TRUE(markerAt(strip.blockMap().rowToY(shown.lastRow)));
}

TEST_F(DiffPreviewTest, EmptyDocumentDrawsNothing)
{
    const QImage image = strip.grab().toImage();
    const QColor background = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), background) << x << "," << y;
}

TEST_F(DiffPreviewTest, LeftClickSendsThePanesToTheRowAndTheFocusToTheSource)
{
    compareEqualFiles(100, 410);
    frame.active = &target;
    QTest::mouseClick(&strip, Qt::LeftButton, Qt::NoModifier, QPoint(15, strip.blockMap().rowToY(70)));
    EXPECT_EQ(target.grid()->position().row, 70);
    EXPECT_EQ(source.grid()->position().row, 70);
    EXPECT_EQ(frame.active, &source);
}

TEST_F(DiffPreviewTest, RightClickBelowTheLastRowDoesNotMove)
{
    compareEqualFiles(100, 410);
    setSourceState(90, LineState::Changed);
    rebuildStrip();
    target.grid()->send(grid::TCM_SETCURCELL, 0, 20);
    QTest::mouseClick(&strip, Qt::RightButton, Qt::NoModifier, QPoint(15, strip.blockMap().rowToY(100) + 1));
    EXPECT_EQ(target.grid()->position().row, 20);
    QTest::mouseClick(&strip, Qt::RightButton, Qt::NoModifier, QPoint(15, strip.blockMap().rowToY(99)));
    EXPECT_EQ(target.grid()->position().row, 90);
}

} // namespace
