#include <gtest/gtest.h>

#include "core/undo_store.h"

namespace core {
namespace {

void pushNumbered(UndoStore& store, int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        UndoRecord& record = store.pushUndo();
        record.row = i;
        record.savedEntries.push_back({i, i});
    }
}

TEST(UndoStore, StartsEmptyAndPopsNothing)
{
    UndoStore store;
    EXPECT_EQ(store.undoCount(), 0);
    EXPECT_EQ(store.popUndo(), nullptr);
}

TEST(UndoStore, PushGivesAResetRecord)
{
    UndoStore store;
    UndoRecord& used = store.pushUndo();
    used.type = kRowsSaved;
    used.side = 1;
    used.row = 7;
    used.value = 3;
    used.countA = 4;
    used.countB = 5;
    used.savedEntries.push_back({7, 2});
    ASSERT_NE(store.popUndo(), nullptr);

    const UndoRecord& fresh = store.pushUndo();
    EXPECT_EQ(fresh.type, kRowsReplaced);
    EXPECT_EQ(fresh.side, -1);
    EXPECT_EQ(fresh.row, -1);
    EXPECT_EQ(fresh.value, 0);
    EXPECT_EQ(fresh.countA, 0);
    EXPECT_EQ(fresh.countB, 0);
    EXPECT_TRUE(fresh.savedEntries.empty());
}

TEST(UndoStore, PopsNewestFirst)
{
    UndoStore store;
    pushNumbered(store, 0, 3);
    EXPECT_EQ(store.popUndo()->row, 2);
    EXPECT_EQ(store.popUndo()->row, 1);
    EXPECT_EQ(store.undoCount(), 1);
}

TEST(UndoStore, SixtyFourPushesLeaveSixtyThreeAndDropTheFirst)
{
    UndoStore store;
    pushNumbered(store, 0, 64);
    EXPECT_EQ(store.undoCount(), 63);
    for (int expected = 63; expected >= 1; --expected) {
        UndoRecord* record = store.popUndo();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->row, expected);
    }
    EXPECT_EQ(store.popUndo(), nullptr);
}

TEST(UndoStore, KeepsOrderAcrossManyWrapsOfTheRing)
{
    UndoStore store;
    pushNumbered(store, 0, 200);
    EXPECT_EQ(store.popUndo()->row, 199);
    pushNumbered(store, 1000, 5);
    EXPECT_EQ(store.undoCount(), 63);
    for (int expected = 1004; expected >= 1000; --expected)
        EXPECT_EQ(store.popUndo()->row, expected);
    for (int expected = 198; expected >= 141; --expected)
        EXPECT_EQ(store.popUndo()->row, expected);
    EXPECT_EQ(store.popUndo(), nullptr);
}

TEST(UndoStore, ClearEmptiesTheStoreAndItsSavedEntries)
{
    UndoStore store;
    pushNumbered(store, 0, 10);
    store.clearUndo();
    EXPECT_EQ(store.undoCount(), 0);
    EXPECT_EQ(store.popUndo(), nullptr);
    pushNumbered(store, 50, 1);
    UndoRecord* record = store.popUndo();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->row, 50);
    EXPECT_EQ(record->savedEntries.size(), 1u);
}

} // namespace
} // namespace core
