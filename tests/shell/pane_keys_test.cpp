#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "framework/command_ids.h"
#include "grid/cell_messages.h"
#include "panes/table_view.h"
#include "shell/color_status_bar.h"
#include "shell/goto_line_dlg.h"
#include "shell/history_combo.h"
#include "shell/main_splitter.h"
#include "tests/shell/merge_by_hand.h"
#include "tests/shell/running_app.h"

namespace {

using testing_support::RunningApp;

// The program on a pair with differences at rows 1, 5 and 9, the target pane focused.
class PaneKeys : public RunningApp {
protected:
    void startOnDifferences()
    {
        left = dir.write("left.txt", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n");
        right = dir.write("right.txt", "a\nB\nc\nd\ne\nF\ng\nh\ni\nJ\n");
        start({left, right});
        QApplication::setActiveWindow(&frame());
        grid().setFocus();
    }

    grid::TCellTableBox& grid()
    {
        return *static_cast<panes::CTableView*>(frame().splitter().widget(2))->grid();
    }
    int row() { return grid().position().row; }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(PaneKeys, AltArrowsMoveBetweenDifferencesOnlyWithUseAlt)
{
    startOnDifferences();
    ASSERT_EQ(row(), 1);
    settings::appSettings().UseAlt = 0;
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(row(), 1);    // swallowed: neither a command nor a grid move
    settings::appSettings().UseAlt = 1;
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(row(), 5);
    press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(row(), 1);
}

TEST_F(PaneKeys, FunctionKeysWalkTheDifferencesAndNextDiffIsEnabled)
{
    startOnDifferences();
    EXPECT_TRUE(frame().router().isEnabled(framework::ID_NEXT_DIFF));
    EXPECT_TRUE(frame().router().isEnabled(framework::ID_PREV_DIFF));
    press(Qt::Key_F8);
    press(Qt::Key_F8);
    EXPECT_EQ(row(), 9);
    press(Qt::Key_F7);
    EXPECT_EQ(row(), 5);
}

TEST_F(PaneKeys, WrappedFindShowsItsMessageInTheStatusBar)
{
    startOnDifferences();
    frame().findBox().setEditText("c");
    press(Qt::Key_F3);
    EXPECT_EQ(row(), 2);
    press(Qt::Key_F3);
    EXPECT_EQ(row(), 2);
    EXPECT_EQ(frame().statusBar().paneText(0), "Passed the end of the file");
}

TEST_F(PaneKeys, EscapeInTheFindBoxGivesTheFocusBackToThePane)
{
    startOnDifferences();
    frame().routeCommand(framework::ID_FIND_BOX);
    ASSERT_FALSE(grid().hasFocus());
    press(Qt::Key_Escape);
    const QWidget* active = frame().activeView();
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->isAncestorOf(QApplication::focusWidget()));
}

// An empty grid still reports a current row; the bookmark search must not walk from it.
struct EmptiedWindow {
    const char* name;
    bool rowsRemoved;    // else: started without files, the pair dialog cancelled
    Qt::KeyboardModifiers modifiers;
};

class BookmarkKeysWithoutRows : public testing_support::MergeByHand,
                                public ::testing::WithParamInterface<EmptiedWindow> {};

TEST_P(BookmarkKeysWithoutRows, ReturnAtOnce)
{
    if (GetParam().rowsRemoved) {
        startOnPair();
        press(Qt::Key_F9);
        for (int i = 0; i < 20 && doc().rowCount() > 0; ++i)
            press(Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
        services.cancelFileDialog();
        start({});
        frame().show();
        QApplication::setActiveWindow(&frame());
        pane(2).grid()->setFocus();
    }
    ASSERT_EQ(doc().rowCount(), 0);
    press(Qt::Key_F2, GetParam().modifiers);
    press(Qt::Key_F2, GetParam().modifiers);
    EXPECT_EQ(pane(2).grid()->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachWay, BookmarkKeysWithoutRows,
                         ::testing::Values(EmptiedWindow{"NoFilesF2", false, Qt::NoModifier},
                                           EmptiedWindow{"NoFilesShiftF2", false, Qt::ShiftModifier},
                                           EmptiedWindow{"RowsRemovedF2", true, Qt::NoModifier},
                                           EmptiedWindow{"RowsRemovedShiftF2", true, Qt::ShiftModifier}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GotoLineDialog, OffersTheLineNumberAndGoesOnlyWithAWholeNumber)
{
    CGotoLineDlg dialog(42);
    EXPECT_EQ(dialog.windowTitle(), "Go to line");
    EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Line number:");
    QLineEdit& field = dialog.lineNumberField();
    EXPECT_EQ(field.objectName(), "1020");
    EXPECT_EQ(field.text(), "42");
    EXPECT_EQ(dialog.goButton().text(), "Go!");
    EXPECT_TRUE(dialog.goButton().isDefault());
    field.clear();
    EXPECT_FALSE(dialog.goButton().isEnabled());
    QTest::keyClicks(&field, "1x7");
    EXPECT_EQ(field.text(), "17");
    EXPECT_TRUE(dialog.goButton().isEnabled());
    EXPECT_EQ(dialog.lineNumber(), 17);
}

} // namespace
