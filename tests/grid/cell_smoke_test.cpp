#include <gtest/gtest.h>

#include "tests/grid/grid_owner.h"

namespace grid_test {

TEST(CellSmoke, RowDownMovesAndReportsOnce)
{
    GridFixture f(TCS_NOTIFY | TCS_HEADER, 5, 100);
    EXPECT_EQ(f.grid->send(TCM_ROWDOWN, 1), 1);
    EXPECT_EQ(f.pos().row, 1);
    EXPECT_EQ(f.owner->count(TCN_POSCHANGED), 1);
}

} // namespace grid_test
