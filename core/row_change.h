#pragma once

namespace core {

// Sent with the hints that insert rows (23) and remove rows (24), after the row maps have
// changed: every pane follows with its grid.
struct RowChange {
    int row = -1;
    int count = 1;
    bool gridRows = true;   // the grids insert or remove the rows too (else only the row
                            // count follows, with the next refresh)
};

} // namespace core
