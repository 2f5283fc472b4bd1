#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "framework/command_ids.h"
#include "framework/update_hints.h"
#include "grid/cell_messages.h"
#include "tests/panes/pane_fixture.h"

namespace {

using framework::ID_NEXT_DIFF;
using framework::ID_PREV_DIFF;

class PaneNavigationTest : public pane_tests::PaneTest {
protected:
    // 300 rows; lines 2-4, 10-11, 150 and 290 changed in the target.
    void compareBlocks()
    {
        std::string left;
        std::string right;
        for (int i = 0; i < 300; ++i) {
            const std::string line = "line " + std::to_string(i) + "\n";
            left += line;
            const bool changed = (i >= 2 && i <= 4) || i == 10 || i == 11 || i == 150 || i == 290;
            right += changed ? "other " + std::to_string(i) + "\n" : line;
        }
        ASSERT_TRUE(compare(left, right));
    }

    void setRow(panes::CBivaloView& view, int row) { view.grid()->send(grid::TCM_SETCURCELL, 0, row); }
    static int row(panes::CBivaloView& view) { return view.grid()->position().row; }
    static int firstRow(panes::CBivaloView& view) { return view.grid()->position().firstRow; }

    void key(panes::CBivaloView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        services.setControlDown(modifiers & Qt::ControlModifier);
        services.setShiftDown(modifiers & Qt::ShiftModifier);
        QTest::keyClick(view.grid(), key, modifiers);
        services.setControlDown(false);
        services.setShiftDown(false);
    }

    void findNext(panes::CBivaloView& view, bool backwards = false)
    {
        services.setShiftDown(backwards);
        view.runCommand(framework::ID_FIND_NEXT);
        services.setShiftDown(false);
    }

    // EasyJoin's dialog as the panes see it: it counts the OK commands that end a pass.
    void startEasyJoin()
    {
        dialog.onCommand(framework::IDOK, [this] { ++oks; });
        doc.updateAllViews(nullptr, framework::kHintEasyJoin, &dialog);
    }

    framework::CommandTarget dialog;
    int oks = 0;

    bool bookmarked(panes::CBivaloView& view, int r) const
    {
        return (view.grid()->rowFlags(r) & panes::CBivaloView::kBookmarkFlag) != 0;
    }
};

TEST_F(PaneNavigationTest, NextDiffLeavesTheBlockAndStopsAfterTheLastOne)
{
    compareBlocks();
    setRow(target, 3);
    target.runCommand(ID_NEXT_DIFF);
    EXPECT_EQ(row(target), 10);
    EXPECT_EQ(row(source), 10);    // the other pane follows
    target.runCommand(ID_NEXT_DIFF);
    target.runCommand(ID_NEXT_DIFF);
    EXPECT_EQ(row(target), 290);
    target.runCommand(ID_NEXT_DIFF);
    EXPECT_EQ(row(target), 290);
}

TEST_F(PaneNavigationTest, PrevDiffFirstLeavesTheBlockUpwards)
{
    compareBlocks();
    setRow(source, 11);
    source.runCommand(ID_PREV_DIFF);
    // Travelling up, the first row met of the block above is its bottom row.
    EXPECT_EQ(row(source), 4);
    source.runCommand(ID_PREV_DIFF);
    EXPECT_EQ(row(source), 4);
    setRow(source, 0);
    source.runCommand(ID_PREV_DIFF);
    EXPECT_EQ(row(source), 0);
}

TEST_F(PaneNavigationTest, RowWellInsideThePageIsMadeCurrentWithoutScrolling)
{
    compareBlocks();
    setRow(target, 3);
    ASSERT_EQ(firstRow(target), 0);
    ASSERT_GT(target.grid()->position().lastRow - 10, 5);
    target.runCommand(ID_NEXT_DIFF);    // from inside the first block to row 10
    EXPECT_EQ(row(target), 10);
    EXPECT_EQ(firstRow(target), 0);

    target.runCommand(ID_NEXT_DIFF);    // row 150, far below: centred
    const grid::TCellPosition& p = target.grid()->position();
    EXPECT_EQ(p.row, 150);
    EXPECT_NEAR(p.firstRow, 150 - (p.lastRow - p.firstRow) / 2, 1);
    EXPECT_EQ(firstRow(source), p.firstRow);
}

TEST_F(PaneNavigationTest, BackwardsTheMarginIsKeptAtTheTop)
{
    compareBlocks();
    target.grid()->send(grid::TCM_SETSCROLLY, framework::WParam(target.grid()->geometry().rows.start(148)), 0);
    setRow(target, 160);
    ASSERT_EQ(firstRow(target), 148);
    target.runCommand(ID_PREV_DIFF);    // row 150 lies two rows below the top: centred
    const grid::TCellPosition& p = target.grid()->position();
    EXPECT_EQ(p.row, 150);
    EXPECT_NEAR(p.firstRow, 150 - (p.lastRow - p.firstRow) / 2, 1);
}

TEST_F(PaneNavigationTest, NextDiffWithNothingFollowingEndsTheEasyJoinPass)
{
    compareBlocks();
    startEasyJoin();
    EXPECT_EQ(row(target), 2);
    setRow(target, 290);
    target.runCommand(ID_NEXT_DIFF);
    EXPECT_EQ(oks, 1);
    doc.updateAllViews(nullptr, framework::kHintEasyJoin, nullptr);
    target.runCommand(ID_NEXT_DIFF);
    EXPECT_EQ(oks, 1);
}

TEST_F(PaneNavigationTest, GoToLineFindsTheRealLineAboveAVirtualRowAndIgnoresNumbersPastTheRows)
{
    ASSERT_TRUE(compare("a\nb\nc\nd\ne\n", "a\nd\ne\n"));    // target: a, -, -, d, e
    setRow(target, 4);
    frame.lineNumberAnswer = 1;
    target.runCommand(framework::ID_GOTO_LINE);
    EXPECT_EQ(frame.askedLineNumbers, std::vector<int>{3});
    EXPECT_EQ(row(target), 0);

    // The virtual rows carry line number 1 too: the search may land on them and step up.
    target.goToLine(2);
    EXPECT_EQ(row(target), 3);
    target.goToLine(6);
    EXPECT_EQ(row(target), 3);
    frame.lineNumberAnswer.reset();
    setRow(target, 4);
    target.runCommand(framework::ID_GOTO_LINE);
    EXPECT_EQ(row(target), 4);
}

TEST_F(PaneNavigationTest, GoToLineReachesTheLastLineOfAFileWithoutVirtualRows)
{
    ASSERT_TRUE(compare(numberedLines(7), numberedLines(6) + "changed\n"));
    setRow(source, 0);
    source.goToLine(7);
    EXPECT_EQ(row(source), 6);
    source.goToLine(0);
    EXPECT_EQ(row(source), 6);
}

TEST_F(PaneNavigationTest, FindForwardsWrapsWithAMessageAndFindsTheCurrentRow)
{
    compareBlocks();
    frame.findText = "LINE 20";    // also "line 200" ... "line 209"
    setRow(source, 250);
    findNext(source);
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(frame.messages[0].text, panes::CBivaloView::kPassedEnd);
    EXPECT_EQ(frame.messages[0].background, 0x800000u);
    EXPECT_EQ(frame.messages[0].textColor, 0xFFFFFFu);
    EXPECT_EQ(frame.messages[0].tenths, 20);
    EXPECT_EQ(row(source), 20);
    findNext(source);
    EXPECT_EQ(row(source), 200);
    EXPECT_EQ(row(target), 200);

    frame.findText = "line 77";
    setRow(source, 77);
    findNext(source);
    EXPECT_EQ(row(source), 77);
    EXPECT_EQ(frame.messages.size(), 2u);
    EXPECT_TRUE(services.messageTexts().empty());
}

TEST_F(PaneNavigationTest, FindBackwardsNeverFindsTheCurrentRowAndSaysNotFound)
{
    compareBlocks();
    frame.findText = "line 77";
    setRow(source, 77);
    findNext(source, true);
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(frame.messages[0].text, panes::CBivaloView::kPassedBeginning);
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{"String 'line 77' not found!"});
    EXPECT_EQ(row(source), 77);

    frame.findText = "line 1";
    findNext(source, true);
    EXPECT_EQ(row(source), 19);
}

TEST_F(PaneNavigationTest, FindIgnoresCaseBeyondAsciiAndSkipsVirtualRows)
{
    settings::appSettings().Hidden = 1;    // "----" on virtual rows is not text
    ASSERT_TRUE(compare("plain\n\xC3\x9C" "ber alles\nx\n", "plain\nx\n"));
    frame.findText = "\xC3\xBC" "BER";
    setRow(source, 0);
    findNext(source);
    EXPECT_EQ(row(source), 1);
    frame.findText = "--";
    setRow(target, 0);
    findNext(target);
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{"String '--' not found!"});
    frame.findText.clear();
    findNext(source);
    EXPECT_EQ(services.messageTexts().size(), 1u);    // nothing to find, nothing said
}

TEST_F(PaneNavigationTest, FindWordTakesTheWordAtTheCaretIntoTheFindBox)
{
    doc.setEditMode(true);
    ASSERT_TRUE(compare("a\nfind_me now\nb\nfind_me\n", "a\nother\nb\nfind_me\n"));
    setRow(source, 1);
    auto* editor = qobject_cast<QLineEdit*>(source.grid()->activeEditor());
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(3);
    frame.findText = "find_me";    // what the frame shows after taking FindText
    key(source, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(settings::appSettings().FindText, "find_me");
    ASSERT_EQ(frame.sent.size(), 1u);
    EXPECT_EQ(frame.sent[0].second, framework::ID_TAKE_FIND_TEXT);
    EXPECT_EQ(row(source), 3);
    EXPECT_EQ(editor->selectedText(), "find_me");

    editor->deselect();
    editor->setCursorPosition(int(editor->text().size()));
    source.runCommand(framework::ID_FIND_WORD);
    ASSERT_EQ(frame.posted.size(), 1u);
    EXPECT_EQ(frame.posted[0].second, framework::ID_FIND_BOX);
}

TEST_F(PaneNavigationTest, BookmarksOnNeighbouringRowsAreVisitedInTurn)
{
    compareBlocks();
    for (int r : {4, 5}) {
        setRow(target, r);
        key(target, Qt::Key_F2, Qt::ControlModifier);
    }
    EXPECT_TRUE(bookmarked(target, 4) && bookmarked(target, 5));
    EXPECT_TRUE(bookmarked(source, 4) && bookmarked(source, 5));
    EXPECT_FALSE(bookmarked(source, 6));

    key(source, Qt::Key_F2);
    EXPECT_EQ(row(source), 4);
    EXPECT_EQ(row(target), 4);
    key(source, Qt::Key_F2);
    EXPECT_EQ(row(source), 5);
    key(target, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(row(target), 4);

    setRow(target, 5);
    key(target, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_FALSE(bookmarked(source, 5));
}

TEST_F(PaneNavigationTest, BookmarksSurviveTheOtherPaneSynchronising)
{
    compareBlocks();
    setRow(target, 250);
    target.runCommand(framework::ID_SWITCH_BOOKMARK);
    setRow(target, 20);
    ASSERT_TRUE(bookmarked(source, 250));
    // A pane whose grid holds one row more for a moment, as while a row is inserted.
    target.grid()->setRowCount(301);
    doc.updateAllViews(&target, framework::kHintSyncScroll, target.grid());
    ASSERT_EQ(source.grid()->rowCount(), 301);
    EXPECT_TRUE(bookmarked(source, 250));
    source.nextBookmark(false);
    EXPECT_EQ(row(target), 250);
}

TEST_F(PaneNavigationTest, CtrlPageKeysGoToTheEdgesOfThePageAndTheFile)
{
    compareBlocks();
    setRow(target, 100);
    key(target, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(row(target), firstRow(target));
    const int top = firstRow(target);
    key(target, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_GT(row(target), top + 10);
    EXPECT_LE(row(target), target.grid()->position().lastRow);
    key(target, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(row(target), 299);
    EXPECT_EQ(row(source), 299);
    key(target, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(row(target), 0);

    // Every row fits: the visible range reaches one past the last row.
    ASSERT_TRUE(compare("a\nb\n", "a\nc\n"));
    setRow(target, 0);
    key(target, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(row(target), 1);
}

TEST_F(PaneNavigationTest, TabActivatesTheOtherPaneAndCancelClosesOnlyFromInside)
{
    compareBlocks();
    key(target, Qt::Key_Tab);
    EXPECT_EQ(frame.active, &source);

    window.activateWindow();
    source.grid()->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    source.runCommand(framework::IDCANCEL);
    ASSERT_EQ(frame.posted.size(), 1u);
    EXPECT_EQ(frame.posted[0].first, framework::WM_CLOSE);
}

TEST_F(PaneNavigationTest, PaneKeysInEditModeTypeNothingIntoTheLine)
{
    doc.setEditMode(true);
    compareBlocks();
    setRow(target, 3);
    auto* editor = qobject_cast<QLineEdit*>(target.grid()->activeEditor());
    ASSERT_NE(editor, nullptr);
    frame.findText = "zzz";
    key(target, Qt::Key_F2, Qt::ControlModifier);
    key(target, Qt::Key_F2);
    key(target, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(editor->text(), "other 3");
    EXPECT_FALSE(editor->isModified());
    // Ctrl+Y deletes the line and moves down; no control character is typed anywhere.
    key(target, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(target.grid()->position().row, 4);
    EXPECT_EQ(editor->text(), "other 4");
    EXPECT_FALSE(editor->isModified());
    EXPECT_TRUE(bookmarked(target, 3));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{"String 'zzz' not found!"});
}

TEST(SkipList, KeepsOneEntryPerRowAndWrapsAround)
{
    panes::SkipList skips;
    skips.add(7);
    skips.add(3);
    skips.add(7);
    EXPECT_EQ(skips.rows(), (std::vector<unsigned>{7, 3}));
    EXPECT_EQ(skips.first(), 7u);
    EXPECT_EQ(skips.next(7), 3u);
    EXPECT_EQ(skips.next(3), 7u);
    EXPECT_EQ(skips.next(5), std::nullopt);

    EXPECT_FALSE(skips.remove(5).removed);
    const panes::SkipList::Removal last = skips.remove(3);
    EXPECT_TRUE(last.removed);
    EXPECT_EQ(last.next, 7u);    // the last went: back to the first
    const panes::SkipList::Removal only = skips.remove(7);
    EXPECT_TRUE(only.removed && !only.next);
}

TEST_F(PaneNavigationTest, UnskipOfTheLastSkippedRowEndsTheEasyJoinPass)
{
    compareBlocks();
    startEasyJoin();
    for (int r : {150, 10, 150}) {
        setRow(target, r);
        target.runCommand(framework::ID_ADD_SKIP);
    }
    EXPECT_EQ(target.skipList().rows(), (std::vector<unsigned>{150, 10}));
    target.runCommand(framework::ID_FIRST_SKIP);
    EXPECT_EQ(row(target), 150);
    target.runCommand(framework::ID_NEXT_SKIP);
    EXPECT_EQ(row(target), 10);
    target.runCommand(framework::ID_UNSKIP);
    EXPECT_EQ(row(target), 150);
    EXPECT_EQ(oks, 0);
    target.runCommand(framework::ID_UNSKIP);
    EXPECT_EQ(oks, 1);
    EXPECT_TRUE(target.skipList().empty());
}

} // namespace
