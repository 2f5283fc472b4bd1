#pragma once

#include "core/edit_pair.h"

namespace core {

class LineRecord;

// A run of rows, first to last; empty when last < first.
struct RowSpan {
    int first = 0;
    int last = -1;
    bool operator==(const RowSpan&) const = default;
};

// The rows one line takes on a side. A line longer than a piece shows as several rows: each
// piece but the last continues into the next row of its side that shows a line (virtual rows
// may lie between). Commands that move or write lines widen their rows with these so that they
// never cut a line.
class LineRows {
public:
    LineRows(const EditPair& pair, int side);

    // span widened until neither of its ends cuts a line of this side.
    RowSpan whole(RowSpan span) const;
    // span widened until it cuts no line of either side.
    static RowSpan wholeOnBothSides(const EditPair& pair, RowSpan span);
    // The row lies inside a line: the nearest row above it that shows a line continues.
    bool isInsideLine(int row) const;

private:
    const LineRecord* lineAt(int row) const;
    // The nearest row before row, or after it, that shows a line; -1 when none.
    int shownBefore(int row) const;
    int shownAfter(int row) const;

    EditPair m_pair;
    int m_side;
};

} // namespace core
