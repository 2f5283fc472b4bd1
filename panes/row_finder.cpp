#include "panes/row_finder.h"

#include <algorithm>

#include "core/line_file.h"
#include "panes/find_pattern.h"

namespace panes {

RowFinder::RowFinder(const core::EditPair& pair, int side) : m_pair(pair), m_side(side), m_editor(pair, side) {}

int RowFinder::findDifference(int start, bool forwards) const
{
    const int count = rowCount();
    const int step = forwards ? 1 : -1;
    int row = start < 0 ? 0 : start;
    bool inside = start >= 0 && isDifferenceRow(start);
    for (; row >= 0 && row < count; row += step) {
        const bool difference = isDifferenceRow(row);
        if (inside && !difference)
            inside = false;
        else if (!inside && difference)
            return row;
    }
    return -1;
}

int RowFinder::rowOfLine(int n) const
{
    int lo = 0;
    int hi = rowCount();
    int previous = -1;
    int found = -1;
    while (true) {
        const int mid = (lo + hi) / 2;
        if (mid == previous || mid >= rowCount())
            break;
        previous = mid;
        const int v = lineNumberOf(entry(mid));
        if (v < n) {
            lo = mid;
        } else if (v > n) {
            hi = mid;
        } else {
            found = mid;
            break;
        }
    }
    while (found > 0 && core::isVirtualRow(entry(found)))
        --found;
    return found;
}

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
