#pragma once

#include "grid/cell_table_box.h"

namespace panes {

// The table box of a file pane. Its default row height comes from the cell font alone
// (font 1, which hint 14 sets), so that the panes' rows stay tight whatever other fonts
// the grid holds.
class CPaneTable : public grid::TCellTableBox {
public:
    using grid::TCellTableBox::TCellTableBox;

protected:
    int computeDefaultRowHeight() const override;
};

} // namespace panes
