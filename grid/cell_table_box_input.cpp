#include "grid/cell_table_box.h"

#include <QDialog>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "grid/cell_edit.h"
#include "grid/cell_editors.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

// Control characters never go into a cell's text.
bool isTypedCharacter(unsigned character)
{
    return character >= 0x20 && character != 0x7F;
}

QDialog* dialogOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* dialog = qobject_cast<QDialog*>(w))
            return dialog;
    return nullptr;
}

} // namespace

// --- keys ---------------------------------------------------------------------------------

bool TCellTableBox::keepsEnter() const
{
    return (m_options & kOptionDialog) && (m_options & kOptionKeepEnter);
}

// A kept Enter is plain Enter: Ctrl+Enter is offered like any key.
bool TCellTableBox::keepsFromOwner(int virtualKey) const
{
    return virtualKey == platform::VK_RETURN && keepsEnter() && !platform::isControlDown();
}

bool TCellTableBox::offerKey(int virtualKey)
{
    TableKeyOffer offer;
    offer.window = this;
    offer.controlId = std::uintptr_t(controlId());
    offer.key = virtualKey;
    return toParent(platform::WM_NOTIFY, WParam(controlId()), addressParam(&offer)) != 0;
}

bool TCellTableBox::askRowMove(int virtualKey)
{
    const int row = position().row;
    int destination = row - 1;
    if (virtualKey == platform::VK_DOWN)
        destination = row + 2 >= rowCount() ? -1 : row + 2;   // before row n is the end too
    toParent(TBM_MOVEROW, WParam(destination), row);
    return true;
}

// Keys in the editor, before it handles them: -2 takes the key.
LResult TCellTableBox::editorKeyDown(int virtualKey)
{
    m_keyFromEditor = virtualKey;
    if (virtualKey == platform::VK_ESCAPE) {
        m_keyFromEditor = 0;
        if (m_options & kOptionKeepEscape)
            endEdit(false);
        else
            cancel();
        return kVeto;
    }
    if ((m_options & kOptionRowMoves) && platform::isControlDown()
        && (virtualKey == platform::VK_UP || virtualKey == platform::VK_DOWN)) {
        m_keyFromEditor = 0;
        askRowMove(virtualKey);
        return kVeto;
    }
    if (keepsFromOwner(virtualKey))
        return 0;
    if ((m_options & kOptionOfferKeys) && offerKey(virtualKey)) {
        m_keyFromEditor = 0;
        return kVeto;
    }
    return 0;
}

void TCellTableBox::onKeyDown(int virtualKey, LParam keyData)
{
    const bool offeredByEditor = std::exchange(m_keyFromEditor, 0) == virtualKey;
    if (virtualKey == platform::VK_RETURN && (m_options & kOptionDialog)) {
        endEdit(true);
        if (!keepsEnter()) {
            if (Window* parent = notifyWindow())
                parent->post(platform::WM_KEYDOWN, WParam(virtualKey), 0);
            else if (QDialog* dialog = dialogOf(this))
                for (QPushButton* button : dialog->findChildren<QPushButton*>())
                    if (button->isDefault())
                        QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
            return;
        }
    }
    if ((m_options & kOptionRowMoves) && platform::isControlDown()
        && (virtualKey == platform::VK_UP || virtualKey == platform::VK_DOWN)) {
        askRowMove(virtualKey);
        return;
    }
    if (virtualKey == platform::VK_ESCAPE) {
        if (m_editMode != EditMode::None || m_drag.isDragging())
            endEdit(false);
        else
            cancel();
        return;
    }
    // The parent hears a key before it may start an edit, so that its own keys (function
    // keys among them) reach it on this one channel.
    if (!offeredByEditor && (m_options & kOptionOfferKeys) && !keepsFromOwner(virtualKey) && offerKey(virtualKey))
        return;
    if (m_editMode == EditMode::None && !m_drag.isDragging() && startsEdit(virtualKey) && startEditByKey(virtualKey))
        return;
    if (m_editMode == EditMode::None && !m_drag.isDragging() && startEditAtEdge(virtualKey))
        return;
    TCell::onKeyDown(virtualKey, keyData);
}

bool TCellTableBox::startEditAtEdge(int virtualKey)
{
    if ((virtualKey != platform::VK_HOME && virtualKey != platform::VK_END) || platform::isControlDown()
        || platform::isAltDown() || platform::isShiftDown())
        return false;
    auto* editor = qobject_cast<CCellEdit*>(activeEditor());
    if (editor == nullptr || !startEditByKey(virtualKey))
        return false;
    m_charFromKey = 0;    // no character follows
    if (virtualKey == platform::VK_HOME)
        editor->home(false);
    else
        editor->end(false);
    return true;
}

void TCellTableBox::onChar(unsigned character, LParam keyData)
{
    if (std::exchange(m_charFromKey, 0) != 0 && isTypedCharacter(character)) {
        if (auto* editor = qobject_cast<CCellEdit*>(activeEditor()); editor && editor->hasFocus()) {
            editor->typeText(QString(QChar(char16_t(character))));
            return;
        }
    }
    TCell::onChar(character, keyData);
}

bool TCellTableBox::startsEdit(int virtualKey) const
{
    // A key held with Ctrl or Alt is a command, never text.
    if (platform::isControlDown() || platform::isAltDown())
        return false;
    return virtualKey == platform::VK_SPACE || (virtualKey >= '0' && virtualKey <= '9')
        || (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= platform::VK_F1 && virtualKey < platform::VK_F1 + 12);
}

bool TCellTableBox::startEditByKey(int virtualKey)
{
    const int column = position().column;
    const int row = position().row;
    if (!isCellEditable(column, row))
        return false;
    const int index = fieldOfColumn(column);
    if (index >= 0) {
        const std::uint32_t flags = field(index).flags;
        if ((flags & kFieldList) && !(flags & kFieldNoList))
            return openList(index);
        LResult kind = editKind(index, row);
        if (kind == kEditByParent) {
            if (virtualKey != platform::VK_SPACE)
                return false;
            if (toParent(TBM_EDITEVENT, WParam(controlId()), 0) != 0)
                setEditMode(EditMode::Edit);
            return true;
        }
        if (kind != kEditText && kind != kEditByOwner)
            return false;
    }
    QWidget* editor = activeEditor();
    if (!editor)
        return false;
    editor->setFocus(Qt::OtherFocusReason);
    setEditMode(EditMode::Edit);
    if (virtualKey < platform::VK_F1)
        m_charFromKey = virtualKey;
    return true;
}

void TCellTableBox::cancel()
{
    if (Window* parent = notifyWindow()) {
        parent->post(platform::WM_COMMAND, WParam(kCancelCommand), 0);
        return;
    }
    if (QDialog* dialog = dialogOf(this))
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
}

void TCellTableBox::endEdit(bool save)
{
    if (m_drag.inProgress())
        m_drag.end();
    if (m_editMode == EditMode::List) {
        closeList(save);
        return;
    }
    if (save)
        editing().commitInPlace();
    else
        editing().reload();
    setEditMode(EditMode::None);
    send(TCM_REDRAWFIXEDROW, WParam(position().row), 0);
}

// --- mouse --------------------------------------------------------------------------------

void TCellTableBox::onMouse(framework::MessageId message, unsigned keyFlags, const QPoint& point)
{
    switch (message) {
    case platform::WM_LBUTTONDOWN:
        if ((m_options & kOptionAltDrag) && platform::isAltDown()) {
            m_drag.start();
            return;
        }
        if (gridStyle() & TCS_PLAINSELECT)
            selectByClick(keyFlags, point);
        TCell::onMouse(message, keyFlags, point);
        if (m_clickDrags)
            m_drag.arm(point);
        return;
    case platform::WM_MOUSEMOVE:
        if (m_drag.moveTo(point))
            return;
        break;
    case platform::WM_LBUTTONUP:
        if (m_drag.dropAt(point))
            return;
        break;
    default:
        break;
    }
    TCell::onMouse(message, keyFlags, point);
}

void TCellTableBox::selectByClick(unsigned keyFlags, const QPoint& point)
{
    const bool shift = keyFlags & platform::MK_SHIFT;
    const bool ctrl = keyFlags & platform::MK_CONTROL;
    if (!shift && !ctrl)
        return;
    const int clicked = geometry().rows.indexAt(point.y() + position().originY);
    if (clicked >= rowCount())
        return;
    if (toParent(TBM_QUERYSELCHANGE, WParam(controlId()), clicked) != 0)
        return;
    if (shift) {
        const int current = position().row;
        for (int row = std::min(current, clicked); row <= std::max(current, clicked); ++row)
            if (!(rowFlags(row) & kRowSelected))
                setRowFlags(row, kRowSelected, true);
        invalidateAll();
    } else {
        send(TCM_SELECTROW, WParam(clicked), 2);
    }
    commandToParent(TBN_SELCHANGE);
}

} // namespace grid
