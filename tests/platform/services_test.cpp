#include <gtest/gtest.h>

#include <QFontInfo>
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

TEST(DisplayText, InvalidUtf8ShowsEachByteAsLatin1)
{
    EXPECT_EQ(displayText("gr\xC3\xBCn"), QString::fromUtf8("gr\xC3\xBCn"));
    const QString latin = displayText("gr\xFCn");
    ASSERT_EQ(latin.size(), 4);
    EXPECT_EQ(latin[2].unicode(), 0xFC);
    EXPECT_EQ(displayText(std::string_view("a\0b", 3)).size(), 3);
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
