#pragma once

#include <cstdint>

#include "core/edit_pair.h"
#include "core/row_editor.h"

namespace panes {

class FindPattern;

// The searches of a pane over the document's aligned rows, on one side: the next
// difference block, the row of a line number, and the rows whose line holds a text.
class RowFinder {
public:
    RowFinder(const core::EditPair& pair, int side);

    // The number shown for a row entry: |entry + 1|.
    static int lineNumberOf(std::int32_t entry) { return entry + 1 < 0 ? -(entry + 1) : entry + 1; }

    int rowCount() const { return *m_pair.rowCount; }
    bool isDifferenceRow(int row) const { return m_editor.isDifferenceRow(row); }
    // The first row of the next difference block from start (-1: from the top), leaving
    // the block start lies in first; -1 when there is none.
    int findDifference(int start, bool forwards) const;
    // The row of line number n, a virtual row giving way to the real line above it; -1
    // when no row carries the number.
    int rowOfLine(int n) const;
    // The first row from `from` towards `limit` whose line holds the pattern: forwards
    // rows from + 1 ... limit - 1, backwards rows from - 1 down to limit; -1 for none.
    int searchRows(const FindPattern& pattern, int from, int limit, bool forwards) const;

private:
    std::int32_t entry(int row) const { return (*m_pair.rows[m_side])[static_cast<std::size_t>(row)]; }
    bool lineHolds(const FindPattern& pattern, int row) const;

    core::EditPair m_pair;
    int m_side;
    core::RowEditor m_editor;
};

} // namespace panes
