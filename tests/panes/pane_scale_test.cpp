#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/panes/pane_fixture.h"

namespace {

// Run once as it is and once more by ctest with QT_SCALE_FACTOR=2: at a whole scale the
// pictures have that many device pixels per logical one, rows are whole multiples of it
// with their text inside, and the strip keeps its proportions.
class PaneScale : public pane_tests::PaneTest {
protected:
    static qreal askedScale()
    {
        const char* factor = std::getenv("QT_SCALE_FACTOR");
        return factor != nullptr ? std::atof(factor) : 1.0;
    }

    // Rows alternate same and changed: white and grey bands, with no marks inside lines.
    void compareAlternatingRows()
    {
        settings::appSettings().InlineChanges = 0;
        std::string left;
        std::string right;
        for (int i = 0; i < 20; ++i) {
            left += "same " + std::to_string(i) + "\nleft gjpq " + std::to_string(i) + "\n";
            right += "same " + std::to_string(i) + "\nright gjpq " + std::to_string(i) + "\n";
        }
        ASSERT_TRUE(compare(left, right));
    }
};

TEST_F(PaneScale, RowsAndStripScaleWithTheScreenAndRowsHoldTheirText)
{
    compareAlternatingRows();
    grid::TCellTableBox& grid = *source.grid();
    const QImage image = grid.grab().toImage();
    const qreal scale = image.devicePixelRatio();
    EXPECT_DOUBLE_EQ(scale, askedScale());

    // The bands of rows 1 to 8, measured down a column where no text lies.
    const int rowHeight = grid.cellRect(0, 1).height();
    const int x = int((grid.clientArea().width() - 20) * scale);
    const QColor background = image.pixelColor(x, int((rowArea(source, 1).center().y()) * scale));
    ASSERT_NE(background, image.pixelColor(x, int(rowArea(source, 2).center().y() * scale)));
    for (int row = 1; row < 9; row += 2) {
        const int top = int(rowArea(source, row).top() * scale);
        int height = 0;
        while (image.pixelColor(x, top + height) == background)
            ++height;
        EXPECT_NEAR(height, rowHeight * scale, 1.0) << "row " << row;
        // The text is drawn inside its band, clear of both edges: nothing cut off.
        int firstInk = -1;
        int lastInk = -1;
        for (int y = top; y < top + height; ++y)
            for (int dx = 0; dx < int(80 * scale); ++dx)
                if (image.pixelColor(int(4 * scale) + dx, y) != background) {
                    firstInk = firstInk < 0 ? y : firstInk;
                    lastInk = y;
                }
        EXPECT_GT(firstInk, top) << "row " << row;
        EXPECT_LT(lastInk, top + height - 1) << "row " << row;
    }

    // The strip's bar: its width in device pixels is its logical width times the scale.
    const QImage bar = strip.grab().toImage();
    ASSERT_DOUBLE_EQ(bar.devicePixelRatio(), scale);
    // Below the marker of the rows the panes show, which lies left of the bar.
    const int y = int((strip.blockMap().rowToY(36) + 1) * scale);
    const QColor window = bar.pixelColor(bar.width() - 1, y);
    int left = 0;
    while (left < bar.width() && bar.pixelColor(left, y) == window)
        ++left;
    int right = bar.width() - 1;
    while (right > 0 && bar.pixelColor(right, y) == window)
        --right;
    const int logicalBar = strip.width() - panes::CDiffPreview::kBarRightMargin - panes::CDiffPreview::kBarLeft + 1;
    EXPECT_NEAR(right - left + 1, logicalBar * scale, 1.0);
}

} // namespace
