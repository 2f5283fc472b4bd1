#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QTest>

#include "framework/profile.h"
#include "grid/cell_edit.h"
#include "grid/cell_table_box.h"
#include "platform/color_ref.h"
#include "platform/virtual_keys.h"
#include "tests/grid/table_owner.h"
#include "tests/support/temp_dir.h"

namespace grid {
namespace {

using testing::TableOwner;

class TableBoxTest : public ::testing::Test {
protected:
    TCellTableBox& make(std::uint32_t creationStyle = 0)
    {
        box = new TCellTableBox;
        box->createBox(&owner, QRect(0, 0, 600, 380), 1001, creationStyle);
        return *box;
    }
    TCellTableBox& makeWithFields(int fields, int rows, int mode = 0, const std::string& widthKey = {})
    {
        make();
        for (int i = 0; i < fields; ++i)
            box->addField({.caption = "Field" + std::to_string(i)});
        owner.cells.assign(std::size_t(fields), {});
        for (int f = 0; f < fields; ++f)
            for (int r = 0; r < rows; ++r)
                owner.cells[std::size_t(f)].push_back("f" + std::to_string(f) + "r" + std::to_string(r));
        box->setUp(rows, mode, widthKey);
        QApplication::setActiveWindow(&owner);
        box->setFocus();
        return *box;
    }
    // Four rows whose clicks may start a row drag; allowed is the parent's answer.
    void makeDraggable(framework::LResult allowed)
    {
        makeWithFields(1, 4);
        box->setOption(TCellTableBox::kSwitchRowDrag, true);
        owner.allowDrag = allowed;
    }
    // One text field of one row holding "a"; the owner answers its edit kind.
    void makeOneCell(framework::LResult editKind)
    {
        make();
        owner.editKind = editKind;
        box->addField({.caption = "Name"});
        owner.cells = {{"a"}};
        box->setUp(1, 0);
    }
    // A list field of two rows whose value the owner keeps as an integer.
    void makeListField()
    {
        make();
        owner.integerFields = {0};
        box->addField({.caption = "Colour", .type = ValueType::Int32, .flags = kFieldList});
        box->setUp(2, 0);
    }
    CCellEdit* editor() const { return qobject_cast<CCellEdit*>(box->activeEditor()); }
    QPoint rowPoint(int row) const { return box->clientToWidget(box->cellRect(0, row).center()); }

    TableOwner owner;
    TCellTableBox* box = nullptr;
};

// --- creation and fields ----------------------------------------------------------------------

TEST(TableBoxStyle, CreationStyleMapsToTheWindowStyle)
{
    EXPECT_EQ(TCellTableBox::windowStyleFor(0), 0x10B0123Eu);
    EXPECT_EQ(TCellTableBox::windowStyleFor(0x0001), 0x10B0123Fu);
    EXPECT_EQ(TCellTableBox::windowStyleFor(0x0008), 0x10B0133Eu);
    EXPECT_EQ(TCellTableBox::windowStyleFor(0x0010), 0x00B0123Eu);
}

TEST_F(TableBoxTest, StartsWithFourFontsAndFieldsUseFontOne)
{
    make();
    EXPECT_EQ(box->fontCount(), 4);
    box->addField({.caption = "Name"});
    box->addField({.caption = "Key", .flags = kFieldFixed});
    EXPECT_EQ(box->column(0).font, 1);
    EXPECT_EQ(box->fixedColumn(0).font, 3);
    EXPECT_EQ(box->fieldOfFixedColumn(0), 1);
    EXPECT_STREQ(box->column(0).headerText, "Name");
}

TEST_F(TableBoxTest, FieldArgumentsShapeTheColumn)
{
    make();
    box->addField({.caption = "Fixed", .editable = false, .width = 80, .widthInPixels = true});
    box->addField({.caption = "Chars", .width = 3});
    box->addField({.caption = "Drawn", .type = ValueType::None});
    EXPECT_EQ(box->column(0).readOnly, 1);
    EXPECT_TRUE(box->field(0).flags & kFieldReadOnly);
    EXPECT_EQ(box->columnWidth(0), 80);
    EXPECT_EQ(box->column(1).widthChars, 3);
    EXPECT_EQ(box->column(2).ownerDrawn, 1);
    EXPECT_EQ(box->column(1).ownerDrawn, 0);
}

TEST_F(TableBoxTest, ParentChoosingTheEditorMakesTheColumnOwnerEdited)
{
    make();
    owner.editKind = kEditByOwner;
    box->addField({.caption = "Own"});
    EXPECT_EQ(box->column(0).ownerEditor, 1);
}

TEST_F(TableBoxTest, SetUpModeTwoAddsARowHeaderColumnAndSelectsSeveralRows)
{
    makeWithFields(1, 3, 2);
    EXPECT_EQ(box->fixedColumnCount(), 1);
    EXPECT_EQ(box->fixedColumnWidth(0), 25);
    EXPECT_EQ(box->fixedColumn(0).isStatic, 1);
    EXPECT_TRUE(box->gridStyle() & TCS_PLAINSELECT);
    EXPECT_EQ(owner.commandCount(TBN_CURROWCHANGED), 1);
    EXPECT_NE(box->listEditor(1003), nullptr);
}

TEST_F(TableBoxTest, SetUpModeFourSelectsSeveralRowsWithoutRowHeaders)
{
    makeWithFields(1, 3, 4);
    EXPECT_EQ(box->fixedColumnCount(), 0);
    EXPECT_TRUE(box->gridStyle() & TCS_PLAINSELECT);
}

// --- values and editing ---------------------------------------------------------------------

TEST_F(TableBoxTest, EditorShowsTheParentsValue)
{
    makeWithFields(2, 3);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "f0r0");
    box->send(TCM_SETCURCELL, 1, 2);
    EXPECT_EQ(editor()->text(), "f1r2");
}

TEST_F(TableBoxTest, EnterCommitsTheValueToTheParentAndMovesDown)
{
    makeWithFields(1, 3);
    editor()->setCursorPosition(4);
    QTest::keyClicks(editor(), "!");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(owner.cells[0][0], "f0r0!");
    EXPECT_EQ(box->position().row, 1);
    EXPECT_EQ(owner.commandCount(TBN_CELLEDITED), 1);
    ASSERT_EQ(owner.changedCells.size(), 1u);
    EXPECT_EQ(owner.changedCells[0], (std::pair<int, int>{0, 0}));
}

TEST_F(TableBoxTest, ParentRefusingTheValueKeepsTheCell)
{
    makeWithFields(1, 3);
    owner.storeAnswer = kVeto;
    QTest::keyClicks(editor(), "x");
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(box->position().row, 0);
    EXPECT_EQ(editor()->text(), "xf0r0");
}

TEST_F(TableBoxTest, NumberFieldRefusesATextThatIsNoNumber)
{
    make();
    box->addField({.caption = "Count", .type = ValueType::Int32});
    owner.cells = {{"", ""}};
    box->setUp(2, 0);
    editor()->setText("12x");
    editor()->setModified(true);
    EXPECT_EQ(box->send(TCM_ROWDOWN, 1, 0), 0);
    EXPECT_EQ(box->position().row, 0);
}

TEST_F(TableBoxTest, EditKindNoneGivesNoEditor)
{
    makeOneCell(kEditNone);
    EXPECT_EQ(box->activeEditor(), nullptr);
}

TEST_F(TableBoxTest, FieldMaskShapesTheEditor)
{
    make();
    box->addField({.caption = "Time"});
    box->setFieldMask(0, "DD:DD");
    owner.cells = {{"1230"}};
    box->setUp(1, 0);
    EXPECT_EQ(editor()->text(), "12:00");
}

TEST_F(TableBoxTest, ListFieldOpensItsListByKeyAndStoresTheChosenIndex)
{
    makeListField();
    EXPECT_EQ(box->activeEditor(), nullptr);
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_EQ(box->editMode(), TCellTableBox::EditMode::List);
    QComboBox* list = box->listEditor(1003);
    EXPECT_EQ(list->count(), 3);
    list->hidePopup();
    list->setCurrentIndex(2);
    emit list->activated(2);
    EXPECT_EQ(owner.storedIntegers, std::vector<int>{2});
    EXPECT_EQ(owner.editEvents, (std::vector<int>{TableValue::ListEditBegins, TableValue::ListEditEnds}));
    EXPECT_EQ(box->editMode(), TCellTableBox::EditMode::None);
}

TEST_F(TableBoxTest, ParentMeasuresAndDrawsTheListItemsOfACellItEdits)
{
    owner.editKind = kEditByParent;
    owner.drawsListItems = true;
    makeListField();
    owner.show();
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_EQ(box->editMode(), TCellTableBox::EditMode::List);
    QComboBox* list = box->listEditor(1003);
    EXPECT_EQ(owner.measuredItems, 1);
    EXPECT_EQ(list->view()->sizeHintForRow(2), 30);
    const QImage items = list->view()->viewport()->grab().toImage();
    EXPECT_FALSE(owner.drawnItems.empty());
    EXPECT_EQ(platform::toColorRef(items.pixelColor(5, 5)), platform::rgb(255, 0, 0));
    list->hidePopup();
}

TEST_F(TableBoxTest, BoxDrawsTheListItemsOfOtherCellsItself)
{
    makeListField();
    owner.show();
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_EQ(box->editMode(), TCellTableBox::EditMode::List);
    QComboBox* list = box->listEditor(1003);
    list->setCurrentIndex(1);
    list->view()->setCurrentIndex(list->model()->index(1, 0));
    const int height = list->view()->sizeHintForRow(0);
    EXPECT_EQ(height, QFontMetrics(list->font()).height() + 4);
    const QImage items = list->view()->viewport()->grab().toImage();
    EXPECT_EQ(owner.measuredItems, 0);
    EXPECT_TRUE(owner.drawnItems.empty());
    const QRect second = list->view()->visualRect(list->model()->index(1, 0));
    EXPECT_EQ(items.pixelColor(second.left() + 2, second.center().y()), list->palette().color(QPalette::Highlight));
    const QRect first = list->view()->visualRect(list->model()->index(0, 0));
    EXPECT_EQ(items.pixelColor(first.left() + 2, first.center().y()), list->palette().color(QPalette::Base));
    list->hidePopup();
}

TEST_F(TableBoxTest, SpaceHandsACellOfEditKindParentToTheParent)
{
    makeOneCell(kEditByParent);
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_TRUE(owner.editEvents.empty());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(owner.editEvents, std::vector<int>{-1});
    EXPECT_EQ(box->editMode(), TCellTableBox::EditMode::Edit);
}

TEST_F(TableBoxTest, ClickOnAnAllowedRowStartsADragThatEndsInADrop)
{
    makeDraggable(1);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    QTest::mouseMove(box, rowPoint(3));
    EXPECT_TRUE(box->isDragging());
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    EXPECT_GE(owner.dragOvers, 1);
    EXPECT_EQ(owner.drops, 1);
    EXPECT_FALSE(box->isDragging());
    EXPECT_EQ(box->position().row, 1);
}

TEST_F(TableBoxTest, RefusedDragDoesNotStart)
{
    makeDraggable(0);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    QTest::mouseMove(box, rowPoint(3));
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    EXPECT_EQ(owner.drops, 0);
}

TEST_F(TableBoxTest, EscapeEndsADragWithoutADrop)
{
    makeDraggable(1);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    QTest::mouseMove(box, rowPoint(3));
    ASSERT_TRUE(box->isDragging());
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    EXPECT_EQ(owner.drops, 0);
    EXPECT_FALSE(owner.wasCancelled());
}

TEST_F(TableBoxTest, AMoveShorterThanTheDragDistanceStartsNoDrag)
{
    makeDraggable(1);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    QTest::mouseMove(box, rowPoint(1) + QPoint(1, 0));
    EXPECT_FALSE(box->isDragging());
    EXPECT_EQ(owner.dragOvers, 0);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, rowPoint(1));
    QTest::mouseMove(box, rowPoint(3));
    EXPECT_FALSE(box->isDragging());
    EXPECT_EQ(owner.drops, 0);
}

TEST_F(TableBoxTest, AltClickDragsWithoutAskingTheParent)
{
    makeWithFields(1, 4);
    box->setOption(TCellTableBox::kOptionAltDrag, true);
    QTest::mousePress(box, Qt::LeftButton, Qt::AltModifier, rowPoint(2));
    EXPECT_TRUE(box->isDragging());
    EXPECT_EQ(box->position().row, 0);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::AltModifier, rowPoint(3));
    EXPECT_EQ(owner.drops, 1);
    EXPECT_FALSE(box->isDragging());
}

// --- Escape, Enter and offered keys -------------------------------------------------------------

TEST_F(TableBoxTest, EscapeInTheEditorCancelsTheDialog)
{
    makeWithFields(1, 2);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.wasCancelled());
}

TEST_F(TableBoxTest, KeepEscapeEndsTheEditWithoutSavingInstead)
{
    makeWithFields(1, 2);
    box->setOption(TCellTableBox::kOptionKeepEscape, true);
    QTest::keyClicks(editor(), "zz");
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(owner.wasCancelled());
    EXPECT_EQ(editor()->text(), "f0r0");
    EXPECT_FALSE(editor()->isModified());
}

TEST_F(TableBoxTest, OfferedKeysReachTheParentAndATakenKeyStopsThere)
{
    makeWithFields(1, 3);
    box->setOption(TCellTableBox::kOptionOfferKeys, true);
    owner.takeKeys = 1;
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(owner.offeredKeys, std::vector<int>{platform::VK_DOWN});
    EXPECT_EQ(box->position().row, 0);
}

TEST_F(TableBoxTest, KeysAreNotOfferedWithoutTheOption)
{
    makeWithFields(1, 3);
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_TRUE(owner.offeredKeys.empty());
    EXPECT_EQ(box->position().row, 1);
}

TEST_F(TableBoxTest, KeptEnterIsNotOfferedAndMovesDown)
{
    makeWithFields(1, 3);
    box->setOption(0x74, true);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(owner.offeredKeys.empty());
    EXPECT_EQ(box->position().row, 1);
}

TEST_F(TableBoxTest, DialogEnterEndsTheEditAndGoesToTheParent)
{
    makeWithFields(1, 3);
    box->setOption(TCellTableBox::kOptionDialog, true);
    QTest::keyClicks(editor(), "q");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(owner.cells[0][0], "qf0r0");
    EXPECT_EQ(box->position().row, 0);
}

TEST_F(TableBoxTest, CtrlUpAndDownAskTheParentToMoveTheRow)
{
    makeWithFields(1, 3);
    box->setOption(TCellTableBox::kOptionRowMoves, true);
    QTest::keyClick(editor(), Qt::Key_Down, Qt::ControlModifier);
    box->send(TCM_SETCURCELL, 0, 1);
    QTest::keyClick(editor(), Qt::Key_Down, Qt::ControlModifier);   // before row 3 is the end
    box->send(TCM_SETCURCELL, 0, 2);
    QTest::keyClick(editor(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(editor(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(owner.moves, (std::vector<std::pair<int, int>>{{2, 0}, {-1, 1}, {-1, 2}, {1, 2}}));
    EXPECT_EQ(box->position().row, 2);
}

// --- row selection ------------------------------------------------------------------------------

TEST_F(TableBoxTest, ShiftClickSelectsFromTheCurrentRowToTheClickedOne)
{
    makeWithFields(1, 5, 4);
    box->send(TCM_SETCURCELL, 0, 1);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, rowPoint(3));
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(box->rowFlags(row) & 1, row >= 1 && row <= 3 ? 1 : 0) << row;
    EXPECT_EQ(box->position().row, 3);
    EXPECT_EQ(owner.commandCount(TBN_SELCHANGE), 1);
}

TEST_F(TableBoxTest, CtrlClickTogglesTheClickedRow)
{
    makeWithFields(1, 5, 4);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
    EXPECT_EQ(box->rowFlags(2) & 1, 1);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
    EXPECT_EQ(box->rowFlags(2) & 1, 0);
    EXPECT_EQ(owner.commandCount(TBN_SELCHANGE), 2);
}

TEST_F(TableBoxTest, ParentCanRefuseTheSelectionChange)
{
    makeWithFields(1, 5, 4);
    owner.refuseSelection = 1;
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
    EXPECT_EQ(box->rowFlags(2) & 1, 0);
    EXPECT_EQ(owner.commandCount(TBN_SELCHANGE), 0);
    EXPECT_EQ(box->position().row, 2);
}

TEST_F(TableBoxTest, WithoutSeveralRowsStyleClicksSelectNothing)
{
    makeWithFields(1, 5);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
    EXPECT_EQ(box->rowFlags(2) & 1, 0);
}

// --- row marks and tool tips --------------------------------------------------------------------

// The image list 2000 picture of a row mark on the header face, as the row header must show it.
QImage markPicture(int mark, const QColor& face)
{
    QImage picture(11, 11, QImage::Format_RGB32);
    picture.fill(face);
    QPainter painter(&picture);
    CellImages().list(0)->draw(painter, mark, QPoint(0, 0));
    return picture;
}

TEST_F(TableBoxTest, RowHeaderMarksTheCurrentEditedAndMarkedRows)
{
    makeWithFields(1, 5, 2);
    owner.show();
    box->send(TCM_SETCURCELL, 0, 1);
    box->send(TCM_MARKROW, 3, 1);
    const QColor face = platform::toQColor(box->colors().headerFace);
    const auto markAt = [&](const QImage& image, int row) {
        const QRect line = box->rowRect(row).translated(box->clientArea().topLeft());
        return image.copy(QRect(1 + 4, line.top() + (line.height() - 11) / 2, 11, 11)).convertToFormat(QImage::Format_RGB32);
    };
    QImage image = box->grab().toImage();
    EXPECT_EQ(markAt(image, 1), markPicture(CellImages::kCurrentRow, face));
    EXPECT_EQ(markAt(image, 3), markPicture(CellImages::kMarkedRow, face));
    EXPECT_EQ(markAt(image, 2), markPicture(-1, face));

    // A changed text not yet stored shows the pencil, until Escape drops it.
    ASSERT_NE(editor(), nullptr);
    QTest::keyClick(editor(), Qt::Key_X);
    image = box->grab().toImage();
    EXPECT_EQ(markAt(image, 1), markPicture(CellImages::kEditedRow, face));
    box->setOption(TCellTableBox::kOptionKeepEscape, true);
    QTest::keyClick(editor(), Qt::Key_Escape);
    image = box->grab().toImage();
    EXPECT_EQ(markAt(image, 1), markPicture(CellImages::kCurrentRow, face));
}

TEST_F(TableBoxTest, ToolTipIsAskedOfTheParentForTheCellUnderTheMouse)
{
    makeWithFields(2, 5);
    owner.show();
    owner.tooltip = "the whole text";
    const QPoint cell = box->clientToWidget(box->cellRect(1, 2).center());
    QHelpEvent onCell(QEvent::ToolTip, cell, box->mapToGlobal(cell));
    QApplication::sendEvent(box, &onCell);
    ASSERT_EQ(owner.tooltipCells.size(), 1u);
    EXPECT_EQ(owner.tooltipCells[0], packCell(1, 2));
    EXPECT_EQ(QToolTip::text(), "the whole text");

    const QPoint header(cell.x(), box->clientArea().top() - 4);
    QHelpEvent onHeader(QEvent::ToolTip, header, box->mapToGlobal(header));
    QApplication::sendEvent(box, &onHeader);
    ASSERT_EQ(owner.tooltipCells.size(), 2u);
    EXPECT_EQ(owner.tooltipCells[1], packCell(1, 0xFFFFFF));

    owner.tooltip.clear();                                  // no text hides the tip
    QApplication::sendEvent(box, &onCell);
    for (int wait = 0; wait < 100 && QToolTip::isVisible(); ++wait)
        QTest::qWait(10);
    EXPECT_FALSE(QToolTip::isVisible());
}

// --- stored column widths -----------------------------------------------------------------------

class TableBoxWidthsTest : public TableBoxTest {
protected:
    std::string stored(const std::string& key, const std::string& section = "Desktop") const
    {
        return framework::readProfileString(framework::settingsFilePath(), section, key, "<none>");
    }
};

TEST_F(TableBoxWidthsTest, WidthsAreKeptUnderDesktopAndRestoredOnTheNextCreation)
{
    makeWithFields(3, 2, 0, "EditFilters");
    EXPECT_EQ(box->widthKey(), "EditFilters_Widths");
    EXPECT_EQ(box->widthSection(), "Desktop");
    box->send(TCM_SETCOLWIDTH, 0, 120);
    box->send(TCM_SETCOLWIDTH, 1, 80);
    box->send(TCM_SETCOLWIDTH, 2, 200);
    delete box;
    EXPECT_EQ(stored("EditFilters_Widths"), "120,80,200");

    makeWithFields(3, 2, 0, "EditFilters");
    EXPECT_EQ(box->columnWidth(0), 120);
    EXPECT_EQ(box->columnWidth(1), 80);
    EXPECT_EQ(box->columnWidth(2), 200);
    EXPECT_TRUE(box->options() & TCellTableBox::kOptionWidthsRestored);
}

TEST_F(TableBoxWidthsTest, MoreStoredValuesThanColumnsRestoreTheFirstOnes)
{
    framework::writeProfileString(framework::settingsFilePath(), "Desktop", "More_Widths", "50,60,70,80");
    makeWithFields(2, 1, 0, "More");
    EXPECT_EQ(box->columnWidth(0), 50);
    EXPECT_EQ(box->columnWidth(1), 60);
}

TEST_F(TableBoxWidthsTest, FewerOrZeroStoredValuesAreIgnored)
{
    for (const char* text : {"50", "50,0", "50,abc"}) {
        framework::writeProfileString(framework::settingsFilePath(), "Desktop", "Few_Widths", text);
        makeWithFields(2, 1, 0, "Few");
        EXPECT_NE(box->columnWidth(0), 50) << text;
        EXPECT_FALSE(box->options() & TCellTableBox::kOptionWidthsRestored) << text;
        box->send(TCM_SETCOLWIDTH, 0, 77);
        delete box;
    }
    EXPECT_TRUE(stored("Few_Widths").starts_with("77,"));
}

TEST_F(TableBoxWidthsTest, OwnSectionAndSettingsFileAreUsed)
{
    testing_support::TempDir folder;
    const std::string file = folder.file("own.ini");
    make();
    box->addField({.caption = "A"});
    box->setUp(1, 0, "Pane", "Layout", file);
    box->send(TCM_SETCOLWIDTH, 0, 99);
    delete box;
    EXPECT_EQ(framework::readProfileString(file, "Layout", "Pane_Widths", ""), "99");
    EXPECT_EQ(stored("Pane_Widths", "Layout"), "<none>");
}

TEST_F(TableBoxWidthsTest, NoKeyKeepsNothing)
{
    makeWithFields(1, 1);
    EXPECT_FALSE(box->keepsWidths());
}

} // namespace
} // namespace grid
