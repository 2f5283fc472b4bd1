#include "grid/table_box_host.h"

#include <QDialog>
#include <QPushButton>

#include "grid/cell_table_box.h"
#include "grid/table_box_messages.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"

namespace grid {

TableBoxHost::TableBoxHost(QDialog& dialog, Requests requests)
    : m_dialog(dialog)
    , m_requests(std::move(requests))
{
    create(&dialog, QRect(), 0, 0);
}

TCellTableBox* TableBoxHost::createBox(QWidget* parent, int controlId, std::uint32_t creationStyle)
{
    auto* box = TCellTableBox::createInDialog(parent, QRect(0, 0, 200, 100), controlId, creationStyle);
    if (box)
        box->setNotifyWindow(this);
    return box;
}

framework::LResult TableBoxHost::windowProc(framework::MessageId message, framework::WParam wParam,
                                            framework::LParam lParam)
{
    if (message == platform::WM_KEYDOWN && wParam == framework::WParam(platform::VK_RETURN)) {
        pressDefaultButton();
        return 0;
    }
    if (message == platform::WM_COMMAND && wParam == framework::WParam(kCancelCommand)) {
        m_dialog.reject();
        return 0;
    }
    if (m_requests)
        return m_requests(message, wParam, lParam);
    return Window::windowProc(message, wParam, lParam);
}

void TableBoxHost::pressDefaultButton()
{
    for (QPushButton* button : m_dialog.findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isEnabled()) {
            button->click();
            return;
        }
    }
}

} // namespace grid
