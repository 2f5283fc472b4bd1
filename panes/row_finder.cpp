#include "panes/row_finder.h"

#include <algorithm>

#include "core/line_file.h"
#include "panes/find_pattern.h"

namespace panes {

RowFinder::RowFinder(const core::EditPair& pair, int side) : m_pair(pair), m_side(side) {}

bool RowFinder::lineHolds(const FindPattern& pattern, int row) const
{
    const core::LineRecord* line = m_pair.files[m_side]->lineAt(entry(row));
    return line != nullptr && pattern.foundIn(line->text());
}

int RowFinder::searchRows(const FindPattern& pattern, int from, int limit, bool forwards) const
{
    if (forwards) {
        const int end = std::min(limit, rowCount());
        for (int row = std::max(from + 1, 0); row < end; ++row)
            if (lineHolds(pattern, row))
                return row;
        return -1;
    }
    for (int row = std::min(from - 1, rowCount() - 1); row >= std::max(limit, 0); --row)
        if (lineHolds(pattern, row))
            return row;
    return -1;
}

} // namespace panes
