#include "panes/pane_table.h"

#include "grid/cell_messages.h"

namespace panes {

int CPaneTable::computeDefaultRowHeight() const
{
    const grid::TextMetrics& metrics = font(1).metrics();
    const int height = metrics.height + metrics.internalLeading + metrics.externalLeading;
    return (gridStyle() & grid::TCS_TALLROWS) ? height + 2 : height;
}

} // namespace panes
