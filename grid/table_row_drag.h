#pragma once

#include <QPoint>

#include "framework/messages.h"

namespace grid {

class TCellTableBox;

// A row dragged out of a table box. A click the parent allows (TBM_CANDRAG) arms it, and
// it starts once the mouse has gone the platform's drag distance; an Alt click starts it
// at once. While it lasts the mouse is captured and the parent hears, in screen
// coordinates, where the mouse is (TBM_DRAGOVER) and where it was let go (TBM_DROP).
class TableRowDrag {
public:
    explicit TableRowDrag(TCellTableBox& box) : m_box(box) {}

    bool isDragging() const { return m_dragging; }
    // Armed or dragging: Escape ends it.
    bool inProgress() const { return m_armed || m_dragging; }

    // Drags from now on, without asking the parent.
    void start();
    // Arms a drag of the current row from this point when the parent allows it.
    void arm(const QPoint& point);
    // A mouse move: true when it belongs to the drag (and the parent has heard it).
    bool moveTo(const QPoint& point);
    // The button went up: true when it dropped a dragged row (and the parent has heard it).
    bool dropAt(const QPoint& point);
    void end();

private:
    void tellParent(framework::MessageId message, const QPoint& point);

    TCellTableBox& m_box;
    QPoint m_start;
    bool m_armed = false;
    bool m_dragging = false;
};

} // namespace grid
