#pragma once

#include <vector>

namespace core {

// Kinds of undo record, with the numbers the records have always carried.
enum UndoType : int {
    kRowsReplaced = 1,   // in-place edit, line or difference copied, line deleted
    kLineInserted = 3,   // empty line inserted
    kRowRemoved = 4,     // rows removed from both sides
    kRowsSaved = 5,      // rows overwritten by paste or emptied by cut, old entries saved
    kRowsPasted = 6,     // rows inserted by paste
};

// One row map entry as it was before a change.
struct SavedEntry {
    int row = 0;
    int entry = 0;
    bool operator==(const SavedEntry&) const = default;
};

// One undoable change of one side. A freshly taken record is type 1, side none, row -1.
struct UndoRecord {
    int type = kRowsReplaced;
    int side = -1;       // the side (pane) whose row map the record restores
    int row = -1;        // first row concerned
    int value = 0;       // type 1: first old entry
    int countA = 0;      // type 1: number of rows restored
    int countB = 0;      // type 1: rows that get line indices; types 5 and 6: number of rows
    std::vector<SavedEntry> savedEntries;   // old entries with their rows, owned by the record;
                                            // type 4: this side's, then the other side's
};

} // namespace core
