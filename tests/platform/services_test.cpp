#include <gtest/gtest.h>

#include <QApplication>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QThread>
#include <filesystem>

#include "tests/support/temp_dir.h"

#include "platform/display_text.h"
#include "platform/file_dialog.h"
#include "platform/font_conversion.h"
#include "platform/qt_services.h"

namespace platform {
namespace {

TEST(QtServices, FilterTextBecomesQtNameFilters)
{
    const QStringList filters = QtServices::nameFilters("Text files|*.txt; *.log|All files|*.*||");
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Text files (*.txt *.log)"));
    EXPECT_EQ(filters[1], QStringLiteral("All files (*)"));
    EXPECT_TRUE(QtServices::nameFilters("").isEmpty());
}

TEST(QtServices, EveryFilterKeepsItsPlaceAndEachMaskIsOnePattern)
{
    struct Case {
        std::string filter;
        QStringList names;
        std::vector<QStringList> patterns;
    };
    const std::vector<Case> cases = {
        {"|*.md|Text|*.txt||", {"*.md (*.md)", "Text (*.txt)"}, {{"*.md"}, {"*.txt"}}},
        {"Notes|my notes.txt; *.log||", {"Notes (my notes.txt *.log)"}, {{"my notes.txt", "*.log"}}},
        {"Drafts|(draft)*; Gr\xC3\xB6\xC3\x9F" "e*||", {"Drafts ((draft)* Gr\u00F6\u00DFe*)"}, {{"(draft)*", "Gr\u00F6\u00DFe*"}}},
        {"All|*.*|Empty| ||", {"All (*)", "Empty (*)"}, {{"*"}, {"*"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtServices::nameFilters(c.filter), c.names) << c.filter;
        EXPECT_EQ(QtServices::filterPatterns(c.filter), c.patterns) << c.filter;
    }
}

// The files the dialog lists in its folder, once its model has read them.
QStringList listedFiles(const FileDialog& dialog, const QString& folder, const QStringList& expected)
{
    const auto* files = dialog.findChild<QFileSystemModel*>();
    QStringList names;
    for (int attempt = 0; attempt < 150 && names != expected; ++attempt) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
        const QModelIndex root = files->index(folder);
        names.clear();
        for (int row = 0; row < files->rowCount(root); ++row)
            names << files->fileName(files->index(row, 0, root));
        names.sort();
    }
    return names;
}

TEST(FileDialog, ListsTheFilesOfEveryMaskAndStartsOnTheFilterForAllFiles)
{
    testing_support::TempDir dir;
    for (const char* name : {"my notes.txt", "Gr\xC3\xB6\xC3\x9F" "e.txt", "(draft) plan", "other.bin"})
        dir.write(name, "x\n");
    const QString folder = QString::fromStdString(dir.path().string());
    framework::FileDialogRequest request;
    request.folder = dir.path().string();
    request.filter = "Blank|my notes.txt|Letters|Gr\xC3\xB6\xC3\x9F*|Paren|(draft)*|All Files|*.*||";
    FileDialog dialog(request);
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("All Files (*)"));
    const QStringList all = {"(draft) plan", "Gr\u00F6\u00DFe.txt", "my notes.txt", "other.bin"};
    EXPECT_EQ(listedFiles(dialog, folder, all), all);

    const std::vector<QStringList> perFilter = {{"my notes.txt"}, {"Gr\u00F6\u00DFe.txt"}, {"(draft) plan"}};
    for (std::size_t i = 0; i < perFilter.size(); ++i) {
        dialog.selectNameFilter(dialog.nameFilters().at(int(i)));
        emit dialog.filterSelected(dialog.nameFilters().at(int(i)));
        EXPECT_EQ(listedFiles(dialog, folder, perFilter[i]), perFilter[i]) << i;
    }
}

TEST(FileDialog, StartsOnTheFilterAskedForAndOffersAllFilesWhenTheListHasNone)
{
    framework::FileDialogRequest request;
    request.filter = "C++|*.cpp|Text|*.txt||";
    FileDialog withoutAll(request);
    EXPECT_EQ(withoutAll.nameFilters().size(), 3);
    EXPECT_EQ(withoutAll.selectedNameFilter(), QStringLiteral("All Files (*)"));
    request.filterIndex = 1;
    FileDialog lastUsed(request);
    EXPECT_EQ(lastUsed.selectedNameFilter(), QStringLiteral("Text (*.txt)"));
}

TEST(FileDialog, AProgramIsAFileThatCanBeRunAndOnlyProgramsAreListedUnderTheFirstFilter)
{
    testing_support::TempDir dir;
    const std::string script = dir.write("tool.sh", "#!/bin/sh\n");
    const std::string text = dir.write("notes.txt", "x\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    EXPECT_TRUE(FileDialog::isProgram(QString::fromStdString(script)));
    EXPECT_FALSE(FileDialog::isProgram(QString::fromStdString(text)));
    EXPECT_FALSE(FileDialog::isProgram(QString::fromStdString(dir.path().string())));

    framework::FileDialogRequest request;
    request.filter = "Executables|*|All Files (*.*)|*.*||";
    request.programsOnly = true;
    FileDialog dialog(request);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.filter().testFlag(QDir::Executable));
    dialog.selectNameFilter(dialog.nameFilters().at(1));
    emit dialog.filterSelected(dialog.nameFilters().at(1));
    EXPECT_FALSE(dialog.filter().testFlag(QDir::Executable));
    EXPECT_TRUE(dialog.filter().testFlag(QDir::AllDirs));
}

TEST(QtServices, ClipboardKeepsUtf8)
{
    QtServices services;
    services.setClipboardText("gr\xC3\xBC\x6E");
    EXPECT_EQ(services.clipboardText(), "gr\xC3\xBCn");
}

TEST(QtServices, NoProgramStartsNothing)
{
    QtServices services;
    EXPECT_FALSE(services.startDetached({}));
    EXPECT_FALSE(services.startDetached({""}));
}

// Bytes that are no UTF-8 are painted as escapes and come back as the same bytes from an
// edit that leaves them alone, beside characters of every length.
TEST(DisplayText, StrayBytesShowAsEscapesAndAreStoredBack)
{
    EXPECT_EQ(displayText("gr\xC3\xBCn"), QString::fromUtf8("gr\xC3\xBCn"));
    EXPECT_EQ(displayText(std::string_view("a\0b", 3)).size(), 3);
    EXPECT_EQ(visibleText("gr\xFCn \xFF\xFE"), QStringLiteral("gr\\xFCn \\xFF\\xFE"));
    for (const std::string bytes : {"gr\xFCn", "\xFF\xFE caf\xC3\xA9", "\xE2\x82 \xF0\x9F\x98\x80\xC3", "plain"}) {
        QString edited = displayText(bytes);
        EXPECT_EQ(storedText(edited), bytes);
        edited.prepend(QLatin1Char('Y'));
        EXPECT_EQ(storedText(edited), "Y" + bytes);
    }
}

TEST(FontConversion, MissingFaceFallsBackAndHeightIsInPixels)
{
    framework::LogFont logFont;
    logFont.Height = -13;
    logFont.Weight = 700;
    logFont.FaceName = "MS Sans Serif";
    const QFont font = toQFont(logFont);
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_EQ(QFontInfo(font).pixelSize(), 13);
    const framework::LogFont back = toLogFont(font);
    EXPECT_EQ(back.Height, -13);
    EXPECT_EQ(back.Weight, 700);
    EXPECT_EQ(toQFont(back).family(), font.family());
}

} // namespace
} // namespace platform
