#include "core/line_rows.h"

#include "core/line_file.h"

namespace core {

LineRows::LineRows(const EditPair& pair, int side)
    : m_pair(pair)
    , m_side(side)
{
}

const LineRecord* LineRows::lineAt(int row) const
{
    return m_pair.files[m_side]->lineAt((*m_pair.rows[m_side])[static_cast<std::size_t>(row)]);
}

int LineRows::shownBefore(int row) const
{
    for (--row; row >= 0; --row) {
        if (lineAt(row) != nullptr)
            return row;
    }
    return -1;
}

int LineRows::shownAfter(int row) const
{
    for (++row; row < *m_pair.rowCount; ++row) {
        if (lineAt(row) != nullptr)
            return row;
    }
    return -1;
}

bool LineRows::isInsideLine(int row) const
{
    const int above = shownBefore(row);
    return above >= 0 && lineAt(above)->continues();
}

RowSpan LineRows::whole(RowSpan span) const
{
    while (isInsideLine(span.first))
        span.first = shownBefore(span.first);
    for (;;) {
        const int last = lineAt(span.last) != nullptr ? span.last : shownBefore(span.last);
        const int rest = last >= 0 && lineAt(last)->continues() ? shownAfter(span.last) : -1;
        if (rest < 0)
            return span;
        span.last = rest;
    }
}

RowSpan LineRows::wholeOnBothSides(const EditPair& pair, RowSpan span)
{
    const LineRows source(pair, 0);
    const LineRows target(pair, 1);
    for (;;) {
        const RowSpan widened = target.whole(source.whole(span));
        if (widened == span)
            return span;
        span = widened;
    }
}

} // namespace core
