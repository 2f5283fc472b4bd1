#include <gtest/gtest.h>

#include <QClipboard>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTest>

#include "core/row_change.h"
#include "framework/command_ids.h"
#include "framework/command_router.h"
#include "framework/update_hints.h"
#include "grid/cell_edit.h"
#include "grid/cell_messages.h"
#include "tests/panes/pane_fixture.h"

namespace {

using namespace framework;

// The panes with a command router in front, as the main frame routes commands.
class PaneEditingTest : public pane_tests::PaneTest {
protected:
    PaneEditingTest()
    {
        router.setDocument(&doc);
        QApplication::setActiveWindow(&window);
        activate(target);
        grid::CMaskEdit::setOverwriteMode(false);
        QApplication::clipboard()->clear();
    }
    ~PaneEditingTest() override { grid::CMaskEdit::setOverwriteMode(false); }

    void activate(panes::CBivaloView& view)
    {
        frame.active = &view;
        router.setActiveView(&view);
    }

    // a/b/c/d against a/X/c/d/e: row 1 changed, row 4 a target-only line.
    void compareEdited()
    {
        ASSERT_TRUE(compare("a\nb\nc\nd\n", "a\nX\nc\nd\ne\n"));
        doc.setEditMode(true);
        target.grid()->refreshEditor();
        source.grid()->refreshEditor();
    }

    void goTo(int row)
    {
        target.grid()->send(grid::TCM_SETCURCELL, 0, row);
        source.grid()->send(grid::TCM_SETCURCELL, 0, row);
    }

    static grid::CCellEdit* editorOf(panes::CBivaloView& view)
    {
        return qobject_cast<grid::CCellEdit*>(view.grid()->activeEditor());
    }

    static std::string textAt(panes::CBivaloView& view, int row)
    {
        const char* text = view.GetCellText(row, 0);
        return text ? text : "<none>";
    }

    static std::vector<std::string> texts(panes::CBivaloView& view)
    {
        std::vector<std::string> all;
        for (int row = 0; row < view.grid()->rowCount(); ++row)
            all.push_back(textAt(view, row));
        return all;
    }

    using Texts = std::vector<std::string>;

    CommandRouter router;
};

// --- in-place editing ---------------------------------------------------------------------------

TEST_F(PaneEditingTest, TypingIntoACellThenMovingAwayStoresTheLineAndUndoBringsTheOldOneBack)
{
    compareEdited();
    goTo(1);
    grid::CCellEdit* editor = editorOf(target);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(target.grid(), Qt::Key_N);
    ASSERT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, "ew");
    const std::string typed = editor->text().toStdString();
    const std::int32_t oldEntry = doc.destinationRows()[1];

    QTest::keyClick(editor, Qt::Key_Down);

    EXPECT_EQ(target.grid()->position().row, 2);
    EXPECT_EQ(textAt(target, 1), typed);
    EXPECT_EQ(doc.destination().lineAt(doc.destinationRows()[1])->state(), core::LineState::Edited);
    EXPECT_EQ(doc.destination().changes(), 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.undoStore().undoCount(), 1);

    EXPECT_TRUE(router.execute(ID_UNDO));
    EXPECT_EQ(doc.destinationRows()[1], oldEntry);
    EXPECT_EQ(textAt(target, 1), "X");
    EXPECT_EQ(target.grid()->position().row, 1);
    EXPECT_EQ(editor->text(), "X");
    EXPECT_EQ(doc.destination().changes(), 0);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PaneEditingTest, SwitchingEditModeOrReadOnlyChoosesTheEditorWithoutAMove)
{
    ASSERT_TRUE(compare("a\nb\n", "a\nX\n"));
    ASSERT_EQ(target.grid()->position().row, 1);
    EXPECT_EQ(editorOf(target), nullptr);
    EXPECT_EQ(target.GetCellEditKind(1, 0), grid::kEditNone);

    EXPECT_TRUE(router.execute(ID_EDIT_MODE));
    EXPECT_TRUE(doc.editMode());
    ASSERT_NE(editorOf(target), nullptr);
    EXPECT_EQ(editorOf(target)->text(), "X");
    EXPECT_EQ(target.GetCellEditKind(1, 0), grid::kEditText);

    EXPECT_TRUE(router.execute(ID_TARGET_READ_ONLY));
    EXPECT_TRUE(doc.destinationReadOnly());
    EXPECT_EQ(editorOf(target), nullptr);
    EXPECT_NE(editorOf(source), nullptr);
    CommandUI menu(ID_TARGET_READ_ONLY, CommandOrigin::Menu);
    router.update(menu);
    EXPECT_FALSE(menu.checked());
    CommandUI bar(ID_SOURCE_READ_ONLY, CommandOrigin::StatusBar);
    router.update(bar);
    EXPECT_TRUE(bar.indicator());
}

TEST_F(PaneEditingTest, LeavingEditModeAsksToSaveThenToRescan)
{
    compareEdited();
    target.insertLine();
    services.answerMessage(MessageAnswer::No);
    services.answerMessage(MessageAnswer::Yes);

    EXPECT_TRUE(router.execute(ID_EDIT_MODE));

    EXPECT_EQ(services.messageTexts(),
              (Texts{"This file was changed:\n" + doc.destination().path() + "\nDo you want to save it?",
                     "Do you want to rescan files now?"}));
    EXPECT_FALSE(doc.editMode());
    EXPECT_TRUE(doc.skipSavePrompt());
    ASSERT_FALSE(frame.posted.empty());
    EXPECT_EQ(frame.posted.back(), std::make_pair(WM_COMMAND, WParam(ID_RESCAN)));

    services.answerMessage(MessageAnswer::Cancel);
    doc.setEditMode(true);
    EXPECT_TRUE(router.execute(ID_EDIT_MODE));
    EXPECT_TRUE(doc.editMode());
}

TEST_F(PaneEditingTest, EditModeShowsOnTheStatusBarAndIsRefusedWithoutRows)
{
    CommandUI empty(ID_EDIT_MODE, CommandOrigin::Menu);
    EXPECT_FALSE(router.update(empty));
    ASSERT_TRUE(compare("a\n", "b\n"));
    CommandUI indicator(ID_EDIT_MODE_INDICATOR, CommandOrigin::StatusBar);
    EXPECT_FALSE(router.update(indicator));
    EXPECT_TRUE(router.execute(ID_EDIT_MODE_INDICATOR));
    CommandUI lit(ID_EDIT_MODE_INDICATOR, CommandOrigin::StatusBar);
    EXPECT_TRUE(router.update(lit));
    CommandUI menu(ID_EDIT_MODE, CommandOrigin::Menu);
    router.update(menu);
    EXPECT_TRUE(menu.checked());
}

TEST_F(PaneEditingTest, IgnoreBlanksAsksToSaveAndOffersARescan)
{
    ASSERT_TRUE(compare("a\n", "b\n"));
    const int before = settings::appSettings().IgnoreBlanks;
    services.answerMessage(MessageAnswer::No);
    EXPECT_TRUE(router.execute(ID_IGNORE_BLANKS));
    EXPECT_NE(settings::appSettings().IgnoreBlanks, before);
    EXPECT_EQ(services.messageTexts(), Texts{"Do you want to rescan files now?"});
    EXPECT_FALSE(doc.skipSavePrompt());
}

// --- lines ---------------------------------------------------------------------------------------

TEST_F(PaneEditingTest, EnterInsertsAnEmptyLineThatTheOpenEditorShows)
{
    compareEdited();
    goTo(1);
    target.insertLine();

    EXPECT_EQ(texts(target), (Texts{"a", "", "X", "c", "d", "e"}));
    EXPECT_EQ(texts(source), (Texts{"a", "<none>", "b", "c", "d", "<none>"}));
    EXPECT_EQ(target.grid()->rowCount(), 6);
    EXPECT_EQ(source.grid()->rowCount(), 6);
    EXPECT_EQ(target.grid()->position().row, 1);
    ASSERT_NE(editorOf(target), nullptr);
    EXPECT_EQ(editorOf(target)->text(), "");
    EXPECT_EQ(editorOf(source)->text(), "");

    router.execute(ID_UNDO);
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));
    EXPECT_EQ(source.grid()->rowCount(), 5);
    EXPECT_EQ(editorOf(target)->text(), "X");
}

TEST_F(PaneEditingTest, EnterOnAVirtualRowOrAReadOnlySideDoesNothing)
{
    compareEdited();
    goTo(4);
    source.insertLine();
    doc.setReadOnly(core::kTargetSide, true);
    target.insertLine();
    EXPECT_EQ(doc.rowCount(), 5);
    EXPECT_EQ(doc.undoStore().undoCount(), 0);
}

TEST_F(PaneEditingTest, DeleteLineMovesDownAndRemovingTheRowTakesItFromBothPanes)
{
    compareEdited();
    goTo(1);
    target.deleteLine(false);
    EXPECT_EQ(textAt(target, 1), "<none>");
    EXPECT_EQ(target.grid()->position().row, 2);
    EXPECT_EQ(doc.destination().changes(), 1);

    target.deleteLine(true);
    EXPECT_EQ(texts(target), (Texts{"a", "<none>", "d", "e"}));
    EXPECT_EQ(texts(source), (Texts{"a", "b", "d", "<none>"}));
    EXPECT_EQ(source.grid()->rowCount(), 4);
    EXPECT_EQ(doc.source().changes(), 1);

    router.execute(ID_UNDO);
    EXPECT_EQ(texts(source), (Texts{"a", "b", "c", "d", "<none>"}));
    EXPECT_EQ(target.grid()->rowCount(), 5);
    router.execute(ID_UNDO);
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PaneEditingTest, CtrlTabPutsTheTabBlanksAtTheCaret)
{
    compareEdited();
    settings::appSettings().SetTabSize(3);
    goTo(1);
    grid::CCellEdit* editor = editorOf(target);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(1);
    target.insertTabBlanks();
    EXPECT_EQ(editor->text(), "X   ");
    EXPECT_EQ(editor->cursorPosition(), 4);
    EXPECT_TRUE(editor->isModified());
    editor->setSelection(0, 1);
    target.insertTabBlanks();
    EXPECT_EQ(editor->text(), "X   ");
}

// --- copies between the panes ----------------------------------------------------------------------

TEST_F(PaneEditingTest, CopyCommandsFollowEditModeReadOnlyAndTheCurrentRow)
{
    compareEdited();
    goTo(0);
    EXPECT_FALSE(router.isEnabled(ID_COPY_DIFF_TO_TARGET));
    goTo(1);
    for (CommandId id : {ID_COPY_DIFF_TO_TARGET, ID_COPY_LINE_TO_TARGET, ID_COPY_DIFF_TO_SOURCE, ID_COPY_LINE_TO_SOURCE})
        EXPECT_TRUE(router.isEnabled(id)) << id;
    doc.setReadOnly(core::kTargetSide, true);
    EXPECT_FALSE(router.isEnabled(ID_COPY_DIFF_TO_TARGET));
    EXPECT_FALSE(router.isEnabled(ID_COPY_LINE_TO_TARGET));
    EXPECT_TRUE(router.isEnabled(ID_COPY_DIFF_TO_SOURCE));
    doc.setReadOnly(core::kTargetSide, false);
    doc.setEditMode(false);
    EXPECT_FALSE(router.isEnabled(ID_COPY_LINE_TO_SOURCE));
    EXPECT_FALSE(router.execute(ID_COPY_DIFF_TO_TARGET));
    EXPECT_EQ(doc.undoStore().undoCount(), 0);
}

TEST_F(PaneEditingTest, CopyingADifferenceWithMoveNextGoesOnToTheNextOne)
{
    compareEdited();
    settings::appSettings().MoveNext = 1;
    goTo(1);
    EXPECT_TRUE(router.execute(ID_COPY_DIFF_TO_TARGET));
    EXPECT_EQ(textAt(target, 1), "b");
    EXPECT_EQ(doc.destination().lineAt(doc.destinationRows()[1])->state(), core::LineState::Edited);
    ASSERT_FALSE(frame.posted.empty());
    EXPECT_EQ(frame.posted.back(), std::make_pair(WM_COMMAND, WParam(ID_NEXT_DIFF)));

    goTo(4);
    EXPECT_TRUE(router.execute(ID_COPY_DIFF_TO_TARGET));
    EXPECT_EQ(textAt(target, 4), "<none>");
    EXPECT_TRUE(router.execute(ID_COPY_LINE_TO_SOURCE));
    EXPECT_EQ(textAt(source, 4), "<none>");

    router.execute(ID_UNDO);
    router.execute(ID_UNDO);
    EXPECT_EQ(textAt(target, 4), "e");
    EXPECT_EQ(target.grid()->position().row, 4);
}

TEST_F(PaneEditingTest, UndoIsOfferedWhileThereAreRowsOrRecords)
{
    EXPECT_FALSE(router.isEnabled(ID_UNDO));
    compareEdited();
    EXPECT_TRUE(router.isEnabled(ID_UNDO));
    EXPECT_TRUE(router.execute(ID_UNDO));
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));
}

TEST_F(PaneEditingTest, TheInsertKeysFlagReachesEveryPaneOnce)
{
    compareEdited();
    target.send(WM_SET_INSERT_MODE, 0, 1);
    EXPECT_TRUE(grid::CMaskEdit::overwriteMode());
    target.send(WM_SET_INSERT_MODE, 0, 0);
    EXPECT_FALSE(grid::CMaskEdit::overwriteMode());
}

// --- dragging -------------------------------------------------------------------------------------

class PaneDragTest : public PaneEditingTest {
protected:
    // Near the left end of the row: the row is far wider than the pane.
    QPoint rowPoint(panes::CBivaloView& view, int row)
    {
        const QRect area = rowArea(view, row);
        return QPoint(area.left() + 20, area.center().y());
    }

    static void mouse(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    // Presses on the row of the source pane, moves onto the target pane and lets go there.
    // The row is not the current one, whose in-cell editor would take the press.
    void drag(int row, int dropRow)
    {
        goTo(row == 0 ? doc.rowCount() - 1 : 0);
        grid::TCellTableBox* from = source.grid();
        const QPoint start = rowPoint(source, row);
        mouse(from, QEvent::MouseButtonPress, start, Qt::LeftButton);
        pressedRow = from->position().row;
        mouse(from, QEvent::MouseMove, start + QPoint(0, 20), Qt::LeftButton);
        started = from->isDragging();
        const QPoint over = from->mapFromGlobal(target.grid()->mapToGlobal(rowPoint(target, dropRow)));
        mouse(from, QEvent::MouseMove, over, Qt::LeftButton);
        cursorOver = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        mouse(from, QEvent::MouseButtonRelease, over, Qt::NoButton);
    }

    Qt::CursorShape cursorOver = Qt::ArrowCursor;
    int pressedRow = -1;
    bool started = false;
};

TEST_F(PaneDragTest, ADifferenceDraggedOntoTheOtherPaneIsCopiedThere)
{
    compareEdited();
    activate(source);
    drag(1, 1);
    EXPECT_EQ(pressedRow, 1);
    EXPECT_TRUE(started);
    EXPECT_EQ(cursorOver, Qt::DragMoveCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(textAt(target, 1), "b");
    EXPECT_EQ(doc.undoStore().undoCount(), 1);
}

TEST_F(PaneDragTest, CtrlDropsOnlyTheLineAndASameRowDoesNotStart)
{
    ASSERT_TRUE(compare("a\nb\nc\n", "a\nX\nY\n"));
    doc.setEditMode(true);
    services.setControlDown(true);
    drag(1, 1);
    EXPECT_EQ(cursorOver, Qt::DragCopyCursor);
    EXPECT_EQ(texts(target), (Texts{"a", "b", "Y"}));
    services.setControlDown(false);
    drag(0, 2);
    EXPECT_EQ(texts(target), (Texts{"a", "b", "Y"}));
    EXPECT_EQ(doc.undoStore().undoCount(), 1);
}

TEST_F(PaneDragTest, AReadOnlyTargetRefusesTheDrag)
{
    compareEdited();
    doc.setReadOnly(core::kTargetSide, true);
    drag(1, 1);
    EXPECT_EQ(textAt(target, 1), "X");
    EXPECT_EQ(doc.undoStore().undoCount(), 0);
}

// --- clipboard ----------------------------------------------------------------------------------

class PaneClipboardTest : public PaneEditingTest {
protected:
    static std::string clipboard() { return QApplication::clipboard()->text().toStdString(); }
    static void setClipboard(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }
    void select(panes::CBivaloView& view, std::initializer_list<int> rows)
    {
        for (int row : rows)
            view.grid()->send(grid::TCM_SELECTROW, WParam(row), 1);
    }
};

TEST_F(PaneClipboardTest, CopyTakesTheSelectedLinesAndLeavesVirtualRowsOut)
{
    compareEdited();
    activate(source);
    select(source, {3, 0, 4});
    EXPECT_TRUE(router.isEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(router.execute(ID_EDIT_COPY));
    EXPECT_EQ(clipboard(), "a\nd\n");
}

TEST_F(PaneClipboardTest, CopyDiffTakesThisPanesLinesOfTheDifference)
{
    ASSERT_TRUE(compare("a\nb\nc\nz\n", "a\nX\nY\nW\nz\n"));
    goTo(2);
    EXPECT_TRUE(router.execute(ID_COPY_DIFF));
    EXPECT_EQ(clipboard(), "X\nY\nW\n");
    activate(source);
    EXPECT_TRUE(router.execute(ID_COPY_DIFF));
    EXPECT_EQ(clipboard(), "b\nc\n");
    goTo(0);
    EXPECT_FALSE(router.isEnabled(ID_COPY_DIFF));
}

TEST_F(PaneClipboardTest, CutLeavesVirtualRowsAndUndoBringsTheLinesBack)
{
    compareEdited();
    select(target, {1, 2});
    EXPECT_TRUE(router.execute(ID_EDIT_CUT));
    EXPECT_EQ(clipboard(), "X\nc\n");
    EXPECT_EQ(texts(target), (Texts{"a", "<none>", "<none>", "d", "e"}));
    router.execute(ID_UNDO);
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));

    doc.setReadOnly(core::kTargetSide, true);
    EXPECT_FALSE(router.isEnabled(ID_EDIT_CUT));
    doc.setReadOnly(core::kTargetSide, false);
    doc.setEditMode(false);
    EXPECT_FALSE(router.isEnabled(ID_EDIT_CUT));
}

TEST_F(PaneClipboardTest, PasteNeedsAnOpenEditorAndInsertsTheLinesAboveTheCurrentRow)
{
    compareEdited();
    goTo(1);
    setClipboard("p\r\nq\r\nlast");
    EXPECT_TRUE(router.isEnabled(ID_EDIT_PASTE));
    EXPECT_TRUE(router.execute(ID_EDIT_PASTE));
    EXPECT_EQ(texts(target), (Texts{"a", "p", "q", "last", "X", "c", "d", "e"}));
    EXPECT_EQ(texts(source), (Texts{"a", "<none>", "<none>", "<none>", "b", "c", "d", "<none>"}));
    EXPECT_EQ(source.grid()->rowCount(), 8);
    EXPECT_EQ(editorOf(target)->text(), "p");

    router.execute(ID_UNDO);
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));
    EXPECT_EQ(source.grid()->rowCount(), 5);

    doc.setReadOnly(core::kTargetSide, true);
    target.grid()->refreshEditor();
    EXPECT_FALSE(router.isEnabled(ID_EDIT_PASTE));
}

TEST_F(PaneClipboardTest, PasteInOverwriteModeReplacesOnlyTheRowsThatExist)
{
    compareEdited();
    goTo(3);
    grid::CMaskEdit::setOverwriteMode(true);
    setClipboard("1\n2\n3\n");
    EXPECT_TRUE(router.execute(ID_EDIT_PASTE));
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "1", "2"}));
    EXPECT_EQ(doc.rowCount(), 5);
    router.execute(ID_UNDO);
    EXPECT_EQ(texts(target), (Texts{"a", "X", "c", "d", "e"}));
}

TEST_F(PaneClipboardTest, OneLineGoesIntoTheEditorThroughItsOwnPaste)
{
    compareEdited();
    goTo(1);
    grid::CCellEdit* editor = editorOf(target);
    editor->setCursorPosition(1);
    setClipboard("yz");
    EXPECT_TRUE(router.execute(ID_EDIT_PASTE));
    EXPECT_EQ(editor->text(), "Xyz");
    EXPECT_EQ(doc.rowCount(), 5);
    editor->setSelection(0, 2);
    EXPECT_TRUE(router.execute(ID_EDIT_COPY));
    EXPECT_EQ(clipboard(), "Xy");
}

TEST_F(PaneClipboardTest, TheFindBoxKeepsItsOwnClipboardCommands)
{
    compareEdited();
    QLineEdit findBox(&window);
    findBox.setText("needle");
    findBox.show();
    findBox.setFocus();
    findBox.selectAll();
    ASSERT_EQ(QApplication::focusWidget(), &findBox);
    select(target, {1});
    EXPECT_TRUE(router.execute(ID_EDIT_COPY));
    EXPECT_EQ(clipboard(), "needle");
    EXPECT_TRUE(router.execute(ID_EDIT_CUT));
    EXPECT_EQ(findBox.text(), "");
    EXPECT_EQ(textAt(target, 1), "X");
    setClipboard("a\nb\n");
    EXPECT_TRUE(router.execute(ID_EDIT_PASTE));
    EXPECT_EQ(doc.rowCount(), 5);
    EXPECT_EQ(doc.undoStore().undoCount(), 0);
}

// --- context menu and saving -------------------------------------------------------------------

TEST_F(PaneEditingTest, ARightClickInTheEditorAndShiftF10OpenTheContextMenu)
{
    compareEdited();
    goTo(1);
    grid::CCellEdit* editor = editorOf(target);
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(frame.contextMenus, 1);
    EXPECT_TRUE(router.execute(ID_SHOW_CONTEXT_MENU));
    EXPECT_EQ(frame.contextMenus, 2);
}

TEST_F(PaneEditingTest, SaveAsWritesThePanesRowsUnderTheChosenName)
{
    compareEdited();
    goTo(1);
    target.deleteLine(false);
    const std::string chosen = dir.file("copy.txt");
    services.answerFileDialog(chosen);
    EXPECT_TRUE(router.execute(ID_FILE_SAVE_AS));

    ASSERT_EQ(services.fileDialogs().size(), 1u);
    const FileDialogRequest& request = services.fileDialogs()[0];
    EXPECT_EQ(request.title, "Save right.txt as");
    EXPECT_TRUE(request.save);
    EXPECT_FALSE(request.showReadOnly);
    EXPECT_EQ(request.filter, settings::appSettings().GetFilterString());
    EXPECT_EQ(dir.read("copy.txt"), "a\nc\nd\ne\n");
    EXPECT_EQ(doc.destination().path(), dir.file("right.txt"));
    EXPECT_EQ(doc.destination().changes(), 0);

    services.cancelFileDialog();
    EXPECT_TRUE(router.execute(ID_FILE_SAVE_AS));
}

TEST_F(PaneEditingTest, SaveAsPairIsNamedAfterTheOtherSideAndSaveAsResultNeedsAName)
{
    compareEdited();
    CommandUI targetMenu(ID_SAVE_AS_PAIR, CommandOrigin::Menu);
    router.update(targetMenu);
    EXPECT_EQ(targetMenu.text(), std::optional<std::string>("Save as Source"));
    activate(source);
    CommandUI sourceMenu(ID_SAVE_AS_PAIR, CommandOrigin::Menu);
    router.update(sourceMenu);
    EXPECT_EQ(sourceMenu.text(), std::optional<std::string>("Save as Target"));

    EXPECT_FALSE(router.isEnabled(ID_SAVE_AS_RESULT));
    doc.setResultFile(dir.file("result.txt"));
    EXPECT_TRUE(router.execute(ID_SAVE_AS_RESULT));
    EXPECT_EQ(dir.read("result.txt"), "a\nb\nc\nd\n");
}

} // namespace
