#include "panes/pane_table.h"

#include "grid/cell_messages.h"

namespace panes {

int CPaneTable::computeDefaultRowHeight() const
{
    const grid::TextMetrics& metrics = font(1).metrics();
    const int height = metrics.height + metrics.internalLeading + metrics.externalLeading;
    return (gridStyle() & grid::TCS_TALLROWS) ? height + 2 : height;
}

void setUpTextColumn(grid::TCellTableBox& table, int rows, int columnWidth)
{
    constexpr int kTableMode = 4;    // several rows may be selected, no row-header column
    grid::TableFieldSpec text;
    text.caption = "Text";
    text.width = columnWidth;
    text.widthInPixels = true;
    table.addField(text);
    table.setUp(rows, kTableMode);
    table.setOption(grid::TCellTableBox::kSwitchNoHeader, true);
    table.setOption(grid::TCellTableBox::kOptionOfferKeys | grid::TCellTableBox::kOptionKeepEnter |
                        grid::TCellTableBox::kOptionDialog,
                    true);
}

} // namespace panes
