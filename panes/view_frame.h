#pragma once

#include <QPoint>

#include "framework/messages.h"

namespace panes {

class CTableView;

// What a pane needs of the frame window around it: which pane is active, a window to post
// commands and the close request to, and the context menu.
class ViewFrame {
public:
    virtual ~ViewFrame() = default;

    virtual void activateView(CTableView* view) = 0;
    virtual CTableView* activeView() const = 0;
    virtual framework::MessageTarget& frameWindow() = 0;
    // The panes' context menu at a screen point; the chosen command is routed as usual.
    virtual void showContextMenu(const QPoint& screenPoint) = 0;
};

} // namespace panes
