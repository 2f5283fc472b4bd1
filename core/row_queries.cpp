#include "core/row_queries.h"

#include <algorithm>

#include <cassert>

#include "core/line_file.h"
#include "core/side.h"

namespace core {

RowQueries::RowQueries(const EditPair& pair, int side)
    : m_pair(pair)
    , m_side(side)
{
    assert(side == kSourceSide || side == kTargetSide);
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

template <typename Stop>
int RowQueries::walkLines(Stop stop) const
{
    const LineFile& file = *m_pair.files[m_side];
    // As saving writes them: a piece runs on into the next line shown on its side.
    int number = 0;
    bool continued = false;
    for (int row = 0; row < rowCount(); ++row) {
        const LineRecord* line = file.lineAt(entry(row));
        if (line == nullptr)
            continue;
        if (!continued)
            ++number;
        continued = line->continues();
        if (stop(row, number))
            return row;
    }
    return -1;
}

int RowQueries::rowOfLine(int n) const
{
    if (n <= 0)
        return -1;
    return walkLines([n](int, int number) { return number == n; });
}

int RowQueries::lineNumberAt(int row) const
{
    const LineFile& file = *m_pair.files[m_side];
    if (!isRow(row) || file.lineAt(entry(row)) == nullptr)
        return 0;
    // Without cut lines every row that shows a line starts one: a count, which the caption
    // asks for on every move, is several times quicker than the walk over millions of rows.
    if (!file.hasCutLines())
        return linesShownIn(0, row + 1);
    int found = 0;
    walkLines([&found, row](int r, int number) {
        found = number;
        return r >= row;
    });
    return found;
}

int RowQueries::linesShownIn(int first, int end) const
{
    const RowMap& rows = *m_pair.rows[m_side];
    const auto lines = static_cast<std::uint32_t>(m_pair.files[m_side]->count());
    return static_cast<int>(std::count_if(rows.begin() + first, rows.begin() + end,
                                          [lines](std::int32_t e) { return static_cast<std::uint32_t>(e) < lines; }));
}

int RowQueries::lineNumberNear(int row) const
{
    int found = 0;
    walkLines([&found, row](int r, int number) {
        if (r > row)
            return true;
        found = number;
        return false;
    });
    return found;
}

} // namespace core
