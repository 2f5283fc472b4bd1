#include <algorithm>
#include <filesystem>
#include <random>

#include "core/copy_request.h"
#include "core/row_change.h"
#include "core/row_editor.h"
#include "core/undone_row.h"
#include "doc_test_fixture.h"
#include "framework/command_ids.h"
#include "framework/update_hints.h"

namespace {

using namespace framework;
using core::kTargetSide;
using core::kSourceSide;
using core_testing::DocFixture;
using Hints = std::vector<int>;

// Panes as far as the document needs them: they copy on the copy hints and say whether the
// copy commands are enabled, as the real panes do.
struct EditingFixture : DocFixture {
    CommandTarget pane;
    int currentRow = 0;

    EditingFixture()
    {
        router.setActiveView(&pane);
        doc.setEditMode(true);
        view.react = [this](int hint, void* object) {
            if (hint != kHintCopyLine && hint != kHintCopyDifference)
                return;
            const auto& request = *static_cast<core::CopyRequest*>(object);
            core::RowEditor editor(doc.editPair(), request.intoSide());
            if (hint == kHintCopyLine)
                editor.copyLine(currentRow);
            else
                editor.copyDifference(currentRow);
        };
    }
    core::RowEditor editor(int side) { return core::RowEditor(doc.editPair(), side); }
    void edit(int side, int row, const std::string& text) { editor(side).setCellText(row, text); }
};

using CopyCommands = EditingFixture;

TEST_F(CopyCommands, CopyIntoAReadOnlySideDoesNothing)
{
    loadPair("a\nb\n", "a\nc\n");
    currentRow = 1;
    doc.setReadOnly(core::kTargetSide, true);
    settings::appSettings().MoveNext = 1;

    EXPECT_TRUE(router.execute(ID_COPY_DIFF_TO_TARGET));

    EXPECT_TRUE(view.hints.empty());
    EXPECT_TRUE(host.window.posted.empty());
    EXPECT_EQ(text(doc.destination(), 1), "c");
    EXPECT_FALSE(doc.isModified());
}

TEST_F(CopyCommands, ACopyDisabledByThePaneDoesNothingAlsoWhenTheProgramSendsIt)
{
    loadPair("a\nb\n", "a\nc\n");
    pane.onEnable(ID_COPY_DIFF_TO_TARGET, [](CommandUI& ui) { ui.enable(false); });

    EXPECT_FALSE(router.execute(ID_COPY_DIFF_TO_TARGET));
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(CopyCommands, DifferenceCopyNamesTheSourceAndGoesOnToTheNextDifference)
{
    loadPair("a\nb\nc\n", "a\nB\nc\n");
    currentRow = 1;
    const core::CopyRequest* seen = nullptr;
    auto copying = view.react;
    view.react = [&](int hint, void* object) {
        if (hint == kHintCopyDifference)
            seen = static_cast<const core::CopyRequest*>(object);
        copying(hint, object);
    };
    settings::appSettings().MoveNext = 1;

    router.execute(ID_COPY_DIFF_TO_TARGET);

    ASSERT_NE(seen, nullptr);
    // Typing in progress is stored first: it is part of what is copied.
    ASSERT_GE(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[0], kHintFinishEditing);
    EXPECT_EQ(view.hints[1], kHintCopyDifference);
    EXPECT_EQ(text(doc.destination(), 1), "b");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.destination().changes(), 1);
    EXPECT_EQ(host.window.postedCommands(), std::vector<WParam> { ID_NEXT_DIFF });
}

TEST_F(CopyCommands, WithoutMoveNextNothingIsPosted)
{
    loadPair("a\nb\n", "a\nc\n");
    currentRow = 1;
    router.execute(ID_COPY_LINE_TO_SOURCE);
    EXPECT_EQ(text(doc.source(), 1), "c");
    EXPECT_TRUE(host.window.posted.empty());
    EXPECT_EQ(std::count(view.hints.begin(), view.hints.end(), kHintMoveToNextDiffRow), 0);
}

TEST_F(CopyCommands, LineCopyWithMoveNextAsksThePanesBeforePostingNextDiff)
{
    loadPair("a\nb\nc\n", "a\nB\nC\n");
    settings::appSettings().MoveNext = 1;
    currentRow = 1;
    auto copying = view.react;
    view.react = [&](int hint, void* object) {
        copying(hint, object);
        if (hint == kHintMoveToNextDiffRow && currentRow == 1) {
            currentRow = 2;
            *static_cast<std::int32_t*>(object) = 1;
        }
    };

    router.execute(ID_COPY_LINE_TO_TARGET);
    EXPECT_TRUE(host.window.posted.empty()) << "the pane moved down inside the difference";
    router.execute(ID_COPY_LINE_TO_TARGET);
    EXPECT_EQ(host.window.postedCommands(), std::vector<WParam> { ID_NEXT_DIFF });
    EXPECT_EQ(text(doc.destination(), 2), "c");
}

using UndoCommand = EditingFixture;

TEST_F(UndoCommand, PutsTheRowBackAndTellsItsPaneWhereToGo)
{
    loadPair("a\nb\n", "a\nb\n");
    edit(kTargetSide, 1, "changed");
    view.hints.clear();
    const core::UndoneRow* undone = nullptr;
    core::UndoneRow seen;
    view.react = [&](int hint, void* object) {
        if (hint == kHintUndone) {
            undone = static_cast<const core::UndoneRow*>(object);
            seen = *undone;
        }
    };

    router.execute(ID_UNDO);

    EXPECT_EQ(text(doc.destination(), 1), "b");
    EXPECT_EQ(view.hints.front(), kHintFinishEditing);
    EXPECT_EQ(view.hints.back(), kHintUndone);
    EXPECT_NE(std::find(view.hints.begin(), view.hints.end(), kHintRowsChanged), view.hints.end());
    ASSERT_NE(undone, nullptr);
    EXPECT_EQ(seen.side, kTargetSide);
    EXPECT_EQ(seen.row, 1);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(UndoCommand, RowsThatComeOrGoAreAnnouncedToTheGrids)
{
    loadPair("a\nb\nc\n", "a\nX\nc\n");
    std::vector<std::pair<int, core::RowChange>> changes;
    view.react = [&](int hint, void* object) {
        if (hint == kHintInsertRow || hint == kHintRemoveRow)
            changes.emplace_back(hint, *static_cast<const core::RowChange*>(object));
    };
    const auto undoneChange = [&] {
        changes.clear();
        router.execute(ID_UNDO);
        EXPECT_EQ(changes.size(), 1u);
        return changes.empty() ? std::make_pair(0, core::RowChange{}) : changes.front();
    };

    editor(kTargetSide).insertLine(1);
    auto [hint, change] = undoneChange();
    EXPECT_EQ(hint, kHintRemoveRow);
    EXPECT_EQ(change.row, 1);
    EXPECT_TRUE(change.gridRows);

    editor(kSourceSide).removeRow(2);
    std::tie(hint, change) = undoneChange();
    EXPECT_EQ(hint, kHintInsertRow);
    EXPECT_EQ(change.row, 2);
    EXPECT_EQ(change.count, 1);

    editor(kTargetSide).pasteLines(0, {"p", "q"}, false);
    std::tie(hint, change) = undoneChange();
    EXPECT_EQ(hint, kHintRemoveRow);
    EXPECT_EQ(change.row, 0);
    EXPECT_EQ(change.count, 2);
    EXPECT_FALSE(change.gridRows);
    EXPECT_EQ(doc.rowCount(), 3);
}

TEST_F(UndoCommand, WithAnEmptyStoreOnlyTheEditorIsFinished)
{
    loadPair("a\n", "a\n");
    router.execute(ID_UNDO);
    EXPECT_EQ(view.hints, Hints { kHintFinishEditing });
}

TEST_F(UndoCommand, SixtyFourEditsLeaveSixtyThreeUndoable)
{
    loadPair("a\n", "a\n");
    for (int i = 0; i < 64; ++i)
        edit(kSourceSide, 0, "edit " + std::to_string(i));
    EXPECT_EQ(doc.undoStore().undoCount(), 63);

    for (int i = 0; i < 70; ++i)
        router.execute(ID_UNDO);

    EXPECT_EQ(text(doc.source(), 0), "edit 0") << "the first edit can no longer be undone";
    EXPECT_EQ(doc.source().changes(), 1);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(UndoCommand, AnUndoPastASaveKeepsTheFileMarkedChanged)
{
    loadPair("a\nb\n", "a\nb\n");
    edit(kSourceSide, 0, "x");
    router.execute(ID_SAVE_SOURCE);
    EXPECT_EQ(doc.source().changes(), 0);

    router.execute(ID_UNDO);
    EXPECT_EQ(doc.source().changes(), -1000000);
    edit(kSourceSide, 1, "y");
    EXPECT_EQ(doc.source().changes(), -999999);
    router.execute(ID_UNDO);
    EXPECT_EQ(doc.source().changes(), -1000000);
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(enabled(ID_SAVE_SOURCE));
}

TEST_F(UndoCommand, AnUndoPastASaveAfterTheOtherSideWasUndoneStillAsksToSave)
{
    loadPair("a\n", "a\n");
    edit(kSourceSide, 0, "saved");
    router.execute(ID_SAVE_SOURCE);
    edit(kTargetSide, 0, "d");
    router.execute(ID_UNDO);
    EXPECT_FALSE(doc.isModified()) << "both files equal what is on disk";

    router.execute(ID_UNDO);
    EXPECT_EQ(doc.source().changes(), -1000000);
    EXPECT_TRUE(doc.isModified()) << "the source no longer equals what is on disk";
    EXPECT_TRUE(enabled(ID_FILE_SAVE_ALL));
    services.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(doc.saveModified());
    EXPECT_EQ(services.messageTexts().size(), 1u);
}

TEST_F(UndoCommand, UndoingEditsOfBothSidesClearsTheModifiedState)
{
    loadPair("a\n", "a\n");
    edit(kSourceSide, 0, "s");
    edit(kTargetSide, 0, "d");
    router.execute(ID_UNDO);
    EXPECT_TRUE(enabled(ID_FILE_SAVE_ALL));
    router.execute(ID_UNDO);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(enabled(ID_FILE_SAVE_ALL));
}

TEST_F(UndoCommand, ARescanEmptiesTheStore)
{
    loadPair("a\n", "a\n");
    edit(kSourceSide, 0, "s");
    router.execute(ID_SAVE_SOURCE);
    router.execute(ID_RESCAN);
    EXPECT_EQ(doc.undoStore().undoCount(), 0);
    router.execute(ID_UNDO);
    EXPECT_EQ(text(doc.source(), 0), "s");
}

TEST_F(UndoCommand, RandomEditsUndoneGiveBackTheExactRowsAndCounters)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 20; ++round) {
        std::string left, right;
        for (int i = 0; i < 12; ++i) {
            left += std::to_string(random() % 5) + "\n";
            right += std::to_string(random() % 5) + "\n";
        }
        loadPair(left, right);
        const auto sourceRows = doc.sourceRows();
        const auto destinationRows = doc.destinationRows();
        const auto rowCount = doc.rowCount();

        const int edits = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < edits; ++i) {
            const int side = static_cast<int>(random() % 2);
            const int row = static_cast<int>(random() % static_cast<unsigned>(doc.rowCount()));
            core::RowEditor rowEditor = editor(side);
            switch (random() % 7) {
            case 0: rowEditor.setCellText(row, "typed"); break;
            case 1: rowEditor.insertLine(row); break;
            case 2: rowEditor.deleteLine(row); break;
            case 3: if (doc.rowCount() > 1) rowEditor.removeRow(row); break;
            case 4: rowEditor.copyLine(row); break;
            case 5: rowEditor.copyDifference(row); break;
            default: rowEditor.pasteLines(row, { "p1", "p2" }, random() % 2 == 0); break;
            }
        }
        while (doc.undoStore().undoCount() > 0)
            router.execute(ID_UNDO);

        ASSERT_EQ(doc.rowCount(), rowCount) << "round " << round;
        EXPECT_TRUE(std::equal(sourceRows.begin(), sourceRows.begin() + rowCount, doc.sourceRows().begin()));
        EXPECT_TRUE(std::equal(destinationRows.begin(), destinationRows.begin() + rowCount,
                               doc.destinationRows().begin()));
        EXPECT_EQ(doc.source().changes(), 0);
        EXPECT_EQ(doc.destination().changes(), 0);
        EXPECT_FALSE(doc.isModified());
    }
}

using Saving = EditingFixture;

TEST_F(Saving, SaveAllWritesEachChangedFileAndRestartsTheWatcher)
{
    loadPair("a\nb\n", "a\nc\n");
    edit(kTargetSide, 1, "merged");
    doc.watcher().OnActivateApp(false);
    view.hints.clear();

    router.execute(ID_FILE_SAVE_ALL);

    EXPECT_EQ(dir.read("b.txt"), "a\nmerged\n");
    EXPECT_EQ(dir.read("a.txt"), "a\nb\n") << "an unchanged file is not written";
    EXPECT_EQ(view.hints, (Hints { kHintFinishEditing, kHintModifiedChanged })) << "a line being typed is saved too";
    EXPECT_EQ(doc.destination().changes(), 0);
    doc.watcher().OnActivateApp(true);
    EXPECT_TRUE(host.window.posted.empty()) << "our own write is not an outside change";
}

TEST_F(Saving, AFailedSaveKeepsTheCounterAndTheOldFile)
{
    loadPair("a\n", "b\n");
    edit(kSourceSide, 0, "x");

    EXPECT_FALSE(doc.saveRows(doc.source(), doc.sourceRows(), dir.file("no/such/folder/a.txt")));
    EXPECT_EQ(services.messageTexts(),
              std::vector<std::string> { "Failed to create file\n" + dir.file("no/such/folder/a.txt")
                                         + "\nNo such file or directory" });
    EXPECT_EQ(doc.source().changes(), 1);

    namespace fs = std::filesystem;
    fs::permissions(doc.source().path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(doc.saveRows(doc.source(), doc.sourceRows()));
    fs::permissions(doc.source().path(), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messageTexts()[1], "Failed to create file\n" + doc.source().path() + "\nPermission denied");
    EXPECT_EQ(dir.read("a.txt"), "a\n");
    EXPECT_EQ(doc.source().changes(), 1);
    EXPECT_TRUE(enabled(ID_SAVE_SOURCE));
}

TEST_F(Saving, SaveAsKeepsThePathAndCountsTheFileUnchanged)
{
    loadPair("a\n", "b\n");
    edit(kSourceSide, 0, "x");
    ASSERT_TRUE(doc.saveRows(doc.source(), doc.sourceRows(), dir.file("copy.txt")));
    EXPECT_EQ(dir.read("copy.txt"), "x\n");
    EXPECT_EQ(doc.source().path(), dir.file("a.txt"));
    EXPECT_EQ(doc.source().changes(), 0);
}

TEST_F(Saving, SaveAsPairFromTheTargetMakesThePairIdentical)
{
    loadPair("one\ntwo\n", "one\n2\nthree\n");
    services.answerMessage(MessageAnswer::No);
    services.answerMessage(MessageAnswer::Yes);

    doc.saveAsPair(doc.destination());

    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[0].text, "You are about to OVERWRITE file \n" + doc.source().path() +
                                               "\n with file \n" + doc.destination().path() +
                                               "\n\nDo you want to quit Bivalo afterwards?");
    EXPECT_EQ(services.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(services.messages()[1].text, "Do you want to rescan files now?");
    EXPECT_EQ(services.messages()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(host.window.postedCommands(), std::vector<WParam> { ID_RESCAN });

    router.execute(ID_RESCAN);
    EXPECT_EQ(doc.rowCount(), 3);
    for (int row = 0; row < doc.rowCount(); ++row)
        EXPECT_EQ(doc.source().lineAt(doc.sourceRows()[row])->state(), core::LineState::Same) << row;
}

TEST_F(Saving, SaveAsPairYesQuitsAndCancelWritesNothing)
{
    loadPair("one\n", "two\n");
    services.answerMessage(MessageAnswer::Cancel);
    doc.saveAsPair(doc.source());
    EXPECT_EQ(dir.read("b.txt"), "two\n");
    EXPECT_TRUE(host.window.posted.empty());

    services.answerMessage(MessageAnswer::Yes);
    doc.saveAsPair(doc.source());
    EXPECT_EQ(dir.read("b.txt"), "one\n");
    ASSERT_EQ(host.window.posted.size(), 1u);
    EXPECT_EQ(host.window.posted[0].message, WM_CLOSE);
}

TEST_F(Saving, SaveAsPairAfterAFailedWriteOffersNeitherQuitNorRescan)
{
    loadPair("one\n", "two\n");
    std::filesystem::remove_all(dir.path());
    services.answerMessage(MessageAnswer::Yes);

    doc.saveAsPair(doc.source());

    EXPECT_EQ(services.messageTexts().back(),
              "Failed to create file\n" + doc.destination().path() + "\nNo such file or directory");
    EXPECT_TRUE(host.window.posted.empty());
}

TEST_F(Saving, SaveAsResultWritesThePanesRowsToTheResultFile)
{
    loadPair("a\nb\n", "a\nc\n");
    EXPECT_FALSE(doc.saveAsResult(doc.destination()));
    doc.setResultFile(dir.file("result.txt"));
    EXPECT_TRUE(doc.saveAsResult(doc.destination()));
    EXPECT_EQ(dir.read("result.txt"), "a\nc\n");
}

TEST_F(Saving, ASavedFileLoadsBackToTheSameLines)
{
    for (const bool useTab : { false, true }) {
        for (const std::string lineEnd : { "\n", "\r\n" }) {
            SCOPED_TRACE((useTab ? "tabs, " : "blanks, ") + std::string(lineEnd == "\n" ? "LF" : "CR LF"));
            settings::appSettings().UseTab = useTab ? 1 : 0;
            const std::string longLine(12000, 'x');
            loadPair("\tindented" + lineEnd + longLine + lineEnd + "same" + lineEnd, "other" + lineEnd + "same" + lineEnd);
            edit(kTargetSide, 0, "        eight blanks");
            ASSERT_TRUE(doc.saveRows(doc.source(), doc.sourceRows(), dir.file("source copy.txt")));
            ASSERT_TRUE(doc.saveRows(doc.destination(), doc.destinationRows(), dir.file("target copy.txt")));

            EXPECT_EQ(dir.read("source copy.txt"), "\tindented" + lineEnd + longLine + lineEnd + "same" + lineEnd);
            EXPECT_EQ(dir.read("target copy.txt"),
                      (useTab ? "\t\teight blanks" : "        eight blanks") + lineEnd + "same" + lineEnd);

            ASSERT_TRUE(doc.loadAndCompare(dir.file("a.txt"), dir.file("source copy.txt")));
            EXPECT_EQ(doc.rowCount(), doc.source().count());
            for (int row = 0; row < doc.rowCount(); ++row)
                EXPECT_EQ(doc.source().lineAt(doc.sourceRows()[row])->state(), core::LineState::Same) << row;
        }
    }
}

} // namespace
