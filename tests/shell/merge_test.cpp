#include <QLineEdit>

#include "framework/command_ids.h"
#include "grid/mask_edit.h"
#include "shell/color_status_bar.h"
#include "tests/shell/merge_by_hand.h"

namespace {

using namespace framework;
using testing_support::MergeByHand;

TEST_F(MergeByHand, F9ThenAltRightOnEveryDifferenceAndCtrlSMakeTheTargetTheSource)
{
    startOnPair();
    press(Qt::Key_F9);
    ASSERT_TRUE(doc().editMode());
    for (int row : differenceStarts()) {
        pane(2).goToRowCentred(row);
        press(Qt::Key_Right, Qt::AltModifier);
    }
    press(Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(dir.read("right.txt"), kMerged);
    EXPECT_EQ(dir.read("left.txt"), kLeft);
    EXPECT_EQ(doc().destination().changes(), 0);
}

TEST_F(MergeByHand, DraggingEveryDifferenceOntoTheTargetMergesTheSame)
{
    startOnPair();
    press(Qt::Key_F9);
    panes::CBivaloView& source = pane(1);
    panes::CBivaloView& target = pane(2);
    for (int row : differenceStarts()) {
        // Away from the row: the current row's in-cell editor would take the press.
        target.goToRowCentred(0);
        grid::TCellTableBox* from = source.grid();
        const QPoint start = rowPoint(*from, row);
        mouse(from, QEvent::MouseButtonPress, start, Qt::LeftButton);
        ASSERT_EQ(from->position().row, row);
        mouse(from, QEvent::MouseMove, start + QPoint(0, 20), Qt::LeftButton);
        ASSERT_TRUE(from->isDragging()) << row;
        const QPoint over = from->mapFromGlobal(target.grid()->mapToGlobal(rowPoint(*target.grid(), row)));
        mouse(from, QEvent::MouseMove, over, Qt::LeftButton);
        mouse(from, QEvent::MouseButtonRelease, over, Qt::NoButton);
    }
    press(Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(dir.read("right.txt"), kMerged);
}

TEST_F(MergeByHand, CtrlZTakesTheCopyBackAndTheInsertKeyFlipsOverwriteOnce)
{
    startOnPair();
    press(Qt::Key_F9);
    pane(2).goToRowCentred(1);
    press(Qt::Key_Right, Qt::AltModifier);
    ASSERT_TRUE(doc().isModified());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(doc().isModified());
    EXPECT_EQ(std::string(pane(2).GetCellText(1, 0)), "TWO");
    EXPECT_EQ(currentRow(), 1);

    ASSERT_NE(pane(2).grid()->activeEditor(), nullptr);
    pane(2).grid()->activeEditor()->setFocus();
    const bool before = grid::CMaskEdit::overwriteMode();
    press(Qt::Key_Insert);
    EXPECT_NE(grid::CMaskEdit::overwriteMode(), before);
    press(Qt::Key_Insert);
    EXPECT_EQ(grid::CMaskEdit::overwriteMode(), before);
}

TEST_F(MergeByHand, CtrlEnterInsertsALineCtrlYDeletesOneAndOnlyTheDeletionIsSaved)
{
    startOnPair();
    const int rows = doc().rowCount();
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(doc().rowCount(), rows);    // outside edit mode nothing is inserted
    press(Qt::Key_F9);
    pane(2).goToRowCentred(0);
    press(Qt::Key_Return);
    EXPECT_EQ(doc().rowCount(), rows);    // plain Enter moves down
    EXPECT_EQ(currentRow(), 1);
    pane(2).goToRowCentred(0);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(doc().rowCount(), rows + 1);
    EXPECT_EQ(cellText(0), "");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().rowCount(), rows);

    pane(2).goToRowCentred(0);
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(pane(2).isDifferenceRow(0));
    EXPECT_EQ(cellText(0), "");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("right.txt"), "TWO\r\nthree\r\nextra\r\nfour  \r\n\tindented\r\nsix\r\n");
}

TEST_F(MergeByHand, ShiftCtrlYRemovesTheRowFromBothPanesAndCtrlTabTypesTheTabBlanks)
{
    startOnPair();
    press(Qt::Key_F9);
    ASSERT_FALSE(doc().sourceReadOnly());
    const int rows = doc().rowCount();
    pane(2).goToRowCentred(2);
    press(Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().rowCount(), rows - 1);
    EXPECT_EQ(cellText(2, 1), "");
    EXPECT_EQ(cellText(2), "extra");

    QWidget* editor = pane(2).grid()->activeEditor();
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    auto* line = qobject_cast<QLineEdit*>(editor);
    ASSERT_NE(line, nullptr);
    line->setCursorPosition(0);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(line->text().toStdString(), std::string(settings::appSettings().TabSize, ' ') + "extra");
}

TEST_F(MergeByHand, WithMoveNextEachCopyGoesOnToTheNextDifference)
{
    settings::appSettings().MoveNext = 1;
    startOnPair();
    press(Qt::Key_F9);
    ASSERT_EQ(differenceStarts(), (std::vector<int>{1, 3, 5}));
    pane(2).goToRowCentred(1);
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(currentRow(), 3);
    press(Qt::Key_Right, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(currentRow(), 5);
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("right.txt"), "one\r\n\ttwo\r\nthree\r\nfour  \r\n\tindented\r\nsix\r\n");
}

TEST_F(MergeByHand, TheStatusBarShowsEditModeAndTheEditableSides)
{
    startOnPair();
    frame().updateBars();
    CColorStatusBar& bar = frame().statusBar();
    EXPECT_FALSE(bar.paneEnabled(6));
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(CMainFrame::kEditPane).center());
    EXPECT_TRUE(doc().editMode());
    frame().updateBars();
    EXPECT_TRUE(bar.paneEnabled(6));
    EXPECT_TRUE(bar.paneFlags(7) & CColorStatusBar::Checked);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(CMainFrame::kTargetEditablePane).center());
    EXPECT_TRUE(doc().destinationReadOnly());
    frame().updateBars();
    EXPECT_FALSE(bar.paneFlags(7) & CColorStatusBar::Checked);
}

TEST_F(MergeByHand, ALongLineIsCopiedWholeAndATypedLetterChangesNoOtherByteOfItsLine)
{
    settings::appSettings().KillEndSpaces = 0;
    const std::string rest(6000, 'x');
    const std::string shared = "\nmid\n  \tx = 1;  \r\nend\n";
    left = dir.write("left.txt", "top\nA" + rest + shared);
    right = dir.write("right.txt", "TOP\nB" + rest + shared);
    startShown();
    press(Qt::Key_F9);
    pane(2).goToRowCentred(0);
    press(Qt::Key_Right, Qt::AltModifier);
    ASSERT_EQ(doc().rowCount(), 6); // the long line keeps its two rows

    const int typedRow = 4;
    pane(2).goToRowCentred(typedRow);
    auto* line = qobject_cast<QLineEdit*>(pane(2).grid()->activeEditor());
    ASSERT_NE(line, nullptr);
    line->setFocus();
    line->setCursorPosition(0);
    QTest::keyClicks(line, "Q");
    press(Qt::Key_Up);
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("right.txt"), "top\nA" + rest + "\nmid\nQ  \tx = 1;  \r\nend\n");
}

} // namespace
