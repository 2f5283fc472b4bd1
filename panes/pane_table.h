#pragma once

#include <cstdint>

#include "grid/cell_messages.h"
#include "grid/cell_table_box.h"

namespace panes {

// The table box of a file pane. Its default row height comes from the cell font alone
// (font 1, which kHintSetFont sets), so that the panes' rows stay tight whatever other fonts
// the grid holds.
class CPaneTable : public grid::TCellTableBox {
public:
    // The grid styles a pane goes without: lines between cells, the header, sizing columns.
    static constexpr std::uint32_t kRemovedGridStyle =
        grid::TCS_HGRID | grid::TCS_VGRID | grid::TCS_HEADER | grid::TCS_COLSIZE;

    using grid::TCellTableBox::TCellTableBox;

protected:
    int computeDefaultRowHeight() const override;
};

// Sets a pane's table up with rows: one text column columnWidth pixels wide, no header,
// several rows selectable, and the keys offered to the pane with Enter kept for it.
void setUpTextColumn(grid::TCellTableBox& table, int rows, int columnWidth);

} // namespace panes
