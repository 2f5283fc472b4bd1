#pragma once

namespace panes {

// The object of kHintVisibleRows: the rows a pane shows now, for the overview strip's marker.
struct VisibleRows {
    int first = 0;
    int last = 0;
};

} // namespace panes
