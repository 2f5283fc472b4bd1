#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "core/change_notes.h"
#include "framework/command_ids.h"
#include "framework/update_hints.h"
#include "tests/panes/pane_fixture.h"

namespace {

using framework::LogFont;

class PaneHintsTest : public pane_tests::PaneTest {
protected:
    // 301 rows: a source-only first row, then the same lines on both sides.
    void compareLongPair() { ASSERT_TRUE(compare("start\n" + numberedLines(300), numberedLines(300))); }

    static QScrollBar* verticalBar(panes::CBivaloView& view)
    {
        for (QScrollBar* bar : view.grid()->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Vertical && bar->isVisible())
                return bar;
        return nullptr;
    }

    static void wheelDown(panes::CBivaloView& view)
    {
        const QPointF at = view.grid()->clientArea().center();
        QWheelEvent wheel(at, view.grid()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.grid(), &wheel);
    }

    QLineEdit* targetEditor() { return qobject_cast<QLineEdit*>(target.grid()->activeEditor()); }

    static int centreOffset(const grid::TCellPosition& position)
    {
        return position.row - position.firstRow - (position.lastRow - position.firstRow) / 2;
    }
};

TEST_F(PaneHintsTest, ScrollingEitherPaneMovesTheOtherOnlyWhileSynchronised)
{
    compareLongPair();
    QScrollBar* bar = verticalBar(target);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(verticalBar(source), nullptr);    // only the target pane shows one

    // A line down from the middle of the page scrolls without moving the current row.
    target.grid()->send(grid::TCM_SETCURCELL, 0, 10);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_GT(target.grid()->position().originY, 0);
    EXPECT_EQ(source.grid()->position().originY, target.grid()->position().originY);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(source.grid()->position().originY, target.grid()->position().originY);
    EXPECT_EQ(source.grid()->position().row, target.grid()->position().row);
    wheelDown(source);
    EXPECT_EQ(target.grid()->position().originY, source.grid()->position().originY);

    ASSERT_TRUE(doc.runCommand(framework::ID_NO_SYNC));
    const int kept = source.grid()->position().originY;
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(source.grid()->position().originY, kept);
    ASSERT_TRUE(doc.runCommand(framework::ID_NO_SYNC));    // on again: realigned at once
    EXPECT_EQ(source.grid()->position().originY, target.grid()->position().originY);
    EXPECT_EQ(source.grid()->position().row, target.grid()->position().row);
}

TEST_F(PaneHintsTest, CaptionShowsAStarForAChangedSideAndNoNumberOnAVirtualRow)
{
    ASSERT_TRUE(compare("a\nb\nc\n", "a\nc\n"));
    target.grid()->send(grid::TCM_SETCURCELL, 0, 1);
    EXPECT_EQ(target.captionText(), " " + doc.destination().path());
    EXPECT_EQ(source.captionText(), " " + doc.source().path() + " : 2");
    doc.noteChange(core::Sides::Target, core::ChangeStep::Up);
    EXPECT_EQ(target.captionText(), "*  " + doc.destination().path());
    EXPECT_EQ(source.captionText(), " " + doc.source().path() + " : 2");
}

TEST_F(PaneHintsTest, FontCommandStartsFromTheTargetFontAndGivesBothPanesTheChosenOne)
{
    compareLongPair();
    int row = 100;
    doc.updateAllViews(nullptr, framework::kHintGoToRow, &row);
    const int firstRow = target.grid()->position().firstRow;
    const LogFont current = target.grid()->font(1).logFont();
    const int rowHeight = target.grid()->rowHeight(0);
    LogFont large = current;
    large.Height = -40;

    services.answerFont(std::nullopt);
    ASSERT_TRUE(doc.runCommand(framework::ID_FONT));
    EXPECT_EQ(target.grid()->font(1).logFont(), current);

    services.answerFont(large);
    ASSERT_TRUE(doc.runCommand(framework::ID_FONT));
    ASSERT_EQ(services.fontDialogs().size(), 2u);
    EXPECT_EQ(services.fontDialogs()[1], current);
    for (panes::CBivaloView* view : {static_cast<panes::CBivaloView*>(&source), static_cast<panes::CBivaloView*>(&target)}) {
        EXPECT_EQ(view->grid()->font(1).logFont(), large);
        EXPECT_GT(view->grid()->rowHeight(0), rowHeight);
        EXPECT_EQ(view->grid()->rowHeight(1), view->grid()->defaultRowHeight());
        EXPECT_EQ(view->grid()->position().firstRow, firstRow);
        EXPECT_EQ(view->grid()->position().originY, view->grid()->geometry().rows.start(firstRow));
    }
    EXPECT_EQ(strip.lastVisibleRow(), target.grid()->position().lastRow);
    EXPECT_EQ(settings::appSettings().FontValid, 1);
}

TEST_F(PaneHintsTest, ClosedOptionsApplyAStoredRowHeight)
{
    ASSERT_TRUE(compare("a\n", "b\n"));
    settings::appSettings().RowHeight = 31;
    doc.updateAllViews(nullptr, framework::kHintOptionsChanged);
    EXPECT_EQ(source.grid()->rowHeight(0), 31);
    EXPECT_EQ(target.grid()->rowHeight(0), 31);
}

TEST_F(PaneHintsTest, GoingToARowCentresItInBothPanes)
{
    compareLongPair();
    int row = 200;
    doc.updateAllViews(nullptr, framework::kHintGoToRow, &row);
    EXPECT_EQ(target.grid()->position().row, 200);
    EXPECT_LE(std::abs(centreOffset(target.grid()->position())), 1);
    EXPECT_EQ(source.grid()->position().row, 200);
    EXPECT_EQ(source.grid()->position().originY, target.grid()->position().originY);

    int slot = -1;
    doc.updateAllViews(nullptr, framework::kHintStoreRow, &slot);
    EXPECT_EQ(slot, 200);
    row = -7;
    doc.updateAllViews(nullptr, framework::kHintGoToRow, &row);
    EXPECT_EQ(target.grid()->position().row, 0);
    doc.updateAllViews(nullptr, framework::kHintRestoreRow, &slot);
    EXPECT_EQ(target.grid()->position().row, 200);
    EXPECT_EQ(source.grid()->position().row, 200);
}

TEST_F(PaneHintsTest, AfterALineCopyTheTargetStepsDownOnlyOntoARowThatStillDiffers)
{
    ASSERT_TRUE(compare("a\nx1\nx2\nb\n", "a\ny1\ny2\nb\n"));
    ASSERT_EQ(target.grid()->position().row, 1);
    int moved = 0;
    doc.updateAllViews(nullptr, framework::kHintMoveToNextDiffRow, &moved);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(target.grid()->position().row, 2);
    EXPECT_EQ(source.grid()->position().row, 2);
    moved = 0;
    doc.updateAllViews(nullptr, framework::kHintMoveToNextDiffRow, &moved);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(target.grid()->position().row, 2);
    target.grid()->send(grid::TCM_SETCURCELL, 0, 3);
    doc.updateAllViews(nullptr, framework::kHintMoveToNextDiffRow, &moved);
    EXPECT_EQ(moved, 0);    // the last row has no row below
}

TEST_F(PaneHintsTest, FinishingAnEditCommitsItAndARescanDropsIt)
{
    doc.setEditMode(true);
    ASSERT_TRUE(compare("a\nb\n", "a\nc\n"));
    QLineEdit* editor = targetEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), "c");

    editor->setText("typed");
    editor->setModified(true);
    doc.updateAllViews(nullptr, framework::kHintFinishEditing);
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(editor->text(), "typed");

    editor->setText("stale");
    editor->setModified(true);
    doc.updateAllViews(nullptr, framework::kHintRescanned);
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(editor->text(), "typed");    // the line that the commit stored
    EXPECT_EQ(target.grid()->position().row, 1);
}

TEST_F(PaneHintsTest, ATextSelectionInTheEditorClearsTheRowSelectionWhenIdle)
{
    doc.setEditMode(true);
    ASSERT_TRUE(compare("a\nb\n", "a\nc\n"));
    QLineEdit* editor = targetEditor();
    ASSERT_NE(editor, nullptr);
    target.grid()->send(grid::TCM_SELECTROW, 0, 1);
    doc.onIdle();
    EXPECT_TRUE(target.grid()->rowFlags(0) & grid::kRowSelected);
    editor->selectAll();
    doc.onIdle();
    EXPECT_FALSE(target.grid()->rowFlags(0) & grid::kRowSelected);
}

} // namespace
