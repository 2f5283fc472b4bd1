#pragma once

#include <cstdint>

#include "core/edit_pair.h"

namespace panes {

class FindPattern;

// The text search of a pane over the document's aligned rows, on one side: the rows whose
// line holds a text.
class RowFinder {
public:
    RowFinder(const core::EditPair& pair, int side);

    int rowCount() const { return *m_pair.rowCount; }
    // The first row from `from` towards `limit` whose line holds the pattern: forwards
    // rows from + 1 ... limit - 1, backwards rows from - 1 down to limit; -1 for none.
    int searchRows(const FindPattern& pattern, int from, int limit, bool forwards) const;

private:
    std::int32_t entry(int row) const { return (*m_pair.rows[m_side])[static_cast<std::size_t>(row)]; }
    bool lineHolds(const FindPattern& pattern, int row) const;

    core::EditPair m_pair;
    int m_side;
};

} // namespace panes
