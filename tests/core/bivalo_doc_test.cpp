#include <algorithm>
#include <filesystem>

#include "doc_test_fixture.h"
#include "framework/command_ids.h"
#include "framework/update_hints.h"

namespace {

using namespace framework;
using core_testing::DocFixture;
using core_testing::RecordingWindow;
using Hints = std::vector<int>;

using LoadAndCompare = DocFixture;

TEST_F(LoadAndCompare, SendsComparedThenActivateAndFocusesTheActiveView)
{
    bool busyDuringCompare = false;
    bool closableDuringCompare = true;
    view.react = [&](int hint, void*) {
        if (hint == kHintCompared) {
            busyDuringCompare = doc.busy();
            closableDuringCompare = doc.canCloseFrame();
        }
    };
    const std::string a = dir.write("a.txt", "one\ntwo\n");
    const std::string b = dir.write("b.txt", "one\n2\n");

    ASSERT_TRUE(doc.loadAndCompare(a, b));

    EXPECT_EQ(view.hints, (Hints { kHintCompared, kHintActivateSource }));
    EXPECT_TRUE(busyDuringCompare);
    EXPECT_FALSE(closableDuringCompare);
    EXPECT_FALSE(doc.busy());
    EXPECT_FALSE(services.waitCursor());
    EXPECT_EQ(host.dispatched, 1);
    EXPECT_EQ(host.focused, 1);
    EXPECT_FALSE(doc.firstComparison());
    EXPECT_EQ(doc.rowCount(), 2) << "the changed lines face each other";
    EXPECT_EQ(doc.source().path(), a);
    EXPECT_TRUE(services.messages().empty());
}

TEST_F(LoadAndCompare, AMissingSourceIsReportedAndTheShownPairStaysIntact)
{
    loadPair("one\ntwo\n", "one\n2\n");
    const auto rowsBefore = doc.sourceRows();
    const std::string pathBefore = doc.source().path();

    EXPECT_FALSE(doc.loadAndCompare(dir.file("missing.txt"), dir.write("c.txt", "x\n")));

    EXPECT_EQ(services.messageTexts(), std::vector<std::string> {
        "Source File Not Found!\n" + dir.file("missing.txt") + "\nNo such file or directory" });
    EXPECT_EQ(services.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(doc.source().path(), pathBefore);
    EXPECT_EQ(doc.sourceRows(), rowsBefore);
    EXPECT_FALSE(doc.busy());
    EXPECT_FALSE(services.waitCursor());
}

TEST_F(LoadAndCompare, AMissingTargetLeavesTheOldSourceInPlace)
{
    loadPair("one\ntwo\n", "one\n2\n");
    const std::string oldSource = doc.source().path();

    EXPECT_FALSE(doc.loadAndCompare(dir.write("new.txt", "new\n"), dir.file("gone.txt")));

    EXPECT_EQ(services.messageTexts(), std::vector<std::string> {
        "Destination File Not Found!\n" + dir.file("gone.txt") + "\nNo such file or directory" });
    EXPECT_EQ(doc.source().path(), oldSource);
    EXPECT_EQ(text(doc.source(), 0), "one");
    EXPECT_EQ(doc.rowCount(), 2);
}

TEST_F(LoadAndCompare, ARelativeNameBecomesTheFullPath)
{
    const std::string a = dir.write("a.txt", "x\n");
    dir.write("b.txt", "x\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool loaded = doc.loadAndCompare("a.txt", "./b.txt");
    std::filesystem::current_path(previous);

    ASSERT_TRUE(loaded);
    EXPECT_EQ(doc.source().path(), a);
    EXPECT_EQ(doc.destination().path(), dir.file("b.txt"));
}

TEST_F(LoadAndCompare, TheSavedFontIsAppliedOnlyAtTheFirstComparison)
{
    auto& settings = settings::appSettings();
    settings.FontValid = 1;
    settings.Font.FaceName = "DejaVu Sans Mono";
    const LogFont* sent = nullptr;
    view.react = [&](int hint, void* object) {
        if (hint == kHintSetFont)
            sent = static_cast<const LogFont*>(object);
    };
    loadPair("x\n", "x\n");
    doc.loadAndCompare(doc.source().path(), doc.destination().path());

    EXPECT_EQ(view.hints, (Hints { kHintCompared, kHintActivateSource }));
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->FaceName, "DejaVu Sans Mono");
}

TEST_F(LoadAndCompare, EditDefaultSetsEditModeAtEveryComparisonAndNeverClearsIt)
{
    loadPair("a\n", "b\n");
    EXPECT_FALSE(doc.editMode());
    doc.setEditMode(true);
    router.execute(ID_RESCAN);
    EXPECT_TRUE(doc.editMode()) << "a rescan keeps the edit mode the user had";

    doc.setEditMode(false);
    settings::appSettings().EditDefault = 1;
    router.execute(ID_RESCAN);
    EXPECT_TRUE(doc.editMode());
}

TEST_F(LoadAndCompare, TheWatcherReportsOutsideChangesOfThePairToTheMainWindow)
{
    loadPair("a\n", "b\n");
    doc.watcher().OnActivateApp(false);
    std::filesystem::last_write_time(doc.destination().path(),
                                     std::filesystem::last_write_time(doc.destination().path()) + std::chrono::seconds(3));
    doc.watcher().OnActivateApp(true);

    ASSERT_EQ(host.window.posted.size(), 1u);
    EXPECT_EQ(host.window.posted[0], (RecordingWindow::Posted { WM_FILE_CHANGED, 1, 1 }));
}

using CompareFilesCommand = DocFixture;

TEST_F(CompareFilesCommand, AsksForBothFilesWithTitlesFoldersAndThePrefilledName)
{
    settings::appSettings().SrcDir = "/srv/start";
    std::filesystem::create_directories(dir.path() / "left");
    std::filesystem::create_directories(dir.path() / "right");
    const std::string a = dir.write("left/x.txt", "1\n");
    const std::string b = dir.write("right/x.txt", "2\n");
    services.answerFileDialog(a, true);
    services.answerFileDialog(b, false);

    EXPECT_TRUE(router.execute(ID_COMPARE_FILES));

    ASSERT_EQ(services.fileDialogs().size(), 2u);
    const FileDialogRequest& first = services.fileDialogs()[0];
    EXPECT_EQ(first.title, "Select first file");
    EXPECT_EQ(first.folder, "/srv/start");
    EXPECT_TRUE(first.mustExist);
    EXPECT_FALSE(first.save);
    EXPECT_TRUE(first.showReadOnly);
    EXPECT_TRUE(first.folderPanel);
    EXPECT_EQ(first.filter, settings::appSettings().GetFilterString());
    const FileDialogRequest& second = services.fileDialogs()[1];
    EXPECT_EQ(second.title, "Select pair for : " + a);
    EXPECT_EQ(second.folder, dir.file("left"));
    EXPECT_EQ(second.fileName, "x.txt");
    EXPECT_TRUE(second.folderPanel);
    EXPECT_TRUE(doc.sourceReadOnly());
    EXPECT_FALSE(doc.destinationReadOnly());
    EXPECT_EQ(doc.destination().path(), b);
    EXPECT_EQ(settings::appSettings().Dirs.FindPartner(dir.file("left")), dir.file("right"));
}

TEST_F(CompareFilesCommand, TheHistoryChoosesBothStartingFolders)
{
    auto& dirs = settings::appSettings().Dirs;
    dirs.AddPair("/old/src", "/old/dst");
    dirs.AddPair(dir.file("a"), dir.file("b"));
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    services.answerFileDialog(dir.write("a/x.txt", "1\n"));
    services.answerFileDialog(dir.write("b/x.txt", "1\n"));

    router.execute(ID_COMPARE_FILES);

    EXPECT_EQ(services.fileDialogs()[0].folder, dir.file("a"));
    EXPECT_EQ(services.fileDialogs()[1].folder, dir.file("b"));
}

TEST_F(CompareFilesCommand, FirstUseStartsWhereTheDialogDecidesAndAReversedPairProposesTheSource)
{
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    services.answerFileDialog(dir.write("a/x.txt", "1\n"));
    services.answerFileDialog(dir.write("b/x.txt", "1\n"));
    router.execute(ID_COMPARE_FILES);
    EXPECT_EQ(services.fileDialogs()[0].folder, "");

    services.answerFileDialog(dir.file("b/x.txt"));
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);

    ASSERT_EQ(services.fileDialogs().size(), 4u);
    EXPECT_EQ(services.fileDialogs()[3].folder, dir.file("a"));
    EXPECT_EQ(services.fileDialogs()[3].fileName, "x.txt");
}

TEST_F(CompareFilesCommand, WithShiftHeldThePairIsComparedButNotRemembered)
{
    services.answerFileDialog(dir.write("a.txt", "1\n"));
    services.answerFileDialog(dir.write("b.txt", "1\n"));
    services.setShiftDown(true);

    router.execute(ID_COMPARE_FILES);

    EXPECT_EQ(doc.rowCount(), 1);
    EXPECT_TRUE(settings::appSettings().Dirs.empty());
}

TEST_F(CompareFilesCommand, TheDialogsStartOnTheFilterLastUsed)
{
    services.answerFileDialog(framework::FileDialogResult{dir.write("a.txt", "1\n"), false, 1});
    services.answerFileDialog(framework::FileDialogResult{dir.write("b.txt", "1\n"), false, 2});
    router.execute(ID_COMPARE_FILES);
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);

    ASSERT_EQ(services.fileDialogs().size(), 3u);
    EXPECT_EQ(services.fileDialogs()[0].filterIndex, -1) << "the filter for all files";
    EXPECT_EQ(services.fileDialogs()[1].filterIndex, 1);
    EXPECT_EQ(services.fileDialogs()[2].filterIndex, 2);
    EXPECT_EQ(settings::appSettings().Filters.current(), 2) << "kept in the settings file";
}

TEST_F(CompareFilesCommand, CancelInEitherDialogChangesNothingButThePendingFile)
{
    loadPair("a\n", "b\n");
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);
    services.answerFileDialog(dir.write("c.txt", "c\n"));
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);

    EXPECT_EQ(services.fileDialogs().size(), 3u);
    EXPECT_EQ(doc.source().path(), dir.file("a.txt"));
    EXPECT_EQ(std::count(view.hints.begin(), view.hints.end(), kHintCompared), 0);

    doc.setPendingFile(dir.file("c.txt"));
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);
    EXPECT_TRUE(doc.pendingFile().empty());
}

TEST_F(CompareFilesCommand, CancelInEitherDialogLeavesTheReadOnlyFlagsAsTheyWere)
{
    loadPair("a\n", "b\n");
    doc.setReadOnly(core::kSourceSide, true);
    doc.setReadOnly(core::kTargetSide, true);
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);
    services.answerFileDialog(dir.write("c.txt", "c\n"), false);
    services.cancelFileDialog();
    router.execute(ID_COMPARE_FILES);

    EXPECT_TRUE(doc.sourceReadOnly());
    EXPECT_TRUE(doc.destinationReadOnly());
}

TEST_F(CompareFilesCommand, APendingFileIsTheFirstFileWithoutAskingAndIsUsedOnce)
{
    doc.setPendingFile(dir.write("dropped.txt", "1\n"));
    doc.setReadOnly(core::kSourceSide, true);
    services.answerFileDialog(dir.write("other.txt", "2\n"));

    router.execute(ID_COMPARE_FILES);

    ASSERT_EQ(services.fileDialogs().size(), 1u);
    EXPECT_EQ(services.fileDialogs()[0].title, "Select pair for : " + dir.file("dropped.txt"));
    EXPECT_EQ(services.fileDialogs()[0].fileName, "");
    EXPECT_FALSE(doc.sourceReadOnly());
    EXPECT_EQ(doc.source().path(), dir.file("dropped.txt"));
    EXPECT_TRUE(doc.pendingFile().empty());
}

TEST_F(CompareFilesCommand, StartUpWithAMissingFirstFileReportsIt)
{
    EXPECT_FALSE(doc.loadAndCompare(dir.file("nope.txt"), dir.write("b.txt", "b\n")));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string> {
        "Source File Not Found!\n" + dir.file("nope.txt") + "\nNo such file or directory" });
    EXPECT_TRUE(doc.firstComparison());
    EXPECT_EQ(doc.rowCount(), 0);
}

using RescanCommand = DocFixture;

TEST_F(RescanCommand, StoresTheRowReloadsAndReturnsToIt)
{
    loadPair("a\nb\n", "a\nc\n");
    void* stored = nullptr;
    void* restored = nullptr;
    int restoredRow = -1;
    view.react = [&](int hint, void* object) {
        if (hint == kHintStoreRow) {
            stored = object;
            *static_cast<std::int32_t*>(object) = 2;
        }
        if (hint == kHintRestoreRow) {
            restored = object;
            restoredRow = *static_cast<std::int32_t*>(object);
        }
    };
    dir.write("b.txt", "a\nb\n");

    EXPECT_TRUE(router.execute(ID_RESCAN));

    EXPECT_EQ(view.hints, (Hints { kHintStoreRow, kHintFinishEditing, kHintCompared, kHintActivateSource,
                                   kHintRestoreRow, kHintRescanned }));
    EXPECT_EQ(stored, restored);
    EXPECT_EQ(restoredRow, 2);
    EXPECT_EQ(doc.rowCount(), 2) << "the reloaded files are identical";
}

TEST_F(RescanCommand, SkipSavePromptRescansWithoutAskingOnce)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Source, core::ChangeStep::Up);
    doc.setSkipSavePrompt(true);

    router.execute(ID_RESCAN);

    EXPECT_TRUE(services.messages().empty());
    EXPECT_FALSE(doc.skipSavePrompt());
    EXPECT_EQ(doc.source().changes(), 0);
}

TEST_F(RescanCommand, CancelInTheSavePromptStopsTheRescan)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Target, core::ChangeStep::Up);
    view.hints.clear();
    services.answerMessage(MessageAnswer::Cancel);

    router.execute(ID_RESCAN);

    EXPECT_EQ(view.hints, (Hints { kHintStoreRow, kHintFinishEditing }));
    EXPECT_EQ(doc.destination().changes(), 1);
}

using SaveModifiedPrompt = DocFixture;

TEST_F(SaveModifiedPrompt, AsksForEachChangedFileSourceFirst)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Both, core::ChangeStep::Up);
    services.answerMessage(MessageAnswer::No);
    services.answerMessage(MessageAnswer::No);

    EXPECT_TRUE(doc.saveModified());

    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[0].text, "This file was changed:\n" + doc.source().path() + "\nDo you want to save it?");
    EXPECT_EQ(services.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(services.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(services.messages()[1].text,
              "This file was changed:\n" + doc.destination().path() + "\nDo you want to save it?");
    EXPECT_TRUE(doc.isModified()) << "the files still have changes";
}

TEST_F(SaveModifiedPrompt, CancelAtTheSourceSkipsTheTargetAndRefuses)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Both, core::ChangeStep::Up);
    services.answerMessage(MessageAnswer::Cancel);

    EXPECT_FALSE(doc.saveModified());
    EXPECT_EQ(services.messages().size(), 1u);
}

TEST_F(SaveModifiedPrompt, YesSavesTheFileAndResetsItsCounter)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Source, core::ChangeStep::Up);
    services.answerMessage(MessageAnswer::Yes);

    EXPECT_TRUE(doc.saveModified());
    EXPECT_EQ(doc.source().changes(), 0);
    EXPECT_TRUE(doc.isModified()) << "the flag waits for the next prompt";
    EXPECT_TRUE(doc.saveModified());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(services.messages().size(), 1u);
}

TEST_F(SaveModifiedPrompt, AFailedSaveRefusesSoThatNothingIsDropped)
{
    loadPair("a\n", "b\n");
    doc.noteChange(core::Sides::Source, core::ChangeStep::Up);
    std::filesystem::remove_all(dir.path());
    services.answerMessage(MessageAnswer::Yes);

    EXPECT_FALSE(doc.saveModified());
    EXPECT_EQ(services.messageTexts().back(),
              "Failed to create file\n" + doc.source().path() + "\nNo such file or directory");
    EXPECT_EQ(doc.source().changes(), 1);
}

using DocumentCommands = DocFixture;

TEST_F(DocumentCommands, PairCommandsNeedRowsAndSaveAsResultNeedsAResultFile)
{
    const std::vector<CommandId> needRows { ID_RESCAN, ID_ALTERNATE_TOOL, ID_EASY_JOIN, ID_NEXT_DIFF,
                                            ID_PREV_DIFF, ID_EDIT_MODE, ID_FILE_SAVE_AS };
    for (CommandId id : needRows)
        EXPECT_FALSE(enabled(id)) << id;
    for (CommandId id : { ID_COMPARE_FILES, ID_OPTIONS, ID_FONT, ID_HIDDEN, ID_NO_SYNC })
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_SAVE_AS_RESULT));

    loadPair("a\n", "b\n");
    for (CommandId id : needRows)
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_SAVE_AS_RESULT));
    doc.setResultFile(dir.file("result.txt"));
    EXPECT_TRUE(enabled(ID_SAVE_AS_RESULT));
}

TEST_F(DocumentCommands, EnableOnlyAnswersCarryNothingOut)
{
    loadPair("a\n", "b\n");
    for (CommandId id : { ID_NEXT_DIFF, ID_PREV_DIFF, ID_EDIT_MODE, ID_FILE_SAVE_AS, ID_SAVE_AS_RESULT })
        EXPECT_FALSE(doc.handlesCommand(id)) << id;
}

TEST_F(DocumentCommands, SaveCommandsFollowTheCounters)
{
    loadPair("a\n", "b\n");
    EXPECT_FALSE(enabled(ID_SAVE_SOURCE));
    EXPECT_FALSE(enabled(ID_SAVE_TARGET));
    EXPECT_FALSE(enabled(ID_FILE_SAVE_ALL));
    doc.noteChange(core::Sides::Target, core::ChangeStep::Up);
    EXPECT_FALSE(enabled(ID_SAVE_SOURCE));
    EXPECT_TRUE(enabled(ID_SAVE_TARGET));
    EXPECT_TRUE(enabled(ID_FILE_SAVE_ALL));
}

TEST_F(DocumentCommands, HiddenTogglesTheSettingWithACheckMark)
{
    router.execute(ID_HIDDEN);
    EXPECT_EQ(settings::appSettings().Hidden, 1);
    EXPECT_EQ(view.hints, Hints { kHintRowsChanged });
    CommandUI ui(ID_HIDDEN, CommandOrigin::Menu);
    router.update(ui);
    EXPECT_TRUE(ui.checked());
    router.execute(ID_HIDDEN);
    EXPECT_EQ(settings::appSettings().Hidden, 0);
}

TEST_F(DocumentCommands, NoSyncIsCheckedWhileThePanesScrollAloneAndRealignsWhenSwitchedOff)
{
    router.execute(ID_NO_SYNC);
    CommandUI ui(ID_NO_SYNC, CommandOrigin::Menu);
    router.update(ui);
    EXPECT_FALSE(doc.syncScroll());
    EXPECT_TRUE(ui.checked());
    EXPECT_TRUE(view.hints.empty());

    router.execute(ID_NO_SYNC);
    EXPECT_TRUE(doc.syncScroll());
    EXPECT_EQ(view.hints, Hints { kHintResync });
}

TEST_F(DocumentCommands, OptionsOkPostsOptionChangedAndTellsTheViews)
{
    router.execute(ID_OPTIONS);
    EXPECT_TRUE(host.window.posted.empty());
    EXPECT_TRUE(view.hints.empty());

    host.optionsAnswer = true;
    router.execute(ID_OPTIONS);
    EXPECT_EQ(host.optionsRuns, 2);
    EXPECT_EQ(host.window.postedCommands(), std::vector<WParam> { ID_OPTION_CHANGED });
    EXPECT_EQ(view.hints, Hints { kHintOptionsChanged });
}

TEST_F(DocumentCommands, CommandsTheWindowCannotCarryOutStayDisabled)
{
    loadPair("a\n", "b\n");
    EXPECT_TRUE(enabled(ID_OPTIONS));
    EXPECT_TRUE(enabled(ID_EASY_JOIN));
    host.declined = { ID_OPTIONS, ID_EASY_JOIN };
    EXPECT_FALSE(enabled(ID_OPTIONS));
    EXPECT_FALSE(enabled(ID_EASY_JOIN));
    router.execute(ID_OPTIONS);
    router.execute(ID_EASY_JOIN);
    EXPECT_EQ(host.optionsRuns, 0);
    EXPECT_EQ(host.easyJoins, 0);
}

TEST_F(DocumentCommands, FontDialogStartsFromThePanesFontAndAppliesTheChoice)
{
    view.react = [](int hint, void* object) {
        if (hint == kHintFillFont)
            static_cast<LogFont*>(object)->FaceName = "Pane Font";
    };
    LogFont chosen;
    chosen.FaceName = "DejaVu Sans Mono";
    chosen.Height = -13;
    services.answerFont(std::nullopt);
    services.answerFont(chosen);

    router.execute(ID_FONT);
    EXPECT_EQ(view.hints, Hints { kHintFillFont });
    EXPECT_EQ(settings::appSettings().FontValid, 0);

    router.execute(ID_FONT);
    EXPECT_EQ(services.fontDialogs().at(1).FaceName, "Pane Font");
    EXPECT_EQ(view.hints, (Hints { kHintFillFont, kHintFillFont, kHintSetFont }));
    EXPECT_EQ(settings::appSettings().Font, chosen);
    EXPECT_EQ(settings::appSettings().FontValid, 1);
}

TEST_F(DocumentCommands, EasyJoinAndTheAlternateToolRunForAPair)
{
    loadPair("a\n", "b\n");
    router.execute(ID_EASY_JOIN);
    EXPECT_EQ(host.easyJoins, 1);

    settings::appSettings().DiffTool = dir.write("tool", "");
    doc.noteChange(core::Sides::Source, core::ChangeStep::Up);
    services.answerMessage(MessageAnswer::No);
    router.execute(ID_ALTERNATE_TOOL);
    ASSERT_EQ(services.startedProcesses().size(), 1u);
    EXPECT_EQ(services.startedProcesses()[0],
              (std::vector<std::string> { dir.file("tool"), doc.source().path(), doc.destination().path() }));
    EXPECT_EQ(services.messages().size(), 1u) << "the save prompt came first";
}

TEST_F(DocumentCommands, ClosingIsRefusedOnlyWhileBusyOrCancelled)
{
    loadPair("a\n", "b\n");
    EXPECT_TRUE(doc.canCloseFrame());
    doc.noteChange(core::Sides::Source, core::ChangeStep::Up);
    services.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(doc.canCloseFrame());
}

TEST_F(DocumentCommands, IdleAndModifiedChangesReachTheViews)
{
    doc.onIdle();
    doc.setModifiedFlag(true);
    EXPECT_EQ(view.hints, (Hints { kHintIdle, kHintModifiedChanged }));
}

} // namespace
