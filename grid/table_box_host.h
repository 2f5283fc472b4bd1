#pragma once

#include <cstdint>
#include <functional>

#include "platform/window.h"

class QDialog;

namespace grid {

class TCellTableBox;

// Lets a dialog own a table box. The box sends its requests to a notify window, which a
// QDialog is not; the host is that window. It hands every request to the dialog's handler
// and keeps the dialog's own keys: Enter in the box presses the default button, Escape
// rejects the dialog.
class TableBoxHost : public platform::Window {
public:
    using Requests = std::function<framework::LResult(framework::MessageId message, framework::WParam wParam,
                                                      framework::LParam lParam)>;

    TableBoxHost(QDialog& dialog, Requests requests);

    // A table box with this host, a child of parent (a widget of the dialog); it goes with
    // its parent. Null when it could not be made.
    TCellTableBox* createBox(QWidget* parent, int controlId, std::uint32_t creationStyle = 0);

protected:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override;

private:
    void pressDefaultButton();

    QDialog& m_dialog;
    Requests m_requests;
};

} // namespace grid
