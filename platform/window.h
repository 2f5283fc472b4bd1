#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "framework/messages.h"

namespace platform {

class Painter;

using framework::LParam;
using framework::LResult;
using framework::MessageId;
using framework::WParam;

// A widget that talks in window messages. send() runs the window procedure at once; post()
// queues the message through the event loop, delivered in order. Qt's paint, key, mouse,
// wheel, resize and focus events become the platform's messages (client coordinates relative
// to clientArea(), non-client messages with a hit code outside it) and reach the handlers
// through defaultProc(), so a subclass may intercept any of them in windowProc().
class Window : public QWidget {
public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // Creates the window as a child of parent (or top level without one) at rect, in the
    // parent's coordinates. False, and no window, when onCreate() refuses.
    bool create(QWidget* parent, const QRect& rect, std::uint32_t style, int controlId);
    bool isCreated() const { return m_created; }

    LResult send(MessageId message, WParam wParam = 0, LParam lParam = 0);
    void post(MessageId message, WParam wParam = 0, LParam lParam = 0);

    int controlId() const { return m_controlId; }
    std::uint32_t windowStyle() const { return m_style; }
    void setWindowStyle(std::uint32_t style) { m_style = style; }

    Window* owner() const { return m_owner; }
    void setOwner(Window* owner) { m_owner = owner; }
    // The nearest ancestor that is a Window.
    Window* parentWindow() const;
    // The explicit notify window, else the owner, else the parent.
    Window* notifyWindow() const;
    // Returns the previous explicit notify window.
    Window* setNotifyWindow(Window* window);

    // The client area in widget coordinates; the whole widget unless a subclass lays out
    // bands of its own around it.
    virtual QRect clientArea() const { return rect(); }
    QRect clientRect() const { return QRect(QPoint(0, 0), clientArea().size()); }
    QPoint clientToWidget(const QPoint& point) const { return point + clientArea().topLeft(); }
    QPoint widgetToClient(const QPoint& point) const { return point - clientArea().topLeft(); }

    // Invalidation in client coordinates (clipped to nothing when the window does not exist).
    void invalidate(const QRect& clientRect);
    void invalidateRegion(const QRegion& widgetRegion);
    void invalidateAll();
    // Moves the pixels of a widget rectangle; what is uncovered becomes invalid.
    void scrollArea(int dx, int dy, const QRect& widgetRect);
    // Paints what is invalid now.
    void updateNow();

    // While captured, every mouse event goes to the client handlers, wherever it happens.
    void setCapture();
    void releaseCapture();

    // True while the key press being handled is a repeat of the key handled last that was
    // already waiting when that one was still being handled: held-down keys then need not
    // queue up more work than the window can do.
    bool isKeyBacklogged() const { return m_keyBacklogged; }

    // Key flags (MK_) of the mouse buttons and modifiers of a Qt input event.
    static unsigned keyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

protected:
    virtual LResult windowProc(MessageId message, WParam wParam, LParam lParam);
    // Turns the platform messages into calls of the handlers below; 0 for anything else.
    LResult defaultProc(MessageId message, WParam wParam, LParam lParam);

    virtual bool onCreate() { return true; }
    virtual void onPaint(Painter& painter, const QRegion& update);
    virtual void onKeyDown(int virtualKey, LParam keyData);
    virtual void onKeyUp(int virtualKey, LParam keyData);
    virtual void onChar(unsigned character, LParam keyData);
    // Client mouse messages (WM_LBUTTONDOWN ...) with client coordinates.
    virtual void onMouse(MessageId message, unsigned keyFlags, const QPoint& point);
    // Non-client mouse messages with the hit code and the point in global coordinates.
    virtual void onNcMouse(MessageId message, int hitCode, const QPoint& screenPoint);
    // The hit code of a point in widget coordinates outside the client area.
    virtual int onNcHitTest(const QPoint& widgetPoint);
    virtual void onWheel(int delta, unsigned keyFlags, const QPoint& screenPoint);
    virtual void onSize(int width, int height);
    virtual void onSetFocus(QWidget* previous);
    virtual void onKillFocus(QWidget* next);
    // The WM_GETDLGCODE answer; DLGC_WANTALLKEYS keeps Tab for the window.
    virtual int dialogCode() { return 0; }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void sendMouse(QMouseEvent* event, MessageId client, MessageId nonClient);
    // Sends the message of a button event; false when the button has none for it.
    bool sendButton(QMouseEvent* event);

    bool m_created = false;
    int m_controlId = 0;
    std::uint32_t m_style = 0;
    QPointer<Window> m_owner;
    QPointer<Window> m_notify;
    bool m_paintPending = false;
    bool m_capture = false;
    bool m_pressInClient = false;
    int m_lastKey = 0;
    std::uint64_t m_busyUntil = 0;    // event time at which the last handled key press was done
    bool m_keyBacklogged = false;
};

} // namespace platform
