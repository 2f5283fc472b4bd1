#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "framework/profile.h"
#include "framework/scripted_services.h"
#include "grid/cell_messages.h"
#include "grid/cell_table_box.h"
#include "platform/qt_services.h"
#include "settings/app_settings.h"
#include "settings/filter_list.h"
#include "shell/filter_editor.h"
#include "shell/general_page.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace {

using settings::FileFilter;
using settings::FilterList;

class FilterEditorTest : public ::testing::Test {
protected:
    FilterEditorTest()
    {
        testing_support::useFreshSettingsFile();
        filters.append(FileFilter("One", "*.1"));
        filters.append(FileFilter("Two", "*.2"));
        filters.append(FileFilter("Three", "*.3"));
        editor = std::make_unique<CFilterEditor>(filters);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        editor->grid().setFocus();
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const FileFilter& filter : filters.filters())
            result.push_back(filter.name());
        return result;
    }
    // The grid's keys go through its in-cell editor, which holds the focus.
    QWidget* keys() const { return editor->grid().activeEditor(); }
    void selectRow(int row) { editor->grid().send(grid::TCM_SETCURCELL, 0, row); }
    int currentRow() const { return editor->grid().position().row; }

    FilterList filters;
    std::unique_ptr<CFilterEditor> editor;
};

TEST_F(FilterEditorTest, UpOnTheFirstMakesItTheLastAndTheRowFollows)
{
    selectRow(0);
    editor->upButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"Two", "Three", "One"}));
    EXPECT_EQ(currentRow(), 2);
    editor->upButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"Two", "One", "Three"}));
    EXPECT_EQ(currentRow(), 1);
}

TEST_F(FilterEditorTest, DownOnTheLastMakesItTheFirstAndOnTheSecondTheThird)
{
    selectRow(2);
    editor->downButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"Three", "One", "Two"}));
    EXPECT_EQ(currentRow(), 0);
    selectRow(1);
    editor->downButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"Three", "Two", "One"}));
    EXPECT_EQ(currentRow(), 2);
}

TEST_F(FilterEditorTest, CtrlDownMovesRowsAsTheDownButtonDoes)
{
    selectRow(1);
    QTest::keyClick(keys(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(names(), (std::vector<std::string>{"One", "Three", "Two"}));
    EXPECT_EQ(currentRow(), 2);
    selectRow(0);
    QTest::keyClick(keys(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(names(), (std::vector<std::string>{"Three", "Two", "One"}));
}

TEST_F(FilterEditorTest, AFilterAloneIsNotMoved)
{
    editor.reset();
    filters.removeAt(2);
    filters.removeAt(1);
    editor = std::make_unique<CFilterEditor>(filters);
    editor->upButton().click();
    editor->downButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"One"}));
}

TEST_F(FilterEditorTest, AddAppendsAnEmptyFilterAsTheCurrentRow)
{
    editor->addButton().click();
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters.at(3), FileFilter());
    EXPECT_EQ(filters.at(3).masks(), (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(editor->grid().rowCount(), 4);
    EXPECT_EQ(currentRow(), 3);
}

TEST_F(FilterEditorTest, DeletingEveryFilterDisablesTheButtonsThatNeedARow)
{
    selectRow(1);
    editor->deleteButton().click();
    EXPECT_EQ(names(), (std::vector<std::string>{"One", "Three"}));
    EXPECT_EQ(editor->grid().rowCount(), 2);
    editor->deleteButton().click();
    editor->deleteButton().click();
    EXPECT_TRUE(filters.empty());
    EXPECT_FALSE(editor->deleteButton().isEnabled());
    EXPECT_FALSE(editor->upButton().isEnabled());
    EXPECT_FALSE(editor->downButton().isEnabled());
    EXPECT_TRUE(editor->addButton().isEnabled());
    editor->deleteButton().click();    // nothing to delete
    editor->addButton().click();
    EXPECT_TRUE(editor->deleteButton().isEnabled());
}

TEST_F(FilterEditorTest, AnEditStillInItsCellIsKeptAtClose)
{
    selectRow(1);
    QTest::keyClicks(keys(), "Zip");
    ASSERT_EQ(editor->grid().editMode(), grid::TCellTableBox::EditMode::Edit);
    editor->closeButton().click();
    EXPECT_EQ(filters.at(1).name().substr(0, 3), "Zip");
    EXPECT_EQ(editor->result(), QDialog::Accepted);
}

TEST_F(FilterEditorTest, EnterInTheGridPressesCloseAndEscapeRejects)
{
    QTest::keyClick(keys(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Accepted);

    editor->show();
    editor->grid().setFocus();
    QTest::keyClick(keys(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Rejected);
}

TEST_F(FilterEditorTest, ColumnWidthsAreKeptUnderTheirName)
{
    editor->grid().send(grid::TCM_SETCOLWIDTH, 0, 140);
    editor->grid().send(grid::TCM_SETCOLWIDTH, 1, 90);
    editor.reset();
    EXPECT_EQ(framework::readProfileString(framework::settingsFilePath(), "Desktop", "EditFilters_Widths", ""),
              "140,90");
    editor = std::make_unique<CFilterEditor>(filters);
    EXPECT_EQ(editor->grid().columnWidth(0), 140);
}

class EditFiltersTest : public ::testing::Test {
protected:
    EditFiltersTest()
    {
        testing_support::useFreshSettingsFile();
        settings::appSettings().Load();
    }

    // Runs the editor from the General page, doing this to it while it is up.
    void editFilters(const std::function<void(CFilterEditor&)>& action)
    {
        QTimer::singleShot(0, [action] {
            auto* editor = dynamic_cast<CFilterEditor*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            action(*editor);
            editor->closeButton().click();
        });
        CGeneralPage page(services);
        page.filtersButton().click();
    }

    testing_support::FreshSettings freshSettings;
    framework::ScriptedServices services;
};

TEST_F(EditFiltersTest, TheNextFileDialogSeesTheNewListAndAnEmptyMaskOffersEveryFile)
{
    ASSERT_EQ(settings::appSettings().GetFilterString(),
              "C++ files (cpp/h/rc/inl)|*.cpp; *.h; *.rc; *.inl|Text files (me/txt)|*.me; *.txt|All Files|*.*||");
    editFilters([](CFilterEditor& editor) {
        editor.grid().send(grid::TCM_SETCURCELL, 0, 0);
        editor.deleteButton().click();
        editor.deleteButton().click();
        editor.addButton().click();
        QTest::keyClicks(editor.grid().activeEditor(), "Any");
    });
    const std::string text = settings::appSettings().GetFilterString();
    EXPECT_EQ(text, "All Files|*.*|Any|*.*||");
    EXPECT_EQ(platform::QtServices::nameFilters(text), (QStringList{"All Files (*)", "Any (*)"}));
}

TEST_F(EditFiltersTest, DeletingEveryFilterGivesTheThreeDefaultsAtTheNextStart)
{
    editFilters([](CFilterEditor& editor) {
        for (int i = 0; i < 3; ++i)
            editor.deleteButton().click();
    });
    ASSERT_TRUE(settings::appSettings().Filters.empty());
    settings::appSettings().Save();

    settings::appSettings() = settings::AppSettings();
    settings::appSettings().Load();
    ASSERT_EQ(settings::appSettings().Filters.size(), 3);
    EXPECT_EQ(settings::appSettings().Filters.at(2).name(), "All Files");
}

} // namespace
