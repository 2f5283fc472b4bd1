#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>

#include "grid/cell.h"
#include "grid/cell_edit.h"
#include "platform/color_ref.h"
#include "platform/window_messages.h"

namespace grid {
namespace {

// A grid owner that answers text and mask requests from its own rows and keeps what
// the grid stores.
class GridOwner : public platform::Window {
public:
    GridOwner() { create(nullptr, QRect(0, 0, 500, 300), platform::WS_VISIBLE, 0); }

    std::vector<std::string> cells;
    std::string mask;
    bool refuseStore = false;
    std::vector<std::pair<int, std::string>> stored;    // row, text

protected:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override
    {
        if (message == TCM_GETCELLDATA)
            return cellData(int(wParam), *reinterpret_cast<TCellDataRequest*>(lParam));
        if (message == TCM_SETCELLDATA) {
            auto* record = reinterpret_cast<TCellDataRequest*>(lParam);
            if (refuseStore)
                return kVeto;
            stored.emplace_back(record->row, reinterpret_cast<const char*>(record->value));
            cells[std::size_t(record->row)] = stored.back().second;
            return 1;
        }
        return Window::windowProc(message, wParam, lParam);
    }

private:
    framework::LResult cellData(int kind, TCellDataRequest& record)
    {
        if (kind == kCellDataText && std::size_t(record.row) < cells.size()) {
            std::strcpy(reinterpret_cast<char*>(record.value), cells[std::size_t(record.row)].c_str());
            return kVeto;
        }
        if (kind == kCellDataMask && !mask.empty()) {
            *reinterpret_cast<std::string*>(record.value) = mask;
            return kVeto;
        }
        return 0;
    }
};

class CellEditingTest : public ::testing::Test {
protected:
    // An editable grid over the owner's cells (one a row), its first cell current.
    void make(std::vector<std::string> cells, int columns = 1)
    {
        owner.cells = std::move(cells);
        grid = new TCell;
        grid->create(&owner, QRect(0, 0, 480, 280),
                     platform::WS_VISIBLE | TCS_EDITABLE | TCS_HGRID | TCS_VGRID | TCS_HEADER, 7);
        for (int i = 0; i < columns; ++i)
            grid->send(TCM_INSERTCOLS, WParam(-1), 0);
        grid->send(TCM_INSERTROWS, 0, LParam(owner.cells.size()));
        grid->send(TCM_SETCURCELL, 0, 0);
        QApplication::setActiveWindow(&owner);
        grid->setFocus();
    }
    CCellEdit* editor() const { return qobject_cast<CCellEdit*>(grid->activeEditor()); }

    GridOwner owner;
    TCell* grid = nullptr;
};

TEST_F(CellEditingTest, EditorLiesOverTheCurrentCellWithItsText)
{
    make({"first", "second"});
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "first");
    EXPECT_FALSE(editor()->isModified());
    QRect cell = grid->cellRect(0, 0);
    EXPECT_EQ(editor()->geometry().topLeft(), grid->clientToWidget(cell.topLeft()));
    grid->send(TCM_ROWDOWN, 1, 0);
    EXPECT_EQ(editor()->text(), "second");
}

TEST_F(CellEditingTest, EnterInTheEditorCommitsAndMovesOneRowDown)
{
    make({"abc", "def"});
    editor()->setCursorPosition(3);
    QTest::keyClicks(editor(), "X");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(grid->position().row, 1);
    ASSERT_EQ(owner.stored.size(), 1u);
    EXPECT_EQ(owner.stored[0], (std::pair<int, std::string>{0, "abcX"}));
    EXPECT_EQ(editor()->text(), "def");
}

TEST_F(CellEditingTest, RefusedCommitKeepsTheEditorOnTheCell)
{
    make({"abc", "def"});
    owner.refuseStore = true;
    QTest::keyClicks(editor(), "Z");
    EXPECT_EQ(grid->send(TCM_ROWDOWN, 1, 0), 0);
    EXPECT_EQ(grid->position().row, 0);
    EXPECT_EQ(editor()->text(), "Zabc");
    EXPECT_TRUE(editor()->isModified());
}

// A grid kept in step with another one (CopyState) stores the typed text before its
// current row follows, and stays put with the text when the store is refused.
TEST_F(CellEditingTest, FollowingAnotherGridNeverLosesTypedText)
{
    make({"abc", "def", "ghi"});
    TCell* other = new TCell;
    other->create(&owner, QRect(0, 0, 100, 100), platform::WS_VISIBLE, 8);
    other->send(TCM_INSERTCOLS, WParam(-1), 0);
    other->send(TCM_INSERTROWS, 0, 3);
    other->send(TCM_SETCURCELL, 0, 1);

    QTest::keyClicks(editor(), "X");
    owner.refuseStore = true;
    grid->CopyState(*other, 7);
    EXPECT_EQ(grid->position().row, 0);
    EXPECT_EQ(editor()->text(), "Xabc");
    EXPECT_TRUE(editor()->isModified());

    owner.refuseStore = false;
    grid->CopyState(*other, 7);
    EXPECT_EQ(grid->position().row, 1);
    ASSERT_EQ(owner.stored.size(), 1u);
    EXPECT_EQ(owner.stored[0], (std::pair<int, std::string>{0, "Xabc"}));
    EXPECT_EQ(editor()->text(), "def");
}

TEST_F(CellEditingTest, UnchangedTextIsNotStored)
{
    make({"abc", "def"});
    grid->send(TCM_ROWDOWN, 1, 0);
    EXPECT_TRUE(owner.stored.empty());
}

TEST_F(CellEditingTest, MaskFromTheOwnerShapesTheText)
{
    owner.mask = "DD.DD";
    make({"1234", "9"});
    EXPECT_EQ(editor()->text(), "12.40");
    QTest::keyClicks(editor(), "56");
    EXPECT_EQ(editor()->text(), "56.40");
    EXPECT_EQ(editor()->cursorPosition(), 3);
}

TEST_F(CellEditingTest, RightInsideTheTextMovesTheCaretAndAtItsEndTheColumn)
{
    make({"ab"}, 2);
    editor()->setCursorPosition(1);
    QTest::keyClick(editor(), Qt::Key_Right);
    EXPECT_EQ(editor()->cursorPosition(), 2);
    EXPECT_EQ(grid->position().column, 0);
    QTest::keyClick(editor(), Qt::Key_Right);
    EXPECT_EQ(grid->position().column, 1);
}

TEST_F(CellEditingTest, CtrlRightMovesTheColumnFromInsideTheText)
{
    make({"abc"}, 2);
    editor()->setCursorPosition(1);
    QTest::keyClick(editor(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grid->position().column, 1);
}

TEST_F(CellEditingTest, LeftAtTheStartMovesToThePreviousColumn)
{
    make({"abc"}, 2);
    grid->send(TCM_SETCURCELL, 1, 0);
    editor()->setCursorPosition(0);
    QTest::keyClick(editor(), Qt::Key_Left);
    EXPECT_EQ(grid->position().column, 0);
}

TEST_F(CellEditingTest, MovingUpAndDownKeepsTheCaretPlace)
{
    make({"abcdef", "ghijkl"});
    editor()->setCursorPosition(4);
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(grid->position().row, 1);
    EXPECT_EQ(editor()->cursorPosition(), 4);
}

TEST_F(CellEditingTest, ReadOnlyCellHasNoEditor)
{
    make({"abc", "def"});
    ASSERT_TRUE(editor()->hasFocus());
    grid->send(TCM_MARKROW, 1, 1);
    grid->send(TCM_ROWDOWN, 1, 0);
    EXPECT_EQ(grid->activeEditor(), nullptr);
    EXPECT_TRUE(grid->hasFocus());
}

// A grid whose current cell has colours of its own, one pair per row.
class TintedCell : public TCell {
public:
    static constexpr ColorRef kBack[2] = {0x00FFFF, 0xFFFF00};   // yellow, cyan
    static constexpr ColorRef kText[2] = {0xFF0000, 0x000080};

protected:
    ColorRef cellBackColor(int column, int row) override
    {
        return row == position().row && row < 2 ? kBack[row] : TCell::cellBackColor(column, row);
    }
    ColorRef cellTextColor(int column, int row) override
    {
        return row == position().row && row < 2 ? kText[row] : TCell::cellTextColor(column, row);
    }
};

TEST(CellEditorColours, EditorTakesTheColoursOfTheCellItCovers)
{
    GridOwner owner;
    owner.cells = {"abc", "def", "ghi"};
    auto* grid = new TintedCell;
    grid->create(&owner, QRect(0, 0, 480, 280), platform::WS_VISIBLE | TCS_EDITABLE | TCS_HGRID | TCS_VGRID, 7);
    grid->send(TCM_INSERTCOLS, WParam(-1), 0);
    grid->send(TCM_INSERTROWS, 0, 3);
    owner.show();
    QApplication::setActiveWindow(&owner);
    grid->setFocus();
    for (int row : {0, 1}) {
        grid->send(TCM_SETCURCELL, 0, row);
        auto* editor = qobject_cast<CCellEdit*>(grid->activeEditor());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(platform::toColorRef(editor->palette().color(QPalette::Base)), TintedCell::kBack[row]);
        EXPECT_EQ(platform::toColorRef(editor->palette().color(QPalette::Text)), TintedCell::kText[row]);
        // On screen the editor looks like the cell: its empty right part in the cell's colour.
        const QImage image = grid->grab().toImage();
        const QRect cell = grid->cellRect(0, row);
        const QPoint inside = grid->clientToWidget(QPoint(cell.right() - 6, cell.center().y()));
        EXPECT_EQ(platform::toColorRef(image.pixelColor(inside)), TintedCell::kBack[row]);
    }
}

TEST_F(CellEditingTest, RowsInsertedOrRemovedAboveTheCurrentOneReloadTheEditor)
{
    make({"first", "second", "third"});
    grid->send(TCM_SETCURCELL, 0, 1);
    ASSERT_EQ(editor()->text(), "second");

    owner.cells = {"new", "first", "second", "third"};
    grid->send(TCM_INSERTROWS, 0, 1);
    EXPECT_EQ(grid->position().row, 1);
    EXPECT_EQ(editor()->text(), "first");

    owner.cells = {"first", "second", "third"};
    grid->send(TCM_DELETEROWS, 0, 1);
    EXPECT_EQ(editor()->text(), "second");
    editor()->setText("typed");
    editor()->setModified(true);
    grid->send(TCM_SETCURCELL, 0, 2);
    EXPECT_EQ(owner.stored, (std::vector<std::pair<int, std::string>>{{1, "typed"}}));
}

TEST_F(CellEditingTest, RefreshChoosesTheEditorAgainWhenTheCellsEditabilityChanges)
{
    make({"first", "second"});
    grid->send(TCM_SETCURCELL, 0, 1);
    ASSERT_NE(editor(), nullptr);

    grid->setEditEnabled(false);
    grid->refreshEditor();
    EXPECT_EQ(grid->activeEditor(), nullptr);

    grid->setEditEnabled(true);
    owner.cells[1] = "changed by the owner";
    grid->refreshEditor();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "changed by the owner");
    EXPECT_TRUE(editor()->isVisible());

    editor()->setText("typed");
    editor()->setModified(true);
    owner.cells[1] = "again";
    grid->refreshEditor();
    EXPECT_EQ(editor()->text(), "typed");
}

} // namespace
} // namespace grid
