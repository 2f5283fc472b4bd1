#pragma once

#include <gtest/gtest.h>

#include "grid/cell_records.h"

namespace grid {

// A grid without rows or columns keeps its cell, origins and visible ranges at zero,
// whatever it was asked for.
inline void expectEmptyGridPosition(const TCellPosition& p)
{
    EXPECT_EQ(p.column, 0);
    EXPECT_EQ(p.row, 0);
    EXPECT_EQ(p.originX, 0);
    EXPECT_EQ(p.maxOriginX, 0);
    EXPECT_EQ(p.maxOriginY, 0);
    EXPECT_EQ(p.firstColumn, 0);
    EXPECT_EQ(p.lastColumn, 0);
    EXPECT_EQ(p.firstRow, 0);
    EXPECT_EQ(p.lastRow, 0);
}

} // namespace grid
