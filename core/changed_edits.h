#pragma once

namespace core {

// Filled in by the panes for kHintChangedEdits: the sides whose pane holds an open in-cell edit that
// has changed the row's text and is not stored yet.
struct ChangedEdits {
    bool sides[2] = {};
};

} // namespace core
