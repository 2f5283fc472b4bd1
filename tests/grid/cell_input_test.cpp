#include <gtest/gtest.h>

#include <QTest>

#include "platform/color_ref.h"

#include "tests/grid/grid_owner.h"

namespace grid_test {
namespace {

// A shown grid with the keyboard focus.
struct FocusedGrid : GridFixture {
    FocusedGrid(std::uint32_t style, int columns, int rows, int columnWidth = 60)
        : GridFixture(style, columns, rows, 400, 300, columnWidth)
    {
        owner->show();
        owner->activateWindow();
        grid->setFocus();
        QCoreApplication::processEvents();
        owner->clear();
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(grid, key, modifiers);
    }

    // A point in widget coordinates of a data cell.
    QPoint cellPoint(int column, int row) const
    {
        return grid->cellRect(column, row).center() + grid->clientArea().topLeft();
    }
};

TEST(CellKeys, HomePagesLeftInsteadOfGoingToTheFirstColumn)
{
    FocusedGrid f(TCS_NOTIFY, 30, 5);
    f.grid->send(TCM_SETCURCELL, 25, 0);
    const int first = f.pos().firstColumn;
    ASSERT_GT(first, 10);
    f.key(Qt::Key_Home);
    EXPECT_GT(f.pos().column, 0);
    EXPECT_LT(f.pos().firstColumn, first);
    EXPECT_GT(f.pos().firstColumn, 0);
    f.key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.pos().column, 0);
}

TEST(CellKeys, ShiftHomeGoesToTheFirstVisibleColumn)
{
    FocusedGrid f(TCS_NOTIFY, 30, 5);
    f.grid->send(TCM_SETSCROLLX, 600, 0);
    f.grid->send(TCM_SETCURCELLNOSCROLL, 13, 0);
    f.key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(f.pos().column, 10);
    f.key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);   // Ctrl wins over Shift
    EXPECT_EQ(f.pos().column, 29);
}

TEST(CellKeys, PageKeysWithModifiers)
{
    FocusedGrid f(TCS_NOTIFY, 2, 100);
    f.key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(f.pos().row, 99);
    f.key(Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(f.pos().row, f.pos().firstRow);
    f.key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(f.pos().row, 0);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.pos().row, 1);
}

TEST(CellKeys, ShiftDownTogglesSelectionOnlyWithBothStyles)
{
    FocusedGrid plain(TCS_NOTIFY | TCS_PLAINSELECT, 2, 10);
    plain.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(plain.pos().row, 1);
    EXPECT_EQ(plain.grid->rowFlags(0), 0);

    FocusedGrid both(TCS_NOTIFY | TCS_PLAINSELECT | TCS_SHIFTSELECT, 2, 10);
    both.key(Qt::Key_Down, Qt::ShiftModifier);
    both.key(Qt::Key_Down, Qt::ShiftModifier);
    both.key(Qt::Key_Up, Qt::ShiftModifier);
    both.key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(both.grid->rowFlags(0), kRowSelected);
    EXPECT_EQ(both.grid->rowFlags(1), 0);       // toggled on, then off again
    EXPECT_EQ(both.grid->rowFlags(2), kRowSelected);
    EXPECT_EQ(both.pos().row, 0);
}

TEST(CellKeys, CtrlDownMarksWithItsStyleAndShiftIsTestedFirst)
{
    FocusedGrid f(TCS_NOTIFY | TCS_CTRLMARK | TCS_PLAINSELECT | TCS_SHIFTSELECT, 2, 10);
    f.key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(f.grid->rowFlags(0), kRowMarked);
    f.key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.grid->rowFlags(1), kRowSelected);

    FocusedGrid none(TCS_NOTIFY, 2, 10);
    none.key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(none.grid->rowFlags(0), 0);
    EXPECT_EQ(none.pos().row, 1);
}

TEST(CellKeys, OwnerCanSwallowAKey)
{
    FocusedGrid f(TCS_NOTIFY, 2, 10);
    f.owner->answers[TCN_KEYDOWN] = kVeto;
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.pos().row, 0);
    EXPECT_EQ(f.owner->count(TCN_KEYDOWN), 1);
    EXPECT_EQ(f.owner->count(TCN_KEYUP), 1);
}

TEST(CellKeys, HeldKeyThatWaitedBehindTheLastMoveIsDropped)
{
    FocusedGrid f(TCS_NOTIFY, 2, 100);
    const auto press = [&f](std::uint64_t time, bool repeat) {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), repeat);
        event.setTimestamp(time);
        QApplication::sendEvent(f.grid, &event);
    };
    // The owner takes 30 ms over every move, so repeats stamped within that time were waiting.
    f.owner->slowNotify = std::chrono::milliseconds(30);
    press(1000, false);
    press(1010, true);
    press(1020, true);
    EXPECT_EQ(f.pos().row, 1);
    press(5000, true);
    EXPECT_EQ(f.pos().row, 2);
    press(5000, false);                 // a new press is never dropped
    EXPECT_EQ(f.pos().row, 3);
}

TEST(CellMouse, ClickMakesTheCellCurrentAndTakesTheFocus)
{
    FocusedGrid f(TCS_NOTIFY, 5, 30);
    f.owner->setFocus();
    QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, f.cellPoint(3, 4));
    EXPECT_EQ(f.pos().column, 3);
    EXPECT_EQ(f.pos().row, 4);
    EXPECT_TRUE(f.grid->hasFocus());
    EXPECT_EQ(f.owner->count(TCN_LBUTTONDOWN), 1);
    EXPECT_EQ(f.owner->count(TCN_LBUTTONUP), 1);
}

TEST(CellMouse, ClickBelowTheLastRowKeepsTheRow)
{
    FocusedGrid f(TCS_NOTIFY, 3, 3);
    f.grid->send(TCM_SETCURCELL, 0, 1);
    QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, f.grid->clientArea().topLeft() + QPoint(130, 250));
    EXPECT_EQ(f.pos().row, 1);
    EXPECT_EQ(f.pos().column, 2);
}

TEST(CellMouse, OwnerVetoOfTheButtonKeepsTheCell)
{
    FocusedGrid f(TCS_NOTIFY, 5, 30);
    f.owner->answers[TCN_LBUTTONDOWN] = kVeto;
    QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, f.cellPoint(3, 4));
    EXPECT_EQ(f.pos().row, 0);
}

TEST(CellMouse, HeaderCellClickSelectsTheColumn)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER, 5, 30);
    f.grid->send(TCM_SETCURCELL, 0, 7);
    const QPoint header(f.cellPoint(2, 0).x(), f.grid->clientArea().top() - 5);
    QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, header);
    EXPECT_EQ(f.pos().column, 2);
    EXPECT_EQ(f.pos().row, 7);
    ASSERT_EQ(f.owner->count(TCN_NCLBUTTONDOWN), 1);
    for (const TCellNotify& n : f.owner->notifications) {
        if (n.code == TCN_NCLBUTTONDOWN) {
            EXPECT_EQ(n.first, kHitHeaderCell);
        }
    }
}

TEST(CellMouse, HitCodesOfTheBands)
{
    FocusedGrid f(TCS_HEADER | TCS_FIXEDBAND | TCS_COLSIZE | TCS_ROWSIZE, 3, 5);
    const QRect data = f.grid->clientArea();
    const int headerY = data.top() - 5;
    const auto hit = [&f](QPoint p) { return f.grid->send(platform::WM_NCHITTEST, 0,
                                                          platform::makeLParam(f.grid->mapToGlobal(p).x(),
                                                                               f.grid->mapToGlobal(p).y())); };
    EXPECT_EQ(hit(QPoint(data.left() + 10, headerY)), kHitHeaderCell);
    EXPECT_EQ(hit(QPoint(data.left() + 58, headerY)), kHitHeaderBorder);
    EXPECT_EQ(hit(QPoint(data.left() + 200, headerY)), kHitHeaderRest);
    EXPECT_EQ(hit(QPoint(data.left() + 10, data.top() + 10)), platform::HTCLIENT);
}

TEST(CellMouse, DraggingAColumnBorderLeftOfItsLeftEdgeGivesWidthFour)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER | TCS_COLSIZE, 5, 10);
    const QRect data = f.grid->clientArea();
    const QPoint border(data.left() + 2 * 60 - 2, data.top() - 5);       // right edge of column 1
    QTest::mousePress(f.grid, Qt::LeftButton, Qt::NoModifier, border);
    QTest::mouseMove(f.grid, QPoint(data.left() + 20, data.top() + 40));
    QTest::mouseRelease(f.grid, Qt::LeftButton, Qt::NoModifier, QPoint(data.left() + 20, data.top() + 40));
    EXPECT_EQ(f.grid->columnWidth(1), 4);
    EXPECT_EQ(f.grid->columnWidth(0), 60);
    EXPECT_EQ(f.owner->count(TCN_SETCOLWIDTH), 1);
}

TEST(CellMouse, OwnerCanVetoTheNewColumnWidth)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER | TCS_COLSIZE, 5, 10);
    f.owner->answers[TCN_SETCOLWIDTH] = kVeto;
    const QRect data = f.grid->clientArea();
    QTest::mousePress(f.grid, Qt::LeftButton, Qt::NoModifier, QPoint(data.left() + 58, data.top() - 5));
    QTest::mouseRelease(f.grid, Qt::LeftButton, Qt::NoModifier, QPoint(data.left() + 100, data.top() + 40));
    EXPECT_EQ(f.grid->columnWidth(0), 60);
}

TEST(CellMouse, WheelScrollsTheRows)
{
    FocusedGrid f(TCS_NOTIFY, 2, 100);
    f.grid->send(TCM_SETSCROLLY, 200, 0);
    QWheelEvent wheel(QPointF(50, 50), f.grid->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.grid, &wheel);
    EXPECT_EQ(f.pos().originY, 260);
    EXPECT_EQ(f.owner->count(TCN_VSCROLL), 3);
}

TEST(CellFocus, FocusSetsTheActiveAndFocusedFlags)
{
    FocusedGrid f(TCS_NOTIFY, 2, 10);
    EXPECT_EQ(f.pos().active, 1);
    EXPECT_EQ(f.pos().focused, 1);
    f.owner->setFocus();
    EXPECT_EQ(f.pos().active, 0);
    EXPECT_EQ(f.pos().focused, 0);
}

} // namespace
} // namespace grid_test

namespace grid_test {
namespace {

TEST(CellFixedBand, RowHeaderClickSelectsTheRowAndCornerHitsAreReported)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER | TCS_FIXEDBAND | TCS_COLSIZE | TCS_ROWSIZE, 3, 20);
    TCellColumn fixed;
    fixed.width = 30;
    ASSERT_TRUE(f.grid->insertFixedColumns(0, &fixed, 1));
    const QRect data = f.grid->clientArea();
    ASSERT_EQ(data.left(), 30);
    f.grid->send(TCM_SETCURCELL, 2, 0);
    QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, QPoint(10, data.top() + 5 * 20 + 8));
    EXPECT_EQ(f.pos().row, 5);
    EXPECT_EQ(f.pos().column, 2);
    const auto hit = [&f](QPoint p) {
        const QPoint g = f.grid->mapToGlobal(p);
        return f.grid->send(platform::WM_NCHITTEST, 0, platform::makeLParam(g.x(), g.y()));
    };
    EXPECT_EQ(hit(QPoint(10, data.top() - 5)), kHitCornerCell);
    EXPECT_EQ(hit(QPoint(28, data.top() - 5)), kHitCornerBorder);
    EXPECT_EQ(hit(QPoint(10, data.top() + 5 * 20 + 8)), kHitRowHeader);
    EXPECT_EQ(hit(QPoint(10, data.top() + 5 * 20 + 18)), kHitRowBorder);
}

TEST(CellFixedBand, FixedCellsAreRaisedAndTheCurrentOnePressed)
{
    FocusedGrid f(TCS_FIXEDBAND, 3, 20);
    TCellColumn fixed;
    fixed.width = 30;
    f.grid->insertFixedColumns(0, &fixed, 1);
    f.grid->send(TCM_SETCURCELL, 0, 2);
    const QImage image = f.grid->grab().toImage();
    const int top = f.grid->clientArea().top();
    const CellColors& c = f.grid->colors();
    const auto pixel = [&image](int x, int y) { return platform::toColorRef(image.pixelColor(x, y)); };
    EXPECT_EQ(pixel(15, top + 19), c.headerDarkShadow);        // bottom edge of row 0
    EXPECT_EQ(pixel(29, top + 5), c.headerDarkShadow);         // right edge
    EXPECT_EQ(pixel(15, top + 20), c.headerLight);             // top edge of row 1
    EXPECT_EQ(pixel(15, top + 40), c.headerShadow);            // row 2 is current: pressed
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 0);              // no notify style
}

} // namespace
} // namespace grid_test

#include <QScrollBar>

#include "framework/scripted_services.h"

namespace grid_test {
namespace {

TEST(CellFont, HeaderDoubleClickChoosesTheColumnFontAndResetsRowHeights)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER | TCS_COLFONT, 3, 10);
    framework::ScriptedServices services;
    f.grid->setServices(&services);
    framework::LogFont big = CSFont::defaultLogFont();
    big.Height = -24;
    services.answerFont(big);
    services.answerFont(big);
    const QPoint header(f.cellPoint(1, 0).x(), f.grid->clientArea().top() - 5);
    QTest::mouseDClick(f.grid, Qt::LeftButton, Qt::NoModifier, header);
    ASSERT_EQ(services.fontDialogs().size(), 1u);
    EXPECT_EQ(f.grid->fontCount(), 2);
    EXPECT_EQ(f.grid->column(1).font, 1);
    EXPECT_EQ(f.grid->column(0).font, 0);
    const TextMetrics& m = f.grid->font(1).metrics();
    EXPECT_EQ(f.grid->rowHeight(4), m.height + m.internalLeading);

    // The same description again reuses the font.
    const QPoint other(f.cellPoint(2, 0).x(), f.grid->clientArea().top() - 5);
    QTest::mouseDClick(f.grid, Qt::LeftButton, Qt::NoModifier, other);
    EXPECT_EQ(f.grid->fontCount(), 2);
    EXPECT_EQ(f.grid->column(2).font, 1);
}

TEST(CellFont, NoFontDialogWithoutItsStyle)
{
    FocusedGrid f(TCS_NOTIFY | TCS_HEADER, 3, 10);
    framework::ScriptedServices services;
    f.grid->setServices(&services);
    QTest::mouseDClick(f.grid, Qt::LeftButton, Qt::NoModifier,
                       QPoint(f.cellPoint(1, 0).x(), f.grid->clientArea().top() - 5));
    EXPECT_TRUE(services.fontDialogs().empty());
}

TEST(CellScrollBars, RangePageAndPositionFollowTheGrid)
{
    FocusedGrid f(TCS_NOTIFY, 3, 100);
    f.grid->send(TCM_SETSCROLLY, 300, 0);
    QScrollBar* vertical = nullptr;
    QScrollBar* horizontal = nullptr;
    for (QScrollBar* bar : f.grid->findChildren<QScrollBar*>())
        (bar->orientation() == Qt::Vertical ? vertical : horizontal) = bar;
    ASSERT_TRUE(vertical && horizontal);
    const int page = f.grid->clientArea().height();
    EXPECT_TRUE(vertical->isVisible());
    EXPECT_EQ(vertical->pageStep(), page);
    EXPECT_EQ(vertical->maximum(), 100 * 20 - page);
    EXPECT_EQ(vertical->value(), 300);
    EXPECT_FALSE(horizontal->isVisible());      // 180 pixels of columns fit
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(f.pos().originY, 300);
    EXPECT_EQ(vertical->value(), f.pos().originY);
    EXPECT_EQ(f.owner->count(TCN_VSCROLL), 1);
}

TEST(CellScrollBars, SeparateControlTakesThePlaceOfTheOwnBar)
{
    FocusedGrid f(TCS_NOTIFY, 3, 100);
    const int ownWidth = f.grid->clientArea().width();
    auto* control = new QScrollBar(Qt::Vertical, f.owner.get());
    control->setGeometry(420, 0, 16, 300);
    f.grid->setScrollBarControl(Qt::Vertical, control);
    EXPECT_EQ(f.grid->scrollBarControl(Qt::Vertical), control);
    EXPECT_GT(f.grid->clientArea().width(), ownWidth);        // the own bar no longer takes room
    for (QScrollBar* bar : f.grid->findChildren<QScrollBar*>())
        EXPECT_FALSE(bar->isVisible());
    const int page = f.grid->clientArea().height();
    f.grid->send(TCM_SETSCROLLY, 300, 0);
    EXPECT_TRUE(control->isEnabled());
    EXPECT_EQ(control->pageStep(), page);
    EXPECT_EQ(control->maximum(), 100 * 20 - page);
    EXPECT_EQ(control->value(), 300);
    EXPECT_EQ(control->geometry(), QRect(420, 0, 16, 300));   // the control keeps its own place

    control->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.owner->count(TCN_VSCROLL), 1);
    EXPECT_EQ(f.pos().originY, 320);
    EXPECT_EQ(control->value(), 320);
    f.owner->answers[TCN_VSCROLL] = kVeto;
    control->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f.pos().originY, 320);

    f.grid->send(TCM_DELETEROWS, 0, 95);                      // everything fits now
    EXPECT_FALSE(control->isEnabled());
    EXPECT_EQ(control->maximum(), 0);
    f.grid->send(TCM_INSERTROWS, 0, 95);
    delete control;                                           // the own bar comes back
    EXPECT_EQ(f.grid->scrollBarControl(Qt::Vertical), nullptr);
    EXPECT_EQ(f.grid->clientArea().width(), ownWidth);
}

} // namespace
} // namespace grid_test

#include <QLineEdit>

namespace grid_test {
namespace {

TEST(CellKeys, TabMovesTheFocusOnAndShiftTabBack)
{
    FocusedGrid f(TCS_NOTIFY, 2, 10);
    auto* next = new QLineEdit(f.owner.get());
    next->setGeometry(0, 305, 100, 20);
    next->show();
    f.grid->setFocus();
    f.key(Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(f.pos().row, 0);
    EXPECT_EQ(f.pos().active, 0);
    f.grid->setFocus();
    f.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(f.grid->hasFocus());
}

} // namespace
} // namespace grid_test
