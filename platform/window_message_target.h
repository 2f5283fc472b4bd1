#pragma once

#include <QPointer>

#include "framework/messages.h"
#include "platform/window.h"

namespace platform {

// Lets logic below the platform layer post to a window; a window gone by then gets nothing.
class WindowMessageTarget : public framework::MessageTarget {
public:
    explicit WindowMessageTarget(Window* window) : m_window(window) {}

    void post(framework::MessageId message, framework::WParam wParam, framework::LParam lParam) override
    {
        if (m_window)
            m_window->post(message, wParam, lParam);
    }

private:
    QPointer<Window> m_window;
};

} // namespace platform
