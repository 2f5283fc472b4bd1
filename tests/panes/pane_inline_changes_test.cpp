#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>
#include <map>

#include "core/row_editor.h"
#include "tests/panes/pane_fixture.h"

namespace {

using framework::ColorRef;

constexpr ColorRef kChangedBack = 0xD0E0F0;

class PaneInlineChangesTest : public pane_tests::PaneTest {
protected:
    PaneInlineChangesTest() { settings::colorTable().background[settings::kChangedEntry] = kChangedBack; }

    // The colour most pixels have under the byte stretch [start, end) of the row's text:
    // its background, since the letters cover only a little of it.
    static ColorRef shadeAt(panes::CBivaloView& view, int row, std::string_view text, std::size_t start,
                            std::size_t end)
    {
        const QFontMetrics metrics(view.grid()->font(1).font());
        const QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
        const int left = metrics.horizontalAdvance(shown.left(qsizetype(start)));
        const int right = metrics.horizontalAdvance(shown.left(qsizetype(end)));
        const QRect cell = rowArea(view, row);
        const QImage image = gridImage(view);
        std::map<ColorRef, int> counts;
        for (int x = cell.left() + 4 + left + 1; x < cell.left() + 4 + right - 1; ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                ++counts[platform::toColorRef(image.pixelColor(x, y))];
        EXPECT_FALSE(counts.empty());
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })->first;
    }

    const ColorRef marked = settings::strongerShade(kChangedBack, settings::colorTable().textFor(3, 0));
};

TEST_F(PaneInlineChangesTest, TheChangedStretchIsInTheStrongerShadeAndTheCommonTextInTheRowsShade)
{
    ASSERT_TRUE(compare("head\nvalue = alpha + beta;\n", "head\nvalue = alpha + gammas;\n"));
    // "beta" against "gammas", at bytes 16 to 20 and 16 to 22.
    EXPECT_EQ(shadeAt(source, 1, "value = alpha + beta;", 16, 20), marked);
    EXPECT_EQ(shadeAt(target, 1, "value = alpha + gammas;", 16, 22), marked);
    EXPECT_EQ(shadeAt(source, 1, "value = alpha + beta;", 0, 5), kChangedBack);
    EXPECT_EQ(shadeAt(target, 1, "value = alpha + gammas;", 8, 13), kChangedBack);
    EXPECT_EQ(backgroundOf(target, 1), kChangedBack);
    // Same rows are never marked.
    EXPECT_EQ(shadeAt(source, 0, "head", 0, 4), settings::colorTable().backgroundFor(0, 0));
}

TEST_F(PaneInlineChangesTest, ASetColourCarriesItsHighlightAlong)
{
    ASSERT_TRUE(compare("x = 1;\n", "x = 2;\n"));
    settings::colorTable().background[settings::kChangedEntry] = 0x203040;
    source.grid()->invalidateAll();
    EXPECT_EQ(shadeAt(source, 0, "x = 1;", 4, 5), settings::strongerShade(0x203040, settings::colorTable().textFor(3, 0)));
}

TEST_F(PaneInlineChangesTest, WithTheOptionOffTheRowsAreColouredAsBefore)
{
    settings::appSettings().InlineChanges = 0;
    ASSERT_TRUE(compare("value = alpha + beta;\n", "value = alpha + gammas;\n"));
    EXPECT_EQ(shadeAt(source, 0, "value = alpha + beta;", 16, 20), kChangedBack);
    EXPECT_EQ(shadeAt(target, 0, "value = alpha + gammas;", 16, 22), kChangedBack);
}

TEST_F(PaneInlineChangesTest, AfterAnEditInPlaceTheNewStretchIsMarked)
{
    ASSERT_TRUE(compare("call(first, second);\n", "call(first, third);\n"));
    EXPECT_EQ(shadeAt(target, 0, "call(first, third);", 12, 17), marked);
    const core::RowEditResult result =
        core::RowEditor(doc.editPair(), core::kTargetSide).setCellText(0, "call(fast, second);");
    ASSERT_TRUE(result.done);
    target.grid()->invalidateAll();
    source.grid()->invalidateAll();
    // Now only "first" against "fast" differs: "ir" against "a" after trimming. The edited
    // line has the edited background and its mark that background's stronger shade.
    const ColorRef edited = settings::colorTable().backgroundFor(4, 0);
    EXPECT_EQ(shadeAt(target, 0, "call(fast, second);", 6, 7), settings::strongerShade(edited, settings::colorTable().textFor(4, 0)));
    EXPECT_EQ(shadeAt(target, 0, "call(fast, second);", 11, 17), edited);
    EXPECT_EQ(shadeAt(source, 0, "call(first, second);", 6, 8), marked);
    EXPECT_EQ(shadeAt(source, 0, "call(first, second);", 12, 18), kChangedBack);
}

TEST_F(PaneInlineChangesTest, TheColumnReachesTheLongestLineInBothPanes)
{
    const std::string longLine = std::string(3000, 'W') + "end";
    ASSERT_TRUE(compare("short\n", longLine + "\n"));
    const QFontMetrics metrics(target.grid()->font(1).font());
    const int textWidth = metrics.horizontalAdvance(QString::fromStdString(longLine));
    const int width = target.grid()->geometry().columns.size(0);
    EXPECT_GE(width, textWidth + 8);
    EXPECT_EQ(source.grid()->geometry().columns.size(0), width);
    EXPECT_EQ(target.columnWidth(), width);
    // Short files keep the narrowest column.
    ASSERT_TRUE(compare("a\n", "b\n"));
    EXPECT_EQ(target.grid()->geometry().columns.size(0), panes::CBivaloView::kColumnWidth);
}

TEST_F(PaneInlineChangesTest, AnEditedLongerLineWidensBothColumnsWhenPainted)
{
    ASSERT_TRUE(compare("a\n", "b\n"));
    const std::string longLine(4000, 'M');
    ASSERT_TRUE(core::RowEditor(doc.editPair(), core::kTargetSide).setCellText(0, longLine).done);
    target.grid()->invalidateAll();
    target.grid()->grab();
    source.grid()->grab();
    QCoreApplication::processEvents();
    const QFontMetrics metrics(target.grid()->font(1).font());
    const int textWidth = metrics.horizontalAdvance(QString::fromStdString(longLine));
    EXPECT_GE(target.grid()->geometry().columns.size(0), textWidth + 8);
    EXPECT_EQ(source.grid()->geometry().columns.size(0), target.grid()->geometry().columns.size(0));
}

} // namespace
