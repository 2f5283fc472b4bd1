#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "core/file_saver.h"
#include "core/side.h"
#include "tests/core/edit_test_pair.h"
#include "tests/core/random_edits.h"

namespace core {
namespace {

using testing::EditTestPair;
using Lines = std::vector<std::string>;

// one/one, two/six (changed), three/three
EditTestPair changedMiddle() { return EditTestPair({"one", "two", "three"}, {"one", "six", "three"}); }
// one/one, two/six (changed), three/filler, four/four: the filler holds -1 - 2
EditTestPair longerSourceBlock() { return EditTestPair({"one", "two", "three", "four"}, {"one", "six", "four"}); }
// filler/a (target only), b/b: the source's line 0 faces... the source has no line in row 0
EditTestPair targetOnlyFirst() { return EditTestPair({"b"}, {"a", "b"}); }

TEST(RowEditorEdit, AppendsAnEditedLineAndUndoPointsBackAtTheOldOne)
{
    EditTestPair p = changedMiddle();
    const RowEditResult result = p.editor(kTargetSide).setCellText(1, "seven");
    ASSERT_TRUE(result.done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "seven", "three"}));
    EXPECT_EQ(p.target.lineAt(p.destinationRows[1])->state(), LineState::Edited);
    EXPECT_EQ(p.target.lineAt(1)->text(), "six");
    EXPECT_EQ(p.target.changes(), 1);
    EXPECT_TRUE(p.modified);

    const RowEditResult undone = p.undo();
    EXPECT_TRUE(undone.done);
    EXPECT_EQ(undone.currentRow, 1);
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
    EXPECT_EQ(p.target.changes(), 0);
    EXPECT_FALSE(p.modified);
}

TEST(RowEditorEdit, StoringTheTextTheRowShowsChangesNothing)
{
    EditTestPair p(EditTestPair::Bytes{"one\n\tindented\n", "one\nother\n"});
    EXPECT_FALSE(p.editor(kSourceSide).setCellText(1, "    indented").done);
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1}));
    EXPECT_EQ(p.undoStore.undoCount(), 0);
    EXPECT_EQ(p.source.changes(), 0);
}

TEST(RowEditorEdit, TypedLinesAreTypedEditedAndCopiedLinesCarryBytes)
{
    EditTestPair p(EditTestPair::Bytes{"one\n\tfrom source  \n", "one\nother\n"});
    RowEditor target = p.editor(kTargetSide);
    target.copyLine(1);
    const std::int32_t copy = p.destinationRows[1];
    EXPECT_EQ(p.target.originOf(copy), LineOrigin::Copied);
    std::string bytes;
    p.target.appendBytes(copy, bytes);
    EXPECT_EQ(bytes, "\tfrom source  ");
    target.setCellText(0, "typed");
    target.pasteLines(0, {"pasted"}, false);
    EXPECT_EQ(p.target.originOf(p.destinationRows[0]), LineOrigin::Copied) << "pasted: saved with its bytes";
    EXPECT_EQ(p.target.originOf(p.destinationRows[1]), LineOrigin::Edited);
    EXPECT_EQ(p.target.originOf(1), LineOrigin::Read);
}

TEST(RowEditorEdit, OutsideTheRowsDoesNothing)
{
    EditTestPair p = changedMiddle();
    EXPECT_FALSE(p.editor(kSourceSide).setCellText(3, "x").done);
    EXPECT_FALSE(p.editor(kSourceSide).setCellText(-1, "x").done);
    EXPECT_EQ(p.undoStore.undoCount(), 0);
    EXPECT_EQ(p.source.changes(), 0);
}

TEST(RowEditorInsertLine, PutsAnEmptyLineAboveAndAVirtualRowOpposite)
{
    EditTestPair p = changedMiddle();
    const RowEditResult result = p.editor(kSourceSide).insertLine(1);
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.insertedGridRow, 1);
    EXPECT_EQ(p.rowCount, 4);
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"one", "", "two", "three"}));
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, ~1, 1, 2}));

    const RowEditResult undone = p.undo();
    EXPECT_EQ(undone.removedGridRow, 1);
    EXPECT_EQ(p.rowCount, 3);
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1, 2}));
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorInsertLine, AtTheFirstRowTheOtherSideDoesNotShowItsFirstLineTwice)
{
    EditTestPair p = changedMiddle();
    ASSERT_TRUE(p.editor(kSourceSide).insertLine(0).done);
    EXPECT_LT(p.destinationRows[0], 0);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "six", "three"}));
}

TEST(RowEditorInsertLine, OnAVirtualRowDoesNothing)
{
    EditTestPair p = targetOnlyFirst();
    EXPECT_FALSE(p.editor(kSourceSide).insertLine(0).done);
    EXPECT_EQ(p.rowCount, 2);
    EXPECT_EQ(p.undoStore.undoCount(), 0);
}

TEST(RowEditorDeleteLine, MakesTheRowVirtualAndMovesDown)
{
    EditTestPair p = changedMiddle();
    const RowEditResult result = p.editor(kTargetSide).deleteLine(0);
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.currentRow, 1);
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{~0, 1, 2}));
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"six", "three"}));
    EXPECT_FALSE(p.editor(kTargetSide).deleteLine(0).done);

    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorDeleteLine, OnTheLastRowStaysThere)
{
    EditTestPair p = changedMiddle();
    EXPECT_EQ(p.editor(kSourceSide).deleteLine(2).currentRow, 2);
}

TEST(RowEditorRemoveRow, TakesTheRowOutOfBothSidesAndUndoPutsItBack)
{
    EditTestPair p = longerSourceBlock();
    const RowEditResult result = p.editor(kTargetSide).removeRow(2);
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.removedGridRow, 2);
    EXPECT_EQ(p.rowCount, 3);
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"one", "two", "four"}));
    EXPECT_EQ(p.source.changes(), 1);
    EXPECT_EQ(p.target.changes(), 1);

    const RowEditResult undone = p.undo();
    EXPECT_EQ(undone.insertedGridRow, 2);
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1, 2, 3}));
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, -3, 2}));
    EXPECT_EQ(p.source.changes(), 0);
    EXPECT_EQ(p.target.changes(), 0);
    EXPECT_FALSE(p.modified);
}

TEST(RowEditorCopyLine, TakesTheOtherSidesLineAsAnEditedLine)
{
    EditTestPair p = changedMiddle();
    ASSERT_TRUE(p.editor(kTargetSide).copyLine(1).done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "two", "three"}));
    EXPECT_EQ(p.target.lineAt(p.destinationRows[1])->state(), LineState::Edited);
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorCopyLine, AVirtualRowCopiedOverTheFirstLineHidesIt)
{
    EditTestPair p = targetOnlyFirst();
    ASSERT_TRUE(p.editor(kTargetSide).copyLine(0).done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"b"}));
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1}));
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"a", "b"}));
}

TEST(RowEditorCopyDifference, CopiesTheWholeBlockFromAnyOfItsRows)
{
    EditTestPair p = longerSourceBlock();
    ASSERT_TRUE(p.editor(kTargetSide).copyDifference(2).done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "two", "three", "four"}));
    const UndoRecord* record = p.undoStore.popUndo();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->row, 1);
    EXPECT_EQ(record->countA, 2);
    EXPECT_EQ(record->countB, 1);
}

TEST(RowEditorCopyDifference, UndoGivesBackTheEnginesFillerEntries)
{
    EditTestPair p = longerSourceBlock();
    p.editor(kTargetSide).copyDifference(1);
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, -3, 2}));
}

TEST(RowEditorCopyDifference, AVirtualRowOverTheFirstLineHidesIt)
{
    EditTestPair p = targetOnlyFirst();
    ASSERT_TRUE(p.editor(kTargetSide).copyDifference(0).done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"b"}));
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1}));
}

TEST(RowEditorCopyDifference, IntoTheSourceFillsItsVirtualRows)
{
    EditTestPair p = targetOnlyFirst();
    ASSERT_TRUE(p.editor(kSourceSide).copyDifference(0).done);
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"a", "b"}));
}

TEST(RowEditorCopyDifference, AnEditedRowFacingASameLineIsRestored)
{
    EditTestPair p = changedMiddle();
    RowEditor target = p.editor(kTargetSide);
    target.setCellText(0, "uno");
    const RowMap edited = p.validRows(kTargetSide);

    ASSERT_TRUE(target.copyDifference(0).done);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "two", "three"}));
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), edited);
}

TEST(RowEditorCut, HidesTheSelectedRowsAndUndoIsExactWithGaps)
{
    EditTestPair p = changedMiddle();
    RowEditor source = p.editor(kSourceSide);
    EXPECT_EQ(source.selectionText({2, 0}), "one\nthree\n");
    ASSERT_TRUE(source.cutRows({2, 0}).done);
    EXPECT_EQ(p.rowCount, 3);
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"two"}));
    p.undo();
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorCut, SelectionTextLeavesVirtualRowsOut)
{
    EditTestPair p = longerSourceBlock();
    EXPECT_EQ(p.editor(kTargetSide).selectionText({0, 1, 2, 3}), "one\nsix\nfour\n");
}

TEST(RowEditorPaste, OverwriteNearTheEndReplacesOnlyExistingRows)
{
    EditTestPair p = changedMiddle();
    ASSERT_TRUE(p.editor(kTargetSide).pasteLines(1, {"p1", "p2", "p3"}, true).done);
    EXPECT_EQ(p.rowCount, 3);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "p1", "p2"}));
    p.undo();
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorPaste, InsertPutsTheLinesAboveTheCurrentRow)
{
    EditTestPair p = changedMiddle();
    ASSERT_TRUE(p.editor(kTargetSide).pasteLines(1, {"p1", "p2"}, false).done);
    EXPECT_EQ(p.rowCount, 5);
    EXPECT_EQ(p.shownLines(kTargetSide), (Lines{"one", "p1", "p2", "six", "three"}));
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"one", "two", "three"}));
    p.undo();
    EXPECT_EQ(p.rowCount, 3);
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1, 2}));
    EXPECT_EQ(p.validRows(kTargetSide), (RowMap{0, 1, 2}));
}

TEST(RowEditorPaste, InsertAtTheFirstRowKeepsTheOtherSideIntact)
{
    EditTestPair p = changedMiddle();
    ASSERT_TRUE(p.editor(kTargetSide).pasteLines(0, {"p"}, false).done);
    EXPECT_EQ(p.shownLines(kSourceSide), (Lines{"one", "two", "three"}));
}

TEST(RowEditorDifferenceText, CollectsThisSidesLinesOfTheBlock)
{
    EditTestPair p = longerSourceBlock();
    EXPECT_EQ(p.editor(kSourceSide).differenceText(2), "two\nthree\n");
    EXPECT_EQ(p.editor(kTargetSide).differenceText(2), "six\n");
    EXPECT_EQ(p.editor(kSourceSide).differenceText(0), "");
    EXPECT_TRUE(p.editor(kTargetSide).isDifferenceRow(2));
    EXPECT_FALSE(p.editor(kTargetSide).isDifferenceRow(3));
}

TEST(RowEditorCounters, UndoPastASaveKeepsTheFileChanged)
{
    EditTestPair p = changedMiddle();
    RowEditor source = p.editor(kSourceSide);
    source.setCellText(0, "x");
    p.source.setChanges(0);   // saved
    p.undo();
    EXPECT_EQ(p.source.changes(), kChangedAfterSave);
    EXPECT_TRUE(p.modified);
    source.setCellText(0, "y");
    EXPECT_EQ(p.source.changes(), -999999);
    p.undo();
    EXPECT_EQ(p.source.changes(), kChangedAfterSave);
    EXPECT_TRUE(p.modified);
}

TEST(RowEditorCounters, UndoingEditsOfBothSidesClearsTheModifiedFlag)
{
    EditTestPair p = changedMiddle();
    p.editor(kSourceSide).setCellText(0, "x");
    p.editor(kTargetSide).setCellText(1, "y");
    p.undo();
    EXPECT_TRUE(p.modified);
    p.undo();
    EXPECT_FALSE(p.modified);
    EXPECT_FALSE(p.undo().done);
}

TEST(RowEditorUndo, IgnoresARecordOfNoSide)
{
    EditTestPair p = changedMiddle();
    UndoRecord& foreign = p.undoStore.pushUndo();
    foreign.type = 2;
    foreign.side = kSourceSide;
    foreign.row = 0;
    EXPECT_FALSE(p.undo().done);
    EXPECT_EQ(p.source.changes(), 0);
    EXPECT_EQ(p.validRows(kSourceSide), (RowMap{0, 1, 2}));
}

// Random edits on random pairs, then undo one by one: every undo must give back exactly
// the rows and counters that were there before the edit it takes back.
struct Snapshot {
    RowMap sourceRows;
    RowMap destinationRows;
    std::int32_t rowCount;
    std::int32_t sourceChanges;
    std::int32_t targetChanges;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(EditTestPair& p)
{
    return {p.validRows(kSourceSide), p.validRows(kTargetSide), p.rowCount, p.source.changes(),
            p.target.changes()};
}

Lines randomLines(std::mt19937& random, int count)
{
    static const Lines vocabulary{"alpha", "beta", "gamma", "delta", "", "  indented", "epsilon", "zeta"};
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(vocabulary[random() % vocabulary.size()]);
    return lines;
}

Lines mutated(std::mt19937& random, Lines lines)
{
    return testing_support::randomlyEdited(
        random, std::move(lines), 6, [&](int) { return randomLines(random, 1 + random() % 3).front(); },
        [](int i) { return "changed " + std::to_string(i); });
}

RowEditResult randomEdit(std::mt19937& random, EditTestPair& p)
{
    RowEditor editor = p.editor(static_cast<int>(random() % 2));
    const int row = static_cast<int>(random() % (p.rowCount + 2)) - 1;
    switch (random() % 9) {
    case 0: return editor.setCellText(row, "typed " + std::to_string(random() % 100));
    case 1: return editor.insertLine(row);
    case 2: return editor.deleteLine(row);
    case 3: return editor.removeRow(row);
    case 4: return editor.copyLine(row);
    case 5: return editor.copyDifference(row);
    case 6: {
        std::vector<int> selected;
        for (int r = 0; r < p.rowCount; ++r) {
            if (random() % 3 == 0)
                selected.push_back(r);
        }
        return editor.cutRows(selected);
    }
    default:
        return editor.pasteLines(row, randomLines(random, 1 + static_cast<int>(random() % 4)), random() % 8 == 7);
    }
}

TEST(RowEditorRandomized, UndoingEveryEditGivesBackTheExactRowsAndCounters)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const Lines sourceLines = randomLines(random, static_cast<int>(random() % 12));
        EditTestPair p(sourceLines, mutated(random, sourceLines));

        std::vector<Snapshot> before;
        const int edits = 1 + static_cast<int>(random() % (UndoStore::kSlots - 1));
        for (int i = 0; i < edits; ++i) {
            const Snapshot state = snapshot(p);
            if (randomEdit(random, p).done)
                before.push_back(state);
            else
                ASSERT_EQ(snapshot(p), state);
            ASSERT_EQ(p.undoStore.undoCount(), static_cast<int>(before.size()));
            ASSERT_EQ(static_cast<std::int32_t>(p.sourceRows.size()), p.rowCount);
            ASSERT_EQ(static_cast<std::int32_t>(p.destinationRows.size()), p.rowCount);
        }
        while (!before.empty()) {
            ASSERT_TRUE(p.undo().done);
            ASSERT_EQ(snapshot(p), before.back());
            before.pop_back();
        }
        EXPECT_FALSE(p.undo().done);
        EXPECT_FALSE(p.modified);
    }
}

// The pieces of a long line are one line to every command on any of its rows; undo gives the
// bytes back.
TEST(RowEditorLongLines, EveryCommandOnAPieceRowTakesTheWholeLine)
{
    const std::string longLine = std::string(6000, 'x') + "  " + std::string(6000, 'y');
    struct Case {
        const char* name;
        std::function<RowEditResult(RowEditor&)> edit;
        std::string saved;
    };
    const std::vector<Case> cases{
        {"delete", [](RowEditor& e) { return e.deleteLine(2); }, "a\nb\n"},
        {"cut", [](RowEditor& e) { return e.cutRows({2}); }, "a\nb\n"},
        {"remove row", [](RowEditor& e) { return e.removeRow(2); }, "a\nb\n"},
        {"insert", [](RowEditor& e) { return e.insertLine(2); }, "a\n\n" + longLine + "\nb\n"},
        {"paste", [](RowEditor& e) { return e.pasteLines(3, {"p"}, false); }, "a\np\n" + longLine + "\nb\n"},
        {"paste over", [](RowEditor& e) { return e.pasteLines(2, {"p"}, true); }, "a\np\nb\n"},
        {"type into a piece", [](RowEditor& e) { return e.setCellText(2, "Q"); },
         "a\n" + std::string(4998, 'x') + "Q" + longLine.substr(2 * LineFile::kPieceSize) + "\nb\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditTestPair p(Lines{"a", longLine, "b"}, Lines{"a", "b"});
        ASSERT_EQ(p.rowCount, 5);
        const std::string original = p.dir.read("source.txt");
        RowEditor source = p.editor(kSourceSide);
        EXPECT_EQ(source.selectionText({2}), longLine + "\n");
        ASSERT_TRUE(c.edit(source).done);
        ASSERT_TRUE(saveRows(p.source, p.sourceRows, p.rowCount, p.dir.file("saved.txt"), {}));
        EXPECT_EQ(p.dir.read("saved.txt"), c.saved);
        ASSERT_TRUE(p.undo().done);
        EXPECT_EQ(p.rowCount, 5);
        ASSERT_TRUE(saveRows(p.source, p.sourceRows, p.rowCount, p.dir.file("undone.txt"), {}));
        EXPECT_EQ(p.dir.read("undone.txt"), original);
    }
}

} // namespace
} // namespace core
