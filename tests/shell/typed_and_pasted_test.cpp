#include <QClipboard>
#include <QLineEdit>

#include "framework/command_ids.h"
#include "tests/shell/merge_by_hand.h"

// What is typed, copied and pasted through the panes' keys reaches the disk as it was.
namespace {

using namespace framework;
using testing_support::MergeByHand;

class TypedAndPasted : public MergeByHand {
protected:
    // The program (again) on a new pair, with the focus in the pane of column 1 or 2.
    void startOn(const std::string& leftBytes, const std::string& rightBytes, int column)
    {
        if (app) {
            frame().close();
            app->exitInstance();
            app.reset();
        }
        left = dir.write("left.txt", leftBytes);
        right = dir.write("right.txt", rightBytes);
        startShown();
        frame().activateView(&pane(column));
        pane(column).grid()->setFocus();
        QApplication::processEvents();
    }

    QLineEdit* editor(int column) { return qobject_cast<QLineEdit*>(pane(column).grid()->activeEditor()); }

    // Types text at the start of the current row's editor.
    void typeAtStart(int column, const QString& text)
    {
        ASSERT_NE(editor(column), nullptr);
        editor(column)->setFocus();
        editor(column)->setCursorPosition(0);
        QTest::keyClicks(editor(column), text);
    }

    int rowShowing(int column, const std::string& text)
    {
        int row = 0;
        while (row < doc().rowCount() && cellText(row, column) != text)
            ++row;
        return row;
    }

    bool enabled(CommandId id) { return frame().router().isEnabled(id); }
};

TEST_F(TypedAndPasted, TheLineBeingTypedIsSavedByEverySaveAndCountsAsAChange)
{
    const std::string a = "one\ntwo\nthree\n";
    const std::string b = "one\nTWO\nthree\n";

    // After a copy: Ctrl+S stores the open edit before it writes.
    startOn(a, b, 1);
    press(Qt::Key_F9);
    pane(1).goToRowCentred(1);
    press(Qt::Key_Left, Qt::AltModifier);
    typeAtStart(1, "X");
    ASSERT_EQ(editor(1)->text(), "XTWO");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("left.txt"), "one\nXTWO\nthree\n");
    EXPECT_EQ(doc().source().changes(), 0);
    EXPECT_EQ(pane(1).captionText().rfind("* ", 0), std::string::npos);

    // Typing alone: Save All and Save Source light up, the caption shows the change.
    startOn(a, b, 1);
    press(Qt::Key_F9);
    pane(1).goToRowCentred(1);
    EXPECT_FALSE(enabled(ID_FILE_SAVE_ALL));
    typeAtStart(1, "X");
    EXPECT_TRUE(enabled(ID_FILE_SAVE_ALL));
    EXPECT_TRUE(enabled(ID_SAVE_SOURCE));
    EXPECT_FALSE(enabled(ID_SAVE_TARGET));
    EXPECT_EQ(pane(1).captionText().rfind("* ", 0), 0u) << pane(1).captionText();
    ASSERT_TRUE(frame().router().execute(ID_SAVE_SOURCE));
    EXPECT_EQ(dir.read("left.txt"), "one\nXtwo\nthree\n");

    // Closing the window asks about the typed line and saves it.
    typeAtStart(1, "Y");
    services.answerMessage(MessageAnswer::Yes);
    frame().close();
    EXPECT_EQ(dir.read("left.txt"), "one\nYXtwo\nthree\n");
    EXPECT_TRUE(services.allAnswersUsed());
}

TEST_F(TypedAndPasted, CopiedRowsArePastedWithTheirOwnBytesAndALongLineStaysWhole)
{
    // Typed text would be tab-compressed on save; pasted lines must not be.
    settings::appSettings().UseTab = 1;
    const std::string longLine = "L" + std::string(6000, 'x') + "  ";
    const std::string a = "alpha\n\tbeta  \ngamma \r\n    four spaces \n" + longLine + "\nend\n";
    startOn(a, "top\n", 1);
    press(Qt::Key_F9);
    const int first = rowShowing(1, std::string(settings::appSettings().TabSize, ' ') + "beta");
    const int end = rowShowing(1, "end");
    ASSERT_GT(first, 0);
    pane(1).goToRowCentred(first);
    for (int row = first; row < end; ++row)
        press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_C, Qt::ControlModifier);

    frame().activateView(&pane(2));
    pane(2).grid()->setFocus();
    pane(2).goToRowCentred(0);
    ASSERT_NE(editor(2), nullptr);
    editor(2)->setFocus();
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(dir.read("right.txt"), "\tbeta  \ngamma \n    four spaces \n" + longLine + "\ntop\n");
}

TEST_F(TypedAndPasted, AMiddleClickPastesThePrimarySelectionAsCtrlVPastesTheClipboard)
{
    const std::string a = "one\ntwo\nthree\n";
    const std::vector<std::string> pastes = { "tab\there", "two\nlines\n", "first\nsecond", "ctl\x01" "end" };
    for (const std::string& text : pastes) {
        std::string saved[2];
        for (const bool middle : { false, true }) {
            startOn(a, "ONE\n", 1);
            press(Qt::Key_F9);
            pane(1).goToRowCentred(1);
            typeAtStart(1, "");
            if (middle) {
                services.setSelectionText(text);
                ASSERT_NE(editor(1), nullptr);
                // At the editor's left end: the caret stays at the start.
                QTest::mouseClick(editor(1), Qt::MiddleButton, {}, QPoint(1, editor(1)->height() / 2));
            } else {
                QApplication::clipboard()->setText(QString::fromStdString(text));
                press(Qt::Key_V, Qt::ControlModifier);
            }
            press(Qt::Key_S, Qt::ControlModifier);
            saved[middle] = dir.read("left.txt");
        }
        EXPECT_NE(saved[false], a) << text;
        EXPECT_EQ(saved[true], saved[false]) << text;
    }
}

// The menu's Paste goes to the active pane; the other pane's editor, should it hold the focus,
// takes no lines into its one line.
TEST_F(TypedAndPasted, PasteWithTheOtherPanesEditorFocusedKeepsLinesApart)
{
    startOn("one\ntwo\n", "ONE\nTWO\n", 2);
    press(Qt::Key_F9);
    typeAtStart(2, "X");
    frame().activateView(&pane(1));
    QApplication::clipboard()->setText("first\nsecond\n");
    frame().routeCommand(ID_EDIT_PASTE, CommandOrigin::Menu);
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("right.txt"), "XONE\nTWO\n");
}

// The editor's whole text is stored, however long the row it shows.
TEST_F(TypedAndPasted, TypingIntoALongRowKeepsAllOfIt)
{
    const std::string line = std::string(4500, 'x') + "\t" + std::string(300, 'y');
    startOn(line + "\nend\n", "other\nend\n", 1);
    press(Qt::Key_F9);
    typeAtStart(1, "Q");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dir.read("left.txt"), "Q" + line + "\nend\n");
}

} // namespace
