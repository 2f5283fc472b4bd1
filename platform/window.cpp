#include "platform/window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "platform/painter.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"

namespace platform {

namespace {

// A message queued by post(), delivered through the event loop in order.
class PostedMessage : public QEvent {
public:
    PostedMessage(MessageId message, WParam wParam, LParam lParam)
        : QEvent(type()), message(message), wParam(wParam), lParam(lParam)
    {
    }

    static QEvent::Type type()
    {
        static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }

    MessageId message;
    WParam wParam;
    LParam lParam;
};

// The client and non-client messages (0: none) of each button's press, release and
// double-click; an event not listed goes to QWidget.
struct ButtonMessages {
    QEvent::Type type;
    Qt::MouseButton button;
    MessageId client;
    MessageId nonClient;
};

constexpr ButtonMessages kButtonMessages[] = {
    {QEvent::MouseButtonPress, Qt::LeftButton, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN},
    {QEvent::MouseButtonPress, Qt::RightButton, WM_RBUTTONDOWN, WM_NCRBUTTONDOWN},
    {QEvent::MouseButtonPress, Qt::MiddleButton, WM_MBUTTONDOWN, 0},
    {QEvent::MouseButtonRelease, Qt::LeftButton, WM_LBUTTONUP, WM_NCLBUTTONUP},
    {QEvent::MouseButtonRelease, Qt::RightButton, WM_RBUTTONUP, 0},
    {QEvent::MouseButtonRelease, Qt::MiddleButton, WM_MBUTTONUP, 0},
    {QEvent::MouseButtonDblClick, Qt::LeftButton, WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK},
    {QEvent::MouseButtonDblClick, Qt::RightButton, WM_RBUTTONDBLCLK, 0},
};

constexpr LParam kPreviousKeyDown = LParam{1} << 30;
constexpr LParam kKeyReleased = LParam{1} << 31;

LParam keyData(const QKeyEvent* event, bool release)
{
    LParam data = 1 | (static_cast<LParam>(event->nativeScanCode() & 0xFF) << 16);
    if (event->isAutoRepeat() || release)
        data |= kPreviousKeyDown;
    if (release)
        data |= kKeyReleased;
    return data;
}

LParam packPoint(const QPoint& point)
{
    return makeLParam(point.x(), point.y());
}

QPoint unpackPoint(LParam value)
{
    return QPoint(lowWord(value), highWord(value));
}

bool isTabKey(const QEvent* event)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
}

} // namespace

Window::Window(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

Window::~Window() = default;

bool Window::create(QWidget* parent, const QRect& rect, std::uint32_t style, int controlId)
{
    setParent(parent);
    setGeometry(rect);
    m_style = parent ? (style | WS_CHILD) : style;
    m_controlId = controlId;
    m_created = true;
    if (!onCreate()) {
        m_created = false;
        hide();
        return false;
    }
    setVisible((style & WS_VISIBLE) != 0 || !parent);
    return true;
}

LResult Window::send(MessageId message, WParam wParam, LParam lParam)
{
    return windowProc(message, wParam, lParam);
}

void Window::post(MessageId message, WParam wParam, LParam lParam)
{
    QCoreApplication::postEvent(this, new PostedMessage(message, wParam, lParam));
}

Window* Window::parentWindow() const
{
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget())
        if (auto* window = dynamic_cast<Window*>(widget))
            return window;
    return nullptr;
}

Window* Window::notifyWindow() const
{
    if (m_notify)
        return m_notify;
    if (m_owner)
        return m_owner;
    return parentWindow();
}

Window* Window::setNotifyWindow(Window* window)
{
    Window* previous = m_notify;
    m_notify = window;
    return previous;
}

void Window::invalidate(const QRect& rect)
{
    invalidateRegion(QRegion(rect.translated(clientArea().topLeft())).intersected(clientArea()));
}

void Window::invalidateRegion(const QRegion& widgetRegion)
{
    if (!m_created || widgetRegion.isEmpty())
        return;
    m_paintPending = true;
    update(widgetRegion);
}

void Window::invalidateAll()
{
    invalidateRegion(QRegion(rect()));
}

void Window::scrollArea(int dx, int dy, const QRect& widgetRect)
{
    if (!m_created || widgetRect.isEmpty())
        return;
    m_paintPending = true;
    scroll(dx, dy, widgetRect);
}

// Scroll bars repaint themselves when their value changes; painting them again with every
// synchronous update of the window would double the cost of a page move.
void Window::updateNow()
{
    if (!m_created || !m_paintPending || !isVisible())
        return;
    QRegion region(rect());
    for (const QScrollBar* bar : findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (bar->isVisible())
            region -= bar->geometry();
    repaint(region);
}

void Window::setCapture()
{
    m_capture = true;
}

void Window::releaseCapture()
{
    m_capture = false;
}

unsigned Window::keyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

LResult Window::windowProc(MessageId message, WParam wParam, LParam lParam)
{
    return defaultProc(message, wParam, lParam);
}

LResult Window::defaultProc(MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case WM_KEYDOWN: onKeyDown(static_cast<int>(wParam), lParam); return 0;
    case WM_KEYUP: onKeyUp(static_cast<int>(wParam), lParam); return 0;
    case WM_CHAR: onChar(static_cast<unsigned>(wParam), lParam); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        onMouse(message, static_cast<unsigned>(wParam), unpackPoint(lParam));
        return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
        onNcMouse(message, static_cast<int>(wParam), unpackPoint(lParam));
        return 0;
    case WM_NCHITTEST: {
        const QPoint point = mapFromGlobal(unpackPoint(lParam));
        return clientArea().contains(point) ? HTCLIENT : onNcHitTest(point);
    }
    case WM_MOUSEWHEEL:
        onWheel(highWord(static_cast<LParam>(wParam)), static_cast<unsigned>(wParam & 0xFFFF), unpackPoint(lParam));
        return 0;
    case WM_SIZE: onSize(lowWord(lParam), highWord(lParam)); return 0;
    case WM_SETFOCUS: onSetFocus(reinterpret_cast<QWidget*>(wParam)); return 0;
    case WM_KILLFOCUS: onKillFocus(reinterpret_cast<QWidget*>(wParam)); return 0;
    case WM_GETDLGCODE: return dialogCode();
    default: return 0;
    }
}

void Window::onPaint(Painter&, const QRegion&) {}
void Window::onKeyDown(int, LParam) {}
void Window::onKeyUp(int, LParam) {}
void Window::onChar(unsigned, LParam) {}
void Window::onMouse(MessageId, unsigned, const QPoint&) {}
void Window::onNcMouse(MessageId, int, const QPoint&) {}
int Window::onNcHitTest(const QPoint&) { return HTNOWHERE; }
void Window::onWheel(int, unsigned, const QPoint&) {}
void Window::onSize(int, int) {}
void Window::onSetFocus(QWidget*) {}
void Window::onKillFocus(QWidget*) {}

bool Window::event(QEvent* event)
{
    if (event->type() == PostedMessage::type()) {
        const auto* posted = static_cast<PostedMessage*>(event);
        send(posted->message, posted->wParam, posted->lParam);
        return true;
    }
    // A window that wants every key keeps Tab instead of letting Qt move the focus.
    if (event->type() == QEvent::KeyPress && isTabKey(event) && (send(WM_GETDLGCODE) & DLGC_WANTALLKEYS)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void Window::paintEvent(QPaintEvent* event)
{
    m_paintPending = false;
    Painter painter(this);
    onPaint(painter, event->region());
}

void Window::keyPressEvent(QKeyEvent* event)
{
    const int virtualKey = virtualKeyFromQt(event->key());
    const LParam data = keyData(event, false);
    m_keyBacklogged = event->isAutoRepeat() && event->key() == m_lastKey && event->timestamp() < m_busyUntil;
    QElapsedTimer busy;
    busy.start();
    if (virtualKey != 0)
        send(WM_KEYDOWN, static_cast<WParam>(virtualKey), data);
    if (!m_keyBacklogged) {
        m_lastKey = event->key();
        m_busyUntil = event->timestamp() + static_cast<std::uint64_t>(busy.elapsed());
    }
    m_keyBacklogged = false;
    for (const QChar character : event->text())
        if (!character.isNull())
            send(WM_CHAR, character.unicode(), data);
    event->accept();
}

void Window::keyReleaseEvent(QKeyEvent* event)
{
    const int virtualKey = virtualKeyFromQt(event->key());
    if (virtualKey != 0)
        send(WM_KEYUP, static_cast<WParam>(virtualKey), keyData(event, true));
    event->accept();
}

void Window::sendMouse(QMouseEvent* event, MessageId client, MessageId nonClient)
{
    const QPoint point = event->position().toPoint();
    const bool inClient = clientArea().contains(point);
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    const bool dragging = event->type() == QEvent::MouseButtonRelease || event->buttons() != Qt::NoButton;
    // A press decides for the moves and the release that follow it, as a grab would.
    const bool asClient = m_capture || (!press && dragging ? m_pressInClient : inClient);
    if (press)
        m_pressInClient = inClient;
    if (asClient || nonClient == 0) {
        const WParam flags = keyFlags(event->buttons(), event->modifiers());
        send(client, flags, packPoint(widgetToClient(point)));
    } else {
        const QPoint global = event->globalPosition().toPoint();
        const int hit = static_cast<int>(send(WM_NCHITTEST, 0, packPoint(global)));
        send(nonClient, static_cast<WParam>(hit), packPoint(global));
    }
    event->accept();
}

bool Window::sendButton(QMouseEvent* event)
{
    for (const ButtonMessages& messages : kButtonMessages) {
        if (messages.type == event->type() && messages.button == event->button()) {
            sendMouse(event, messages.client, messages.nonClient);
            return true;
        }
    }
    return false;
}

void Window::mousePressEvent(QMouseEvent* event)
{
    if (!sendButton(event))
        QWidget::mousePressEvent(event);
}

void Window::mouseReleaseEvent(QMouseEvent* event)
{
    if (!sendButton(event))
        QWidget::mouseReleaseEvent(event);
}

void Window::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!sendButton(event))
        QWidget::mouseDoubleClickEvent(event);
}

void Window::mouseMoveEvent(QMouseEvent* event)
{
    sendMouse(event, WM_MOUSEMOVE, WM_NCMOUSEMOVE);
}

void Window::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const unsigned flags = keyFlags(event->buttons(), event->modifiers());
    const WParam wParam = (static_cast<WParam>(static_cast<std::uint16_t>(delta)) << 16) | flags;
    send(WM_MOUSEWHEEL, wParam, packPoint(event->globalPosition().toPoint()));
    event->accept();
}

void Window::resizeEvent(QResizeEvent*)
{
    const QSize size = clientArea().size();
    send(WM_SIZE, 0, makeLParam(size.width(), size.height()));
}

void Window::focusInEvent(QFocusEvent*)
{
    send(WM_SETFOCUS, 0, 0);
}

void Window::focusOutEvent(QFocusEvent*)
{
    send(WM_KILLFOCUS, reinterpret_cast<WParam>(QApplication::focusWidget()), 0);
}


} // namespace platform
