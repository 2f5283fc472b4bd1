#include "core/row_queries.h"

#include <cassert>

#include "core/line_file.h"
#include "core/side.h"

namespace core {

RowQueries::RowQueries(const EditPair& pair, int side)
    : m_pair(pair)
    , m_side(side)
{
    assert(side == kSourceSide || side == kDestinationSide);
}

bool RowQueries::isDifferenceRow(int row) const
{
    if (!isRow(row))
        return false;
    const LineRecord* line = m_pair.files[m_side]->lineAt(entry(row));
    return line == nullptr || line->state() != LineState::Same;
}

int RowQueries::blockStart(int row) const
{
    int start = row;
    while (start > 0 && isDifferenceRow(start - 1))
        --start;
    return start;
}

int RowQueries::findDifference(int start, bool forwards) const
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

int RowQueries::rowOfLine(int n) const
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
    while (found > 0 && isVirtualRow(entry(found)))
        --found;
    return found;
}

int RowQueries::lineNumberAt(int row) const
{
    const LineFile& file = *m_pair.files[m_side];
    if (!isRow(row) || file.lineAt(entry(row)) == nullptr)
        return 0;
    // As saving writes them: a piece runs on into the next line shown on its side.
    int number = 0;
    bool continued = false;
    for (int r = 0; r <= row; ++r) {
        const LineRecord* line = file.lineAt(entry(r));
        if (line == nullptr)
            continue;
        if (!continued)
            ++number;
        continued = line->continues();
    }
    return number;
}

} // namespace core
