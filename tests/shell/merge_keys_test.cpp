#include <QApplication>
#include <QTest>

#include <string>
#include <vector>

#include "shell/color_status_bar.h"
#include "tests/shell/merge_by_hand.h"

// The merge keys in the running window, each as the desktop delivers it, with and without
// edit mode, and what the in-cell editor and the captions show after them.
namespace {

using namespace framework;
using testing_support::MergeByHand;

constexpr int kMessagePane = 0;

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

std::string keyName(const ::testing::TestParamInfo<Key>& info)
{
    return info.param.name;
}

// --- copying one line ------------------------------------------------------------------------

struct LineCopyKey {
    Key key;
    int into;    // the pane that receives the line: 1 source, 2 target
};

class LineCopyKeys : public MergeByHand, public ::testing::WithParamInterface<LineCopyKey> {};

// Alt+Shift is there for the desktops that take Ctrl+Alt with an arrow for themselves; it
// works also while Alt with an arrow alone is left to the panes.
TEST_P(LineCopyKeys, CopyTheCurrentLineInEditModeWhateverUseAltSays)
{
    startOnPair();
    settings::appSettings().UseAlt = 0;
    press(Qt::Key_F9);
    ASSERT_EQ(currentRow(), 1);
    const int from = GetParam().into == 1 ? 2 : 1;
    const std::string copied = cellText(1, from);
    ASSERT_NE(cellText(1, GetParam().into), copied);

    press(GetParam().key.key, GetParam().key.modifiers);
    EXPECT_EQ(cellText(1, GetParam().into), copied);
    EXPECT_EQ(doc().undoStore().undoCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EachKey, LineCopyKeys,
    ::testing::Values(LineCopyKey{{Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier, "CtrlAltRight"}, 2},
                      LineCopyKey{{Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier, "CtrlAltLeft"}, 1},
                      LineCopyKey{{Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier, "AltShiftRight"}, 2},
                      LineCopyKey{{Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier, "AltShiftLeft"}, 1}),
    [](const auto& info) { return std::string(info.param.key.name); });

// --- merge keys outside edit mode ------------------------------------------------------------

class MergeKeysOutsideEditMode : public MergeByHand, public ::testing::WithParamInterface<Key> {};

TEST_P(MergeKeysOutsideEditMode, ChangeNothingAndTellHowToTurnEditModeOn)
{
    startOnPair();
    ASSERT_FALSE(doc().editMode());
    press(GetParam().key, GetParam().modifiers);
    EXPECT_EQ(frame().statusBar().paneText(kMessagePane), CMainFrame::kEditModeOff);
    EXPECT_EQ(doc().undoStore().undoCount(), 0);
    EXPECT_FALSE(doc().isModified());
}

INSTANTIATE_TEST_SUITE_P(EachKey, MergeKeysOutsideEditMode,
                         ::testing::Values(Key{Qt::Key_Right, Qt::AltModifier, "AltRight"},
                                           Key{Qt::Key_Left, Qt::AltModifier, "AltLeft"},
                                           Key{Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier, "CtrlAltRight"},
                                           Key{Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier, "CtrlAltLeft"},
                                           Key{Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier, "AltShiftRight"},
                                           Key{Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier, "AltShiftLeft"}),
                         keyName);

// --- removing a row --------------------------------------------------------------------------

class RemoveRowKeys : public MergeByHand, public ::testing::WithParamInterface<Key> {};

TEST_P(RemoveRowKeys, TakeTheRowOutOfBothPanes)
{
    startOnPair();
    press(Qt::Key_F9);
    const int rows = doc().rowCount();
    ASSERT_EQ(cellText(2), "three");
    press(Qt::Key_Down);
    press(GetParam().key, GetParam().modifiers);
    EXPECT_EQ(doc().rowCount(), rows - 1);
    EXPECT_EQ(cellText(2, 2), "extra");    // the row of "three" is gone from both panes
    EXPECT_EQ(cellText(2, 1).find("three"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachKey, RemoveRowKeys,
                         ::testing::Values(Key{Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier, "ShiftCtrlY"},
                                           Key{Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier, "ShiftCtrlF10"}),
                         keyName);

// --- End in the in-cell editor ---------------------------------------------------------------

struct StepBeforeEnd {
    const char* name;
    std::vector<Key> keys;    // after edit mode is on
    int row;                  // the row End and the typing land on
    const char* typed;        // what the row then holds
};

class EndAfterAMove : public MergeByHand, public ::testing::WithParamInterface<StepBeforeEnd> {};

TEST_P(EndAfterAMove, PutsTheCaretAtTheEndOfTheLine)
{
    startOnPair();
    press(Qt::Key_F9);
    for (const Key& key : GetParam().keys)
        press(key.key, key.modifiers);
    ASSERT_EQ(currentRow(), GetParam().row);
    press(Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), "ABC");
    press(Qt::Key_Return);
    EXPECT_EQ(cellText(GetParam().row), GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, EndAfterAMove,
    ::testing::Values(StepBeforeEnd{"F9", {}, 1, "TWOABC"},
                      StepBeforeEnd{"Up", {{Qt::Key_Up, Qt::NoModifier, "Up"}}, 0, "oneABC"},
                      StepBeforeEnd{"Down", {{Qt::Key_Down, Qt::NoModifier, "Down"}}, 2, "threeABC"},
                      StepBeforeEnd{"CtrlHome", {{Qt::Key_Home, Qt::ControlModifier, "CtrlHome"}}, 0, "oneABC"},
                      StepBeforeEnd{"TypedThenDown",
                                    {{Qt::Key_X, Qt::NoModifier, "X"}, {Qt::Key_Down, Qt::NoModifier, "Down"}},
                                    2,
                                    "threeABC"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- captions --------------------------------------------------------------------------------

using Captions = MergeByHand;

// Copies append lines to the file's store; the caption still counts the lines of the pane.
TEST_F(Captions, ShowTheLineNumberOfTheRowAsThePaneStandsAndNoneOnAFillerRow)
{
    startOnPair();
    press(Qt::Key_F9);
    for (int row = currentRow(); row < 5; ++row)
        press(Qt::Key_Down);
    press(Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier);    // "five" into the target
    press(Qt::Key_Home, Qt::ControlModifier);
    // Rows: one, two/TWO, three, -/extra, four, five, indented, six.
    const std::vector<int> sourceLines = {1, 2, 3, 0, 4, 5, 6, 7};
    const std::vector<int> targetLines = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto caption = [this](int pane, int line) {
        const std::string changed = pane == 2 ? "* " : "";
        const std::string path = pane == 2 ? doc().destination().path() : doc().source().path();
        return changed + " " + path + (line > 0 ? " : " + std::to_string(line) : "");
    };
    for (int row = 0; row < doc().rowCount(); ++row) {
        ASSERT_EQ(currentRow(), row);
        EXPECT_EQ(pane(1).captionText(), caption(1, sourceLines[std::size_t(row)])) << row;
        EXPECT_EQ(pane(2).captionText(), caption(2, targetLines[std::size_t(row)])) << row;
        press(Qt::Key_Down);
    }

    // Removing the row under the caret brings the next line up, and its number with it.
    press(Qt::Key_Home, Qt::ControlModifier);
    for (int row = 0; row < 3; ++row)
        press(Qt::Key_Down);
    press(Qt::Key_Y, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(currentRow(), 3);
    EXPECT_TRUE(pane(1).captionText().ends_with(" : 4")) << pane(1).captionText();
}

// --- leaving edit mode -----------------------------------------------------------------------

struct SaveAnswer {
    MessageAnswer answer;
    bool rescanAsked;
};

class LeavingEditMode : public MergeByHand, public ::testing::WithParamInterface<SaveAnswer> {};

TEST_P(LeavingEditMode, OffersARescanOnlyWhenChangesWereLeftUnsaved)
{
    startOnPair();
    press(Qt::Key_F9);
    press(Qt::Key_Right, Qt::AltModifier);
    services.answerMessage(GetParam().answer);
    if (GetParam().rescanAsked)
        services.answerMessage(MessageAnswer::No);
    press(Qt::Key_F9);
    EXPECT_FALSE(doc().editMode());
    ASSERT_FALSE(services.messageTexts().empty());
    EXPECT_EQ(services.messageTexts().back() == core::CBivaloDoc::kRescanNow, GetParam().rescanAsked);
    EXPECT_EQ(services.messageTexts().size(), GetParam().rescanAsked ? 2u : 1u);
    EXPECT_TRUE(services.allAnswersUsed());
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, LeavingEditMode,
                         ::testing::Values(SaveAnswer{MessageAnswer::Yes, false}, SaveAnswer{MessageAnswer::No, true}),
                         [](const auto& info) { return std::string(info.param.rescanAsked ? "No" : "Yes"); });

} // namespace
