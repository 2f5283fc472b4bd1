#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "framework/profile.h"
#include "framework/scripted_services.h"
#include "grid/cell_table_box.h"
#include "settings/app_settings.h"
#include "settings/color_table.h"
#include "shell/color_combo.h"
#include "shell/colors_page.h"
#include "shell/extended_page.h"
#include "shell/general_page.h"
#include "shell/options_sheet.h"
#include "shell/spin_edit.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace {

using framework::ColorRef;

class OptionsSheetTest : public ::testing::Test {
protected:
    OptionsSheetTest()
    {
        testing_support::useFreshSettingsFile();
        settings::colorTable().reset();
        sheet = std::make_unique<COptionsSheet>(services);
        sheet->show();
        QApplication::setActiveWindow(sheet.get());
    }
    ~OptionsSheetTest() override
    {
        sheet.reset();
        settings::colorTable().reset();
    }

    CGeneralPage& general() { return sheet->generalPage(); }
    CColorsPage& colors() { return sheet->colorsPage(); }
    QCheckBox& ignoreBlanks() { return *sheet->extendedPage().checkBox("&Ignore blanks"); }
    QCheckBox& inlineChanges() { return *sheet->extendedPage().checkBox("&Highlight changes within lines"); }
    int storedInt(const char* key)
    {
        return framework::readProfileInt(framework::settingsFilePath(), "options", key, -999);
    }
    // Opens the colour box's list and takes its entry with the keyboard.
    void chooseColorEntry(int index)
    {
        CColorCombo& box = colors().colorBox();
        box.showPopup();
        box.view()->setCurrentIndex(box.model()->index(index, 0));
        QTest::keyClick(box.view(), Qt::Key_Return);
        QApplication::processEvents();
    }

    testing_support::FreshSettings freshSettings;
    framework::ScriptedServices services;
    std::unique_ptr<COptionsSheet> sheet;
};

// --- the sheet ------------------------------------------------------------------------------

TEST_F(OptionsSheetTest, ThreePagesInOrderAndCtrlTabStepsThroughThemWrapping)
{
    ASSERT_EQ(sheet->tabs().count(), 3);
    EXPECT_EQ(sheet->tabs().tabText(0), "General");
    EXPECT_EQ(sheet->tabs().tabText(1), "Colors");
    EXPECT_EQ(sheet->tabs().tabText(2), "Extended");
    EXPECT_EQ(sheet->currentPage(), &general());
    EXPECT_TRUE(general().isVisible());

    general().tool().setFocus();
    QTest::keyClick(&general().tool(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(sheet->currentPage(), &sheet->extendedPage());
    EXPECT_EQ(sheet->tabs().currentIndex(), 2);
    EXPECT_FALSE(general().isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(sheet->currentPage(), &general());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(sheet->currentPage(), &sheet->extendedPage());
}

TEST_F(OptionsSheetTest, ClickingATabShowsItsPage)
{
    sheet->tabs().setCurrentIndex(1);
    EXPECT_EQ(sheet->currentPage(), &colors());
    EXPECT_TRUE(colors().isVisible());
    sheet->selectPage(7);    // clamped to the last page
    EXPECT_EQ(sheet->currentIndex(), 2);
}

// --- OK and Cancel ---------------------------------------------------------------------------

TEST_F(OptionsSheetTest, OkAppliesEveryPageAndSavesTheGeneralOnes)
{
    general().tabSize().setValue(8);
    general().saveSpaces().setChecked(true);
    general().editDefault().setChecked(true);
    general().flatToolbar().setChecked(true);
    general().tool().setText("/usr/bin/meld");
    ignoreBlanks().setChecked(true);
    ASSERT_TRUE(inlineChanges().isChecked());
    inlineChanges().setChecked(false);
    colors().selectItem(12);
    chooseColorEntry(5);    // 0x00FF00

    sheet->okButton().click();

    const settings::AppSettings& options = settings::appSettings();
    EXPECT_EQ(options.TabSize, 8);
    EXPECT_EQ(options.tabString, std::string(8, ' '));
    EXPECT_EQ(options.UseTab, 0);
    EXPECT_EQ(options.EditDefault, 1);
    EXPECT_EQ(options.Cool, 1);
    EXPECT_EQ(options.DiffTool, "/usr/bin/meld");
    EXPECT_EQ(options.IgnoreBlanks, 1);
    EXPECT_EQ(options.InlineChanges, 0);
    EXPECT_EQ(settings::colorTable().background[settings::kTargetOnlyEntry], 0x00FF00u);
    EXPECT_EQ(storedInt("TabSize"), 8);
    EXPECT_EQ(storedInt("Cool"), 1);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
}

TEST_F(OptionsSheetTest, CancelAppliesNothing)
{
    general().tabSize().setValue(8);
    ignoreBlanks().setChecked(true);
    colors().selectItem(0);
    chooseColorEntry(3);
    sheet->cancelButton().click();
    EXPECT_EQ(settings::appSettings().TabSize, 4);
    EXPECT_EQ(settings::appSettings().IgnoreBlanks, 0);
    EXPECT_EQ(settings::colorTable().text[settings::kSameEntry], 0x000000u);
    EXPECT_EQ(storedInt("TabSize"), -999);
}

TEST_F(OptionsSheetTest, ATabSizeOfSixtyIsStoredAsFortyNine)
{
    general().tabSize().setText("60");
    sheet->okButton().click();
    EXPECT_EQ(settings::appSettings().TabSize, 49);
    EXPECT_EQ(storedInt("TabSize"), 49);
    EXPECT_TRUE(services.messageTexts().empty());
}

TEST_F(OptionsSheetTest, ATabSizeThatIsNoIntegerKeepsItAndTheLaterFieldsButTheRestIsApplied)
{
    general().tabSize().setText("6x");
    general().saveSpaces().setChecked(true);
    general().tool().setText("/bin/true");
    ignoreBlanks().setChecked(true);

    sheet->okButton().click();

    EXPECT_EQ(services.messageTexts(), (std::vector<std::string>{"Please enter an integer."}));
    EXPECT_EQ(settings::appSettings().TabSize, 4);
    EXPECT_EQ(settings::appSettings().UseTab, 1);
    EXPECT_EQ(settings::appSettings().DiffTool, "");
    EXPECT_EQ(settings::appSettings().IgnoreBlanks, 1);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
}

TEST_F(OptionsSheetTest, TheSpinArrowsKeepToTheirRangeButTheTextDoesNot)
{
    general().tabSize().setValue(32);
    general().tabSize().stepBy(1);
    EXPECT_EQ(general().tabSize().value(), 32);
    general().tabSize().setValue(1);
    general().tabSize().stepBy(-1);
    EXPECT_EQ(general().tabSize().value(), 1);
    general().tabSize().setText(" 40 ");
    EXPECT_EQ(general().tabSize().value(), 40);
    general().tabSize().setText("");
    EXPECT_FALSE(general().tabSize().value());
}

// --- General page ----------------------------------------------------------------------------

TEST_F(OptionsSheetTest, BrowseAsksForAProgramAndTakesItsPath)
{
    general().tool().setText("/usr/bin/old");
    services.answerFileDialog("/usr/bin/meld");
    general().browseButton().click();
    ASSERT_EQ(services.fileDialogs().size(), 1u);
    const framework::FileDialogRequest& request = services.fileDialogs()[0];
    EXPECT_EQ(request.title, "Select compare file");
    EXPECT_EQ(request.fileName, "/usr/bin/old");
    EXPECT_TRUE(request.programsOnly);
    EXPECT_TRUE(request.mustExist);
    EXPECT_FALSE(request.folderPanel);
    EXPECT_EQ(general().tool().text(), "/usr/bin/meld");

    services.cancelFileDialog();
    general().browseButton().click();
    EXPECT_EQ(general().tool().text(), "/usr/bin/meld");
}

TEST_F(OptionsSheetTest, TheGeneralPageShowsTheSettings)
{
    sheet.reset();
    settings::appSettings().SetTabSize(7);
    settings::appSettings().UseTab = 0;
    settings::appSettings().Cool = 1;
    settings::appSettings().DiffTool = "/bin/diff";
    sheet = std::make_unique<COptionsSheet>(services);
    EXPECT_EQ(general().tabSize().value(), 7);
    EXPECT_TRUE(general().saveSpaces().isChecked());
    EXPECT_TRUE(general().flatToolbar().isChecked());
    EXPECT_FALSE(general().editDefault().isChecked());
    EXPECT_EQ(general().tool().text(), "/bin/diff");
    EXPECT_FALSE(general().rowHeight().isVisibleTo(&general()));
}

// --- Colors page -----------------------------------------------------------------------------

TEST_F(OptionsSheetTest, TheItemListNamesTenColoursAndTheBoxShowsTheSelectedOne)
{
    QComboBox& items = colors().itemList();
    ASSERT_EQ(items.count(), 10);
    EXPECT_EQ(items.itemText(0), "Same Text");
    EXPECT_EQ(items.itemText(5), "Target Only Background");
    EXPECT_EQ(items.itemText(9), "Edited Background");
    EXPECT_EQ(colors().currentItem(), 0);
    items.setCurrentIndex(3);
    EXPECT_EQ(colors().currentItem(), 11);
    EXPECT_EQ(colors().colorBox().value(), 0xC8C8C8);
    EXPECT_EQ(colors().colorBox().currentIndex(), colors().colorBox().anyColorIndex());
    items.setCurrentIndex(6);
    EXPECT_EQ(colors().colorBox().value(), 0xFF0000);
    EXPECT_EQ(colors().colorBox().currentIndex(), 7);
}

TEST_F(OptionsSheetTest, AClickInTheExampleSelectsTheItemOfItsRow)
{
    sheet->selectPage(1);
    grid::TCellTableBox& example = colors().example();
    const auto click = [&example](int column, int row) {
        QTest::mouseClick(&example, Qt::LeftButton, {}, example.clientToWidget(example.cellRect(column, row).center()));
    };
    click(1, 2);
    EXPECT_EQ(colors().itemList().currentText(), "Target Only Background");
    click(2, 2);
    EXPECT_EQ(colors().itemList().currentText(), "Target Only Text");
    click(0, 2);    // no text there
    EXPECT_EQ(colors().itemList().currentText(), "Target Only Background");
    click(0, 3);
    EXPECT_EQ(colors().itemList().currentText(), "Changed Text");
}

TEST_F(OptionsSheetTest, TheExampleShowsEveryStateInItsColours)
{
    sheet->selectPage(1);
    grid::TCellTableBox& example = colors().example();
    EXPECT_EQ(example.columnCount(), 3);
    EXPECT_EQ(example.rowCount(), 5);
    EXPECT_EQ(std::string(example.column(1).headerText), "Bk");
    const QImage picture = example.grab().toImage();
    const auto pixel = [&](int column, int row) {
        const QRect cell = example.cellRect(column, row);
        return picture.pixelColor(example.clientToWidget(cell.topLeft() + QPoint(cell.width() - 3, 3)));
    };
    EXPECT_EQ(pixel(1, 0), QColor(255, 255, 255));
    EXPECT_EQ(pixel(1, 2), QColor(0xC8, 0xC8, 0xC8));

    colors().selectItem(12);
    chooseColorEntry(5);
    example.updateNow();
    const QImage after = example.grab().toImage();
    const QRect cell = example.cellRect(1, 2);
    EXPECT_EQ(after.pixelColor(example.clientToWidget(cell.topLeft() + QPoint(cell.width() - 3, 3))), QColor(0, 255, 0));
    // The whole example fits: no scrolling.
    EXPECT_EQ(example.position().maxOriginX, 0);
    EXPECT_EQ(example.position().maxOriginY, 0);
}

TEST_F(OptionsSheetTest, DefaultsStandEvenAfterCancel)
{
    sheet.reset();
    settings::colorTable().text[settings::kSourceOnlyEntry] = 0x123456;
    sheet = std::make_unique<COptionsSheet>(services);
    colors().selectItem(1);
    EXPECT_EQ(colors().colorBox().value(), 0x123456);

    colors().defaultsButton().click();
    EXPECT_EQ(colors().colorOf(1), 0x106000u);
    EXPECT_EQ(colors().colorBox().value(), 0x106000);
    sheet->cancelButton().click();
    EXPECT_EQ(settings::colorTable().text[settings::kSourceOnlyEntry], 0x106000u);
}

// --- the colour box --------------------------------------------------------------------------

TEST_F(OptionsSheetTest, CancelInTheColourDialogKeepsThePreviousColour)
{
    colors().selectItem(11);
    CColorCombo& box = colors().colorBox();
    box.setValue(0x0000FF);
    services.answerColor(std::nullopt);
    chooseColorEntry(box.anyColorIndex());
    ASSERT_EQ(services.colorDialogs().size(), 1u);
    EXPECT_EQ(services.colorDialogs()[0], 0x0000FFu);    // starts from the remembered colour
    EXPECT_EQ(box.value(), 0x0000FF);
    EXPECT_EQ(box.currentIndex(), 3);
    EXPECT_EQ(colors().colorOf(11), 0xC8C8C8u);
}

TEST_F(OptionsSheetTest, AColourFromTheDialogIsKeptInItsEntry)
{
    colors().selectItem(3);
    CColorCombo& box = colors().colorBox();
    services.answerColor(0x345678);
    chooseColorEntry(box.anyColorIndex());
    EXPECT_EQ(box.value(), 0x345678);
    EXPECT_EQ(box.valueAt(box.anyColorIndex()), 0x345678);
    EXPECT_EQ(colors().colorOf(3), 0x345678u);

    box.setValue(0xFFFFFF);    // white has its own entry before the chosen one
    EXPECT_EQ(box.currentIndex(), CColorCombo::kFixedColors);
}

TEST_F(OptionsSheetTest, MovingTheClosedBoxOntoTheLastEntryOpensNoDialogButChoosingItDoes)
{
    colors().selectItem(3);
    CColorCombo& box = colors().colorBox();
    const std::vector<std::function<void()>> moves = {
        [&] { QTest::keyClick(&box, Qt::Key_End); },
        [&] {
            box.setCurrentIndex(box.anyColorIndex() - 1);
            QTest::keyClick(&box, Qt::Key_Down);
        },
        [&] {
            box.setCurrentIndex(box.anyColorIndex() - 1);
            QWheelEvent wheel(QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&box, &wheel);
        },
    };
    for (const auto& move : moves) {
        box.setCurrentIndex(0);
        move();
        EXPECT_EQ(box.currentIndex(), box.anyColorIndex());
        EXPECT_TRUE(services.colorDialogs().empty());
    }
    services.answerColor(0x123456);
    chooseColorEntry(box.anyColorIndex());
    EXPECT_EQ(services.colorDialogs().size(), 1u);
    EXPECT_EQ(colors().colorOf(3), 0x123456u);
}

TEST(ColorCombo, EntriesAsAskedAndValuesSelectTheirEntry)
{
    framework::ScriptedServices services;
    CColorCombo plain(services, {});
    EXPECT_EQ(plain.count(), 21);
    EXPECT_EQ(plain.anyColorIndex(), -1);
    EXPECT_EQ(plain.valueAt(0), 0x000000);
    EXPECT_EQ(plain.valueAt(10), 0xF0C8A4);
    EXPECT_EQ(plain.valueAt(20), 0x800000);
    plain.setValue(0x123456);    // not in the list and no entry to take it
    EXPECT_EQ(plain.currentIndex(), -1);

    CColorCombo all(services, {.defaultColor = true, .customName = "Window", .white = true, .anyColor = true});
    ASSERT_EQ(all.count(), 25);
    EXPECT_EQ(all.valueAt(21), CColorCombo::kDefaultColor);
    EXPECT_EQ(all.valueAt(22), CColorCombo::kCustomColor);
    EXPECT_EQ(all.valueAt(23), 0xFFFFFF);
    EXPECT_EQ(all.anyColorIndex(), 24);
    all.setValue(0x123456);
    EXPECT_EQ(all.currentIndex(), 24);
    all.setValue(CColorCombo::kDefaultColor);
    EXPECT_EQ(all.currentIndex(), 21);
    EXPECT_EQ(all.valueAt(24), 0x123456);
}

} // namespace
