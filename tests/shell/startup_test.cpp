#include <filesystem>

#include "framework/command_ids.h"
#include "framework/profile.h"
#include "panes/bivalo_view.h"
#include "tests/shell/running_app.h"

namespace {

using namespace framework;
using testing_support::RunningApp;

// --- start-up ---------------------------------------------------------------------------

using StartUp = RunningApp;

TEST_F(StartUp, TwoNamesOpenThePairInAMaximizedWindowWithoutAsking)
{
    start({left, right});
    EXPECT_EQ(frame().windowTitle(), "Bivalo 1.15");
    EXPECT_TRUE(frame().isVisible());
    EXPECT_TRUE(frame().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(doc().source().path(), left);
    EXPECT_EQ(doc().destination().path(), right);
    EXPECT_EQ(doc().rowCount(), 3);
    EXPECT_TRUE(services.fileDialogs().empty());
    EXPECT_TRUE(services.messageTexts().empty());
}

TEST_F(StartUp, OnAPairTheCopiesWaitForEditModeAndTheOtherCommandsAreEnabled)
{
    start({left, right});
    // The copies wait for edit mode.
    for (const CommandId id : { ID_COPY_DIFF_TO_TARGET, ID_COPY_LINE_TO_SOURCE })
        EXPECT_FALSE(frame().router().isEnabled(id)) << id;
    for (const CommandId id : { ID_EASY_JOIN, ID_RESCAN, ID_COMPARE_FILES, ID_FONT, ID_OPTIONS, ID_HIDDEN, ID_NO_SYNC,
                                ID_EDIT_MODE, ID_FILE_SAVE_AS, ID_NEXT_DIFF, ID_PREV_DIFF })
        EXPECT_TRUE(frame().router().isEnabled(id)) << id;
}

TEST_F(StartUp, OneNameIsNotUsedAndThePairSelectionStarts)
{
    services.cancelFileDialog();
    start({left});
    ASSERT_EQ(services.fileDialogs().size(), 1u);
    EXPECT_EQ(services.fileDialogs()[0].title, core::CBivaloDoc::kSelectFirstFile);
    EXPECT_EQ(doc().rowCount(), 0);
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(StartUp, NoNameStartsThePairSelectionAndItsChoiceOpens)
{
    services.answerFileDialog(left);
    services.answerFileDialog(right);
    start({});
    ASSERT_EQ(services.fileDialogs().size(), 2u);
    EXPECT_EQ(services.fileDialogs()[1].title, core::CBivaloDoc::kSelectPairFor + left);
    EXPECT_EQ(doc().source().path(), left);
    EXPECT_EQ(doc().destination().path(), right);
}

TEST_F(StartUp, MissingSourceIsReportedThenThePairSelectionStarts)
{
    services.cancelFileDialog();
    start({dir.file("missing.txt"), right});
    ASSERT_EQ(services.messageTexts().size(), 1u);
    EXPECT_EQ(services.messageTexts()[0], std::string(core::CBivaloDoc::kSourceNotFound) + "\n"
                                              + dir.file("missing.txt") + "\nNo such file or directory");
    ASSERT_EQ(services.fileDialogs().size(), 1u);
    EXPECT_EQ(services.fileDialogs()[0].title, core::CBivaloDoc::kSelectFirstFile);
    EXPECT_EQ(doc().rowCount(), 0);
}

TEST_F(StartUp, FolderInPlaceOfTheTargetTakesTheFileOfTheSameName)
{
    std::filesystem::create_directories(dir.path() / "old");
    const std::string inFolder = dir.write("old/left.txt", "a\nB\nc\n");
    start({left, dir.file("old")});
    EXPECT_EQ(doc().destination().path(), inFolder);
    EXPECT_EQ(doc().rowCount(), 3);
    EXPECT_TRUE(services.fileDialogs().empty());
}

TEST_F(StartUp, FolderInPlaceOfTheSourceTakesTheFileOfTheSameName)
{
    std::filesystem::create_directories(dir.path() / "old");
    const std::string inFolder = dir.write("old/right.txt", "a\nY\nc\n");
    start({dir.file("old") + "/", right});
    EXPECT_EQ(doc().source().path(), inFolder);
    EXPECT_EQ(doc().destination().path(), right);
}

TEST_F(StartUp, TheLastOfFourNamesBecomesTheResultFile)
{
    start({left, right, dir.file("third.txt"), "-x", dir.file("fourth.txt")});
    EXPECT_EQ(doc().rowCount(), 3);
    EXPECT_EQ(doc().resultFile(), dir.file("fourth.txt"));
}

TEST_F(StartUp, SettingsAreWrittenAtExit)
{
    start({left, right});
    settings::appSettings().SetTabSize(7);
    app->exitInstance();
    EXPECT_EQ(readProfileInt(settingsFilePath(), "options", "TabSize", -1), 7);
}

// --- identical files at the first comparison -------------------------------------------------

using FirstComparison = RunningApp;

TEST_F(FirstComparison, IdenticalFilesSayItAndCloseTheProgram)
{
    const std::string copy = dir.write("copy.txt", "a\nb\nc\n");
    start({left, copy});
    ASSERT_EQ(services.messageTexts().size(), 1u);
    EXPECT_EQ(services.messageTexts()[0], panes::CBivaloView::kFilesIdentical);
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(FirstComparison, ShiftHeldKeepsTheProgramOpen)
{
    const std::string copy = dir.write("copy.txt", "a\nb\nc\n");
    services.setShiftDown(true);
    start({left, copy});
    EXPECT_EQ(services.messageTexts().size(), 1u);
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(FirstComparison, IdenticalPairChosenInTheDialogAtStartAlsoCloses)
{
    const std::string copy = dir.write("copy.txt", "a\nb\nc\n");
    services.answerFileDialog(left);
    services.answerFileDialog(copy);
    start({});
    QApplication::processEvents();
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{panes::CBivaloView::kFilesIdentical});
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(FirstComparison, RescanThatFindsIdenticalFilesNeverCloses)
{
    start({left, right});
    dir.write("right.txt", "a\nb\nc\n");
    frame().routeCommand(ID_RESCAN);
    QApplication::processEvents();
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{panes::CBivaloView::kFilesIdentical});
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(FirstComparison, DifferenceInBlanksOnlyNeverCloses)
{
    writeProfileInt(settingsFilePath(), "options", "IgnoreBlanks", 1);
    const std::string spaced = dir.write("spaced.txt", "a\nb  b\nc\n");
    const std::string single = dir.write("single.txt", "a\nb b\nc\n");
    start({spaced, single});
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{panes::CBivaloView::kBlanksOnly});
    EXPECT_TRUE(frame().isVisible());
}

} // namespace
