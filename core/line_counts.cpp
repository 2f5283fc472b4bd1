#include "core/line_counts.h"

#include <cassert>

namespace core {

int LineCounts::linesThrough(const RowQueries& rows, int row, std::uint64_t rowsRevision)
{
    assert(rows.isRow(row));
    if (m_linesBefore.empty() || rowsRevision != m_rowsRevision) {
        m_rowsRevision = rowsRevision;
        m_linesBefore.assign(1, 0);
    }
    const auto block = static_cast<std::size_t>(row / m_blockRows);
    // The blocks above row's are whole rows of the file.
    while (m_linesBefore.size() <= block) {
        const int first = static_cast<int>(m_linesBefore.size() - 1) * m_blockRows;
        m_linesBefore.push_back(m_linesBefore.back() + rows.linesShownIn(first, first + m_blockRows));
    }
    return m_linesBefore[block] + rows.linesShownIn(static_cast<int>(block) * m_blockRows, row + 1);
}

} // namespace core
