#pragma once

#include <QPoint>

namespace panes {

// Sent with the drag hit-test hint: a pane whose grid shows a row under the screen point
// sets hit.
struct DragHit {
    QPoint screen;
    bool hit = false;
};

} // namespace panes
