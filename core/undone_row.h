#pragma once

namespace core {

// Sent with kHintUndone: the pane of this side makes the row current and takes the focus.
struct UndoneRow {
    int side = -1;
    int row = -1;
};

} // namespace core
