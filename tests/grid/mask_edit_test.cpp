#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "grid/mask_edit.h"

namespace grid {
namespace {

class MaskEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CMaskEdit::setOverwriteMode(false);
        edit.show();
        edit.setFocus();
    }
    void TearDown() override { CMaskEdit::setOverwriteMode(false); }

    void mask(const QString& pattern)
    {
        edit.setEditMask(pattern);
        edit.setCursorPosition(0);
    }
    void type(const QString& keys) { QTest::keyClicks(&edit, keys); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&edit, key, modifiers);
    }

    CMaskEdit edit;
};

TEST_F(MaskEditTest, DecimalMaskTypesDigitsAroundThePoint)
{
    mask("DD.DD");
    EXPECT_EQ(edit.text(), "00.00");
    type("12");
    EXPECT_EQ(edit.cursorPosition(), 3) << "the caret skips the point";
    type("34");
    EXPECT_EQ(edit.text(), "12.34");
    EXPECT_TRUE(edit.isModified());
}

TEST_F(MaskEditTest, RefusedCharacterLeavesTextAndCaret)
{
    mask("DD.DD");
    type("x");
    EXPECT_EQ(edit.text(), "00.00");
    EXPECT_EQ(edit.cursorPosition(), 0);
}

TEST_F(MaskEditTest, LetterPositionConvertsToUpperAndRefusesDigits)
{
    mask("AA");
    type("b1");
    EXPECT_EQ(edit.text(), "B ");
    EXPECT_EQ(edit.cursorPosition(), 1);
}

TEST_F(MaskEditTest, SignPositionKeepsSignsAndBlanksOtherCharacters)
{
    mask("SD");
    type("-");
    EXPECT_EQ(edit.text(), "-0");
    edit.setCursorPosition(0);
    type("7");
    EXPECT_EQ(edit.text(), " 0");
}

TEST_F(MaskEditTest, BackspaceStepsBackOverLiteralsAndRestoresTheTemplate)
{
    mask("DD.DD");
    type("123");
    press(Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12.00");
    EXPECT_EQ(edit.cursorPosition(), 3);
    press(Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "10.00");
    EXPECT_EQ(edit.cursorPosition(), 1);
}

TEST_F(MaskEditTest, DeletePutsTheTemplateWithoutShifting)
{
    mask("DDDD");
    type("1234");
    edit.setCursorPosition(1);
    press(Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "1034");
    EXPECT_EQ(edit.cursorPosition(), 1);
}

TEST_F(MaskEditTest, ArrowsAndHomeEndSkipLiterals)
{
    mask("(DD.DD)");
    EXPECT_EQ(edit.cursorPosition(), 0);
    press(Qt::Key_Home);
    EXPECT_EQ(edit.cursorPosition(), 1);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(edit.cursorPosition(), 4);
    press(Qt::Key_Left);
    EXPECT_EQ(edit.cursorPosition(), 2);
    press(Qt::Key_End);
    EXPECT_EQ(edit.cursorPosition(), 5);
    press(Qt::Key_Right);
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST_F(MaskEditTest, ShiftEndSelectsToTheEndOfTheMask)
{
    mask("DDDD");
    edit.setCursorPosition(1);
    press(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(edit.selectionStart(), 1);
    EXPECT_EQ(edit.selectedText(), "000");
}

TEST_F(MaskEditTest, TypingOverASelectionEmptiesItFirst)
{
    mask("DDDD");
    type("1234");
    edit.setSelection(1, 2);
    type("9");
    EXPECT_EQ(edit.text(), "1904");
    EXPECT_EQ(edit.cursorPosition(), 2);
}

TEST_F(MaskEditTest, PasteGoesThroughTheMaskAndStepsOverLiterals)
{
    mask("DD.DD");
    QApplication::clipboard()->setText("1x34\nignored");
    edit.editPaste();
    EXPECT_EQ(edit.text(), "10.34");
    QApplication::clipboard()->setText("98.7");
    edit.setCursorPosition(0);
    edit.editPaste();
    EXPECT_EQ(edit.text(), "98.74");
}

TEST_F(MaskEditTest, CutCopiesAndEmptiesTheSelectionToTheTemplate)
{
    mask("DDDD");
    type("1234");
    edit.setSelection(0, 2);
    edit.editCut();
    EXPECT_EQ(QApplication::clipboard()->text(), "12");
    EXPECT_EQ(edit.text(), "0034");
}

TEST_F(MaskEditTest, UndoExchangesWithTheTextBeforeTheLastChange)
{
    edit.setText("abc");
    edit.setCursorPosition(3);
    EXPECT_FALSE(edit.canEditUndo());
    type("def");
    EXPECT_TRUE(edit.editUndo());
    EXPECT_EQ(edit.text(), "abc") << "a run of typing is undone at once";
    EXPECT_EQ(edit.selectedText(), "abc");
    EXPECT_TRUE(edit.editUndo());
    EXPECT_EQ(edit.text(), "abcdef");
}

TEST_F(MaskEditTest, InsertTogglesTheSharedOverwriteMode)
{
    CMaskEdit other;
    edit.setText("abcd");
    edit.setCursorPosition(1);
    press(Qt::Key_Insert);
    EXPECT_TRUE(CMaskEdit::overwriteMode());
    type("XY");
    EXPECT_EQ(edit.text(), "aXYd");
    press(Qt::Key_Insert);
    type("Z");
    EXPECT_EQ(edit.text(), "aXYZd");
}

TEST_F(MaskEditTest, ReadOnlyRefusesTypingDeletingAndPasting)
{
    mask("DD");
    edit.setReadOnly(true);
    type("12");
    press(Qt::Key_Delete);
    QApplication::clipboard()->setText("99");
    edit.editPaste();
    EXPECT_EQ(edit.text(), "00");
    EXPECT_FALSE(edit.editUndo());
}

TEST_F(MaskEditTest, FillTextOfTheWrongLengthFailsWithTheMaskSet)
{
    EXPECT_FALSE(edit.setEditMask("DD-DD", QString("12")));
    EXPECT_EQ(edit.text(), "00-00");
    EXPECT_TRUE(edit.setEditMask("DD-DD", QString("12-45")));
    EXPECT_EQ(edit.text(), "12-45");
    EXPECT_EQ(edit.maxLength(), 5);
}

TEST_F(MaskEditTest, CheckTextFitsATextToTheMask)
{
    mask("AA-DD");
    EXPECT_EQ(edit.checkText("ab-1x"), "AB-10");
}

} // namespace
} // namespace grid
