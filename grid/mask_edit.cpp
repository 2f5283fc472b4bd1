#include "grid/mask_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>

namespace grid {

bool CMaskEdit::s_overwrite = false;

namespace {

std::u32string toCodePoints(const QString& text) { return text.toStdU32String(); }

QString fromCodePoints(const std::u32string& text) { return QString::fromStdU32String(text); }

QString firstLine(const QString& text)
{
    qsizetype end = text.indexOf(QLatin1Char('\n'));
    QString line = end < 0 ? text : text.left(end);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

bool isTypedCharacter(QChar c) { return c.isPrint() || c == QLatin1Char(' '); }

} // namespace

CMaskEdit::CMaskEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // A drop would put text in past the mask check.
    setAcceptDrops(false);
}

bool CMaskEdit::setEditMask(const QString& pattern, const std::optional<QString>& fill)
{
    std::optional<std::u32string> fillText;
    if (fill)
        fillText = toCodePoints(*fill);
    bool fits = m_mask.set(toCodePoints(pattern), fillText ? std::optional<std::u32string_view>(*fillText)
                                                            : std::nullopt);
    if (m_mask.empty()) {
        setMaxLength(32767);
    } else {
        setMaxLength(int(m_mask.length()));
        setText(fromCodePoints(m_mask.templateText()));
        setCursorPosition(int(m_mask.firstPlaceholder()));
    }
    m_undoText.reset();
    return fits;
}

QString CMaskEdit::checkText(const QString& text) const
{
    return fromCodePoints(m_mask.checkText(toCodePoints(text)));
}

// Keys

void CMaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (editKey(event))
        return;
    QString typed = event->text();
    bool character = !typed.isEmpty() && isTypedCharacter(typed.front())
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character) {
        typeText(typed);
        return;
    }
    if (!passesMask(event)) {
        event->ignore();
        return;
    }
    m_typingRun = false;
    if (event->key() == Qt::Key_Backspace && !isReadOnly())
        rememberUndo(false);
    QLineEdit::keyPressEvent(event);
}

bool CMaskEdit::editKey(QKeyEvent* event)
{
    if (editStandardSequence(event))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace: return backspaceKey();
    case Qt::Key_Left:
    case Qt::Key_Right: return moveCaretKey(event);
    case Qt::Key_Home:
    case Qt::Key_End: return homeEndKey(event);
    case Qt::Key_Insert: return insertKey(event);
    case Qt::Key_Delete: return deleteKey(event);
    default: return false;
    }
}

bool CMaskEdit::editStandardSequence(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        editCopy();
    else if (event->matches(QKeySequence::Cut))
        editCut();
    else if (event->matches(QKeySequence::Paste))
        editPaste();
    else if (event->matches(QKeySequence::Undo))
        editUndo();
    else if (!event->matches(QKeySequence::Redo))
        return false;
    return true;
}

// With a mask only keys that change no text reach the line edit's own handling.
bool CMaskEdit::passesMask(QKeyEvent* event) const
{
    if (!hasEditMask())
        return true;
    switch (event->key()) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Return: case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return event->matches(QKeySequence::SelectAll);
    }
}

bool CMaskEdit::backspaceKey()
{
    if (!hasEditMask())
        return false;
    if (isReadOnly())
        return true;
    int caret = cursorPosition();
    if (!hasSelectedText()) {
        caret = int(m_mask.previousPlaceholder(std::size_t(caret)));
        setCursorPosition(caret);
        if (!m_mask.isPlaceholder(std::size_t(caret)))
            return true;
        overwriteAt(caret, QChar(char16_t(m_mask.templateText()[std::size_t(caret)])));
    } else {
        QString emptied = withSelectionEmptied(caret);
        changeText(emptied, caret);
    }
    return true;
}

bool CMaskEdit::moveCaretKey(QKeyEvent* event)
{
    if ((event->modifiers() & Qt::ShiftModifier) || !hasEditMask())
        return false;
    m_typingRun = false;
    std::size_t from = std::size_t(hasSelectedText() ? selectionEnd() : cursorPosition());
    std::size_t to = event->key() == Qt::Key_Left ? m_mask.previousPlaceholder(from) : m_mask.nextPlaceholder(from);
    setCursorPosition(int(to));
    return true;
}

bool CMaskEdit::homeEndKey(QKeyEvent* event)
{
    if (!hasEditMask())
        return false;
    m_typingRun = false;
    bool home = event->key() == Qt::Key_Home;
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        setCursorPosition(int(home ? m_mask.firstPlaceholder() : m_mask.lastPlaceholder()));
        return true;
    }
    int start = hasSelectedText() ? selectionStart() : cursorPosition();
    int end = hasSelectedText() ? selectionEnd() : cursorPosition();
    if (home)
        setSelection(end, -end);
    else
        setSelection(start, int(m_mask.length()) - start);
    return true;
}

bool CMaskEdit::insertKey(QKeyEvent* event)
{
    if (event->modifiers() & Qt::ShiftModifier)
        editPaste();
    else if (event->modifiers() & Qt::ControlModifier)
        editCopy();
    else
        s_overwrite = !s_overwrite;
    update();
    return true;
}

bool CMaskEdit::deleteKey(QKeyEvent* event)
{
    if (isReadOnly())
        return true;
    if (event->modifiers() & Qt::ShiftModifier) {
        editCut();
        return true;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        editClear();
        return true;
    }
    if (!hasEditMask()) {
        m_typingRun = false;
        rememberUndo(false);
        return false;
    }
    if (hasSelectedText()) {
        editClear();
        return true;
    }
    int caret = cursorPosition();
    if (m_mask.isPlaceholder(std::size_t(caret))) {
        overwriteAt(caret, QChar(char16_t(m_mask.templateText()[std::size_t(caret)])));
        setCursorPosition(caret);
    }
    return true;
}

// Characters

void CMaskEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && (hasEditMask() || s_overwrite)) {
        typeText(event->commitString());
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void CMaskEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection()) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    // As the desktop's middle click: at the caret the press put there, not over a selection.
    deselect();
    pasteText(clipboard->text(QClipboard::Selection));
    event->accept();
}

void CMaskEdit::typeText(const QString& text)
{
    for (QChar c : text)
        typeCharacter(c);
}

void CMaskEdit::typeCharacter(QChar c)
{
    if (isReadOnly())
        return;
    rememberUndo(true);
    if (caretAtEnd() || (!hasEditMask() && !s_overwrite)) {
        insert(QString(c));
        m_typingRun = true;
        return;
    }
    int caret = cursorPosition();
    QString current = hasSelectedText() ? withSelectionEmptied(caret) : text();
    InputMask::Check checked = m_mask.check(c.unicode(), std::size_t(caret));
    if (checked.status == InputMask::Status::Refused) {
        if (current != text())
            changeText(current, caret, true);
        return;
    }
    if (caret < current.size())
        current[caret] = QChar(char16_t(checked.character));
    else
        current.append(QChar(char16_t(checked.character)));
    int next = hasEditMask() ? int(m_mask.nextPlaceholder(std::size_t(caret))) : caret + 1;
    changeText(current, next, true);
}

void CMaskEdit::overwriteAt(int position, QChar c)
{
    QString changed = text();
    if (position >= changed.size())
        return;
    changed[position] = c;
    changeText(changed, position);
}

// The text with the selection turned into template characters (removed without a mask);
// the caret goes to the start of the selection.
QString CMaskEdit::withSelectionEmptied(int& caret) const
{
    QString changed = text();
    int start = selectionStart();
    int length = int(selectedText().size());
    caret = start;
    if (!hasEditMask())
        return changed.remove(start, length);
    const std::u32string& shown = m_mask.templateText();
    for (int i = start; i < start + length && std::size_t(i) < shown.size(); ++i)
        changed[i] = QChar(char16_t(shown[std::size_t(i)]));
    return changed;
}

void CMaskEdit::changeText(const QString& changed, int caret, bool typing)
{
    rememberUndo(typing);
    m_typingRun = typing;
    if (changed != text()) {
        setText(changed);
        setModified(true);
    }
    setCursorPosition(caret);
}

// One level of undo: the text before the last change, a run of typing counting as one.
void CMaskEdit::rememberUndo(bool typing)
{
    if (typing && m_typingRun)
        return;
    m_undoText = text();
}

// Clipboard and undo

void CMaskEdit::editCopy()
{
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText());
}

void CMaskEdit::editCut()
{
    editCopy();
    editClear();
}

void CMaskEdit::editClear()
{
    if (isReadOnly() || !hasSelectedText())
        return;
    int caret = 0;
    QString emptied = withSelectionEmptied(caret);
    m_typingRun = false;
    changeText(emptied, caret);
}

void CMaskEdit::editPaste()
{
    pasteText(QGuiApplication::clipboard()->text());
}

void CMaskEdit::pasteText(const QString& text)
{
    if (isReadOnly())
        return;
    const QString pasted = firstLine(text);
    if (pasted.isEmpty())
        return;
    m_typingRun = false;
    if (hasEditMask())
        pasteMasked(pasted);
    else
        pastePlain(pasted);
}

// Each pasted character goes through the mask check at the next position; literal
// positions are stepped over unless the pasted character is that literal.
void CMaskEdit::pasteMasked(const QString& pasted)
{
    int caret = cursorPosition();
    QString changed = hasSelectedText() ? withSelectionEmptied(caret) : text();
    std::size_t position = std::size_t(caret);
    const std::u32string& shown = m_mask.templateText();
    for (QChar c : pasted) {
        while (position < m_mask.length() && !m_mask.isPlaceholder(position) && c.unicode() != shown[position])
            ++position;
        if (position >= m_mask.length())
            break;
        InputMask::Check checked = m_mask.check(c.unicode(), position);
        if (checked.status != InputMask::Status::Refused && int(position) < changed.size())
            changed[int(position)] = QChar(char16_t(checked.character));
        ++position;
    }
    if (position < m_mask.length() && !m_mask.isPlaceholder(position))
        position = m_mask.nextPlaceholder(position);
    changeText(changed, int(std::min(position, m_mask.editableEnd())));
}

void CMaskEdit::pastePlain(const QString& pasted)
{
    int caret = cursorPosition();
    QString changed = hasSelectedText() ? withSelectionEmptied(caret) : text();
    if (s_overwrite)
        changed.replace(caret, std::min<qsizetype>(pasted.size(), changed.size() - caret), pasted);
    else
        changed.insert(caret, pasted);
    changed.truncate(maxLength());
    changeText(changed, std::min<int>(caret + int(pasted.size()), int(changed.size())));
}

bool CMaskEdit::canEditUndo() const { return !isReadOnly() && m_undoText.has_value(); }

bool CMaskEdit::editUndo()
{
    if (!canEditUndo())
        return false;
    QString previous = *m_undoText;
    m_undoText = text();
    m_typingRun = false;
    setText(previous);
    setModified(true);
    selectAll();
    return true;
}

// Painting: in overwrite mode, and always with a mask, the caret covers the character it
// will replace.

void CMaskEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!hasFocus() || hasSelectedText() || !(s_overwrite || hasEditMask()) || caretAtEnd())
        return;
    QRect caret = cursorRect();
    int width = fontMetrics().horizontalAdvance(text().at(cursorPosition()));
    QColor block = palette().color(QPalette::Highlight);
    block.setAlpha(96);
    QPainter painter(this);
    painter.fillRect(QRect(caret.center().x(), caret.top(), std::max(width, 2), caret.height()), block);
}

void CMaskEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    bool editable = !isReadOnly();
    menu.addAction(tr("&Undo"), this, [this] { editUndo(); })->setEnabled(canEditUndo());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &CMaskEdit::editCut)->setEnabled(editable && hasSelectedText());
    menu.addAction(tr("&Copy"), this, &CMaskEdit::editCopy)->setEnabled(hasSelectedText());
    menu.addAction(tr("&Paste"), this, &CMaskEdit::editPaste)
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("&Delete"), this, &CMaskEdit::editClear)->setEnabled(editable && hasSelectedText());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &QLineEdit::selectAll)->setEnabled(!text().isEmpty());
    menu.exec(event->globalPos());
}

} // namespace grid
