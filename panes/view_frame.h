#pragma once

#include <optional>

#include <QPoint>

#include "framework/messages.h"
#include "framework/services.h"

namespace panes {

class CTableView;

// What a pane needs of the frame window around it: which pane is active, a window to post
// commands and the close request to, the context menu and the Save As dialog.
class ViewFrame {
public:
    virtual ~ViewFrame() = default;

    virtual void activateView(CTableView* view) = 0;
    virtual CTableView* activeView() const = 0;
    virtual framework::MessageTarget& frameWindow() = 0;
    // The panes' context menu at a screen point; the chosen command is routed as usual.
    virtual void showContextMenu(const QPoint& screenPoint) = 0;
    // The dialog that asks where a pane's rows are saved under a new name; empty on Cancel.
    virtual std::optional<framework::FileDialogResult> saveAsDialog(const framework::FileDialogRequest& request) = 0;
};

} // namespace panes
