#pragma once

#include <cstdint>

#include "core/edit_pair.h"
#include "core/row_map.h"

namespace core {

// Read-only questions about one side's aligned rows: where its differences lie and which row
// carries a line number. The panes ask them; changing rows is RowEditor's.
class RowQueries {
public:
    RowQueries(const EditPair& pair, int side);

    int rowCount() const { return *m_pair.rowCount; }
    // A row of the pair (within the row count).
    bool isRow(int row) const { return row >= 0 && row < rowCount(); }
    // A virtual row or a line whose state is not Same.
    bool isDifferenceRow(int row) const;
    // The first row of the run of difference rows that holds row; row itself when the row
    // above is no difference.
    int blockStart(int row) const;
    // The first row of the first difference block; -1 when there is none.
    int firstDifference() const { return findDifference(-1, true); }
    // The first row of the next difference block from start (-1: from the top), leaving
    // the block start lies in first; -1 when there is none.
    int findDifference(int start, bool forwards) const;
    // The first row of line number n as the rows stand (see lineNumberAt); -1 when there is
    // no such line.
    int rowOfLine(int n) const;
    // The number the line shown in row has in the file as the rows stand, the pieces of a
    // cut line counting as one line, as saving writes them; 0 for a virtual row or no row.
    int lineNumberAt(int row) const;
    // The rows first .. end - 1 that show a line: in a file without cut lines, the line
    // number of the last of them is that many more than the line above first.
    int linesShownIn(int first, int end) const;
    // The number of the line shown in row or, on a virtual row, of the last line above it;
    // 0 when there is none.
    int lineNumberNear(int row) const;

private:
    // Walks the rows from the top, counting lines as saving writes them, until stop(row,
    // number) holds for a row that starts or continues a line; the row then, else -1.
    template <typename Stop>
    int walkLines(Stop stop) const;
    std::int32_t entry(int row) const { return (*m_pair.rows[m_side])[static_cast<std::size_t>(row)]; }

    EditPair m_pair;
    int m_side;
};

} // namespace core
