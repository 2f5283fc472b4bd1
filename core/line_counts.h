#pragma once

#include <cstdint>
#include <vector>

#include "core/row_queries.h"

namespace core {

// How many rows up to a row show a line, in a file without cut lines, for a caption that asks
// on every move, anywhere in millions of rows: a count per block of rows, made as far down as
// asked and kept while the rows are as they were.
class LineCounts {
public:
    explicit LineCounts(int blockRows = 1 << 16) : m_blockRows(blockRows) {}

    // The rows up to and including row that show a line, in rows that are those of
    // rowsRevision.
    int linesThrough(const RowQueries& rows, int row, std::uint64_t rowsRevision);

private:
    const int m_blockRows;
    std::uint64_t m_rowsRevision = 0;
    std::vector<int> m_linesBefore; // per block made so far: the rows above it that show a line
};

} // namespace core
