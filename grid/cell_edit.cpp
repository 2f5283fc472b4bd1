#include "grid/cell_edit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "grid/cell_messages.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

bool producesCharacter(const QKeyEvent* event)
{
    QString typed = event->text();
    return !typed.isEmpty() && (typed.front().isPrint() || typed.front() == QLatin1Char(' '))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

CCellEdit::CCellEdit(platform::Window* grid, int controlId, Qt::Alignment alignment)
    : CMaskEdit(grid)
    , m_grid(grid)
    , m_controlId(controlId)
{
    setAlignment(alignment | Qt::AlignVCenter);
    setFrame(false);
    hide();
    connect(this, &QLineEdit::textChanged, this, [this] { offer(TCM_EDITCHANGE, 0); });
}

framework::LResult CCellEdit::offer(unsigned message, framework::WParam wParam)
{
    return m_grid->send(message, wParam, reinterpret_cast<framework::LParam>(this));
}

// The editor wants every key, Tab included.
bool CCellEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return CMaskEdit::event(event);
}

void CCellEdit::keyPressEvent(QKeyEvent* event)
{
    // Whatever the editor does not use stays here: the grid hears of keys only as offered.
    event->accept();
    int virtualKey = platform::virtualKeyFromQt(event->key());
    if (offer(TCM_EDITKEYDOWN, framework::WParam(virtualKey)) == kVeto)
        return;
    int selectionStartBefore = hasSelectedText() ? selectionStart() : cursorPosition();
    switch (routeOf(event)) {
    case Route::ToGrid:
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            setCursorPosition(hasEditMask() ? int(editMask().firstPlaceholder()) : 0);
        passToGrid(event);
        return;
    case Route::ToGridKeepCaret:
        passToGrid(event);
        setCursorPosition(selectionStartBefore);
        return;
    case Route::Edit:
        break;
    }
    if (producesCharacter(event) && !offerCharacter(event))
        return;
    CMaskEdit::keyPressEvent(event);
    event->accept();
}

CCellEdit::Route CCellEdit::routeOf(const QKeyEvent* event) const
{
    bool selection = hasSelectedText();
    bool shift = event->modifiers() & Qt::ShiftModifier;
    bool ctrl = event->modifiers() & Qt::ControlModifier;
    int caret = cursorPosition();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Route::ToGrid;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return Route::ToGridKeepCaret;
    case Qt::Key_End:
    case Qt::Key_Right: {
        int end = hasEditMask() ? int(editMask().editableEnd()) : int(text().size());
        if (selection || shift || (caret < end && !ctrl))
            return Route::Edit;
        return Route::ToGrid;
    }
    case Qt::Key_Home:
    case Qt::Key_Left: {
        int start = hasEditMask() ? int(editMask().firstPlaceholder()) : 0;
        if (selection || shift || (caret > start && !ctrl))
            return Route::Edit;
        return Route::ToGrid;
    }
    default:
        return Route::Edit;
    }
}

void CCellEdit::passToGrid(const QKeyEvent* event)
{
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   ushort(event->count()));
    QCoreApplication::sendEvent(m_grid, &copy);
}

bool CCellEdit::offerCharacter(const QKeyEvent* event)
{
    return offer(TCM_EDITCHAR, framework::WParam(event->text().front().unicode())) != kVeto;
}

void CCellEdit::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (offer(TCM_EDITKEYUP, framework::WParam(platform::virtualKeyFromQt(event->key()))) == kVeto)
        return;
    CMaskEdit::keyReleaseEvent(event);
}

bool CCellEdit::offerMouse(unsigned message, const QMouseEvent* event)
{
    Q_UNUSED(event);
    return offer(TCM_EDITMOUSE, message) != kVeto;
}

void CCellEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_rightClickTaken = !offerMouse(platform::WM_RBUTTONDOWN, event);
        if (m_rightClickTaken)
            return;
    } else if (event->button() == Qt::MiddleButton && !offerMouse(platform::WM_MBUTTONDOWN, event)) {
        return;
    } else if (event->button() == Qt::LeftButton && !offerMouse(platform::WM_LBUTTONDOWN, event)) {
        return;
    }
    CMaskEdit::mousePressEvent(event);
}

void CCellEdit::mouseReleaseEvent(QMouseEvent* event)
{
    unsigned message = event->button() == Qt::RightButton  ? platform::WM_RBUTTONUP
                       : event->button() == Qt::MiddleButton ? platform::WM_MBUTTONUP
                                                              : platform::WM_LBUTTONUP;
    if (!offerMouse(message, event))
        return;
    CMaskEdit::mouseReleaseEvent(event);
}

void CCellEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        unsigned flags = platform::Window::keyFlags(event->buttons(), event->modifiers());
        if (offer(TCM_EDITDBLCLK, flags) == kVeto)
            return;
    } else if (event->button() == Qt::RightButton && !offerMouse(platform::WM_RBUTTONDBLCLK, event)) {
        return;
    }
    CMaskEdit::mouseDoubleClickEvent(event);
}

void CCellEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_rightClickTaken) {
        m_rightClickTaken = false;
        event->accept();
        return;
    }
    CMaskEdit::contextMenuEvent(event);
}

void CCellEdit::focusInEvent(QFocusEvent* event)
{
    CMaskEdit::focusInEvent(event);
    offer(TCM_EDITSETFOCUS, 0);
}

void CCellEdit::focusOutEvent(QFocusEvent* event)
{
    CMaskEdit::focusOutEvent(event);
    offer(TCM_EDITKILLFOCUS, 0);
}

} // namespace grid
