#pragma once

#include <QPoint>
#include <optional>
#include <string>

#include "framework/messages.h"
#include "framework/services.h"

namespace panes {

class CTableView;

// What a pane needs of the frame window around it: which pane is active, a window to post
// commands and the close request to (and to ask at once, as for the Find box text), the
// context menu, the Save As and Go to line dialogs and the status bar's coloured messages.
class ViewFrame {
public:
    virtual ~ViewFrame() = default;

    virtual void activateView(CTableView* view) = 0;
    virtual CTableView* activeView() const = 0;
    virtual framework::MessageTarget& frameWindow() = 0;
    // A message handled at once by the frame window; its result.
    virtual framework::LResult sendToFrame(framework::MessageId message, framework::WParam wParam,
                                           framework::LParam lParam) = 0;
    // The panes' context menu at a screen point; the chosen command is routed as usual.
    virtual void showContextMenu(const QPoint& screenPoint) = 0;
    // The dialog that asks where a pane's rows are saved under a new name; empty on Cancel.
    virtual std::optional<framework::FileDialogResult> saveAsDialog(const framework::FileDialogRequest& request) = 0;
    // The Go to line dialog opened on a line number; the number chosen, none on Cancel.
    virtual std::optional<int> askLineNumber(int lineNumber) = 0;
    // A message in the status bar's first pane, in these colours, cleared after the delay.
    virtual void showColoredMessage(const std::string& text, framework::ColorRef background,
                                    framework::ColorRef textColor, int clearAfterTenths) = 0;
};

} // namespace panes
