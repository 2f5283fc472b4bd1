#include "grid/cell_editors.h"

#include "grid/cell.h"
#include "grid/cell_edit.h"

#include <algorithm>
#include "platform/color_ref.h"
#include "platform/display_text.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

constexpr std::uint32_t kFormatCentred = 0x1;
constexpr std::uint32_t kFormatRight = 0x2;
// The cell draws its text one pixel above the centre; a bottom margin of two lifts the
// editor's centred text by the same pixel.
constexpr int kTextRaise = 2;

} // namespace

TCellEditors::TCellEditors(TCell& grid)
    : m_grid(grid)
{
}

bool TCellEditors::create()
{
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i)
        m_editors[std::size_t(i)] = new CCellEdit(&m_grid, i + 1, alignments[i]);
    return true;
}

CCellEdit* TCellEditors::activeStandard() const
{
    return isStandard(m_active) ? static_cast<CCellEdit*>(m_active.data()) : nullptr;
}

bool TCellEditors::isStandard(const QWidget* editor) const
{
    return editor && std::find(m_editors.begin(), m_editors.end(), editor) != m_editors.end();
}

CCellEdit* TCellEditors::standardFor(int column) const
{
    std::uint32_t format = m_grid.column(column).format;
    if (format & kFormatCentred)
        return m_editors[1];
    if (format & kFormatRight)
        return m_editors[2];
    return m_editors[0];
}

QWidget* TCellEditors::choose(int column, int row) const
{
    if (!m_grid.isCellEditable(column, row) || m_grid.column(column).noEditor || !m_grid.acceptsEditor(column, row))
        return nullptr;
    if (m_grid.column(column).ownerEditor) {
        TCellDataRequest record = m_grid.dataRequest(column, row, kAnswerNone, 0);
        m_grid.request(TCM_GETCELLDATA, kCellDataEditor, reinterpret_cast<LParam>(&record));
        if (record.answerType == kAnswerEditor && record.value)
            return reinterpret_cast<QWidget*>(record.value);
    }
    return standardFor(column);
}

void TCellEditors::place(Reload reload)
{
    if (!m_editors[0])
        return;
    int column = m_grid.position().column;
    int row = m_grid.position().row;
    QWidget* chosen = choose(column, row);
    if (m_active && m_active != chosen)
        tellOwnerEditor(m_active, TCM_EDITOREND, column, row);
    bool sameCell = column == m_column && row == m_row;
    if (chosen != m_active || !sameCell)
        switchTo(chosen, column, row);
    else if (reload == Reload::Always || (reload == Reload::UnlessTyped && !typedInto()))
        this->reload();
    if (m_active)
        lay(*m_active, column, row);
}

void TCellEditors::switchTo(QWidget* editor, int column, int row)
{
    QWidget* previous = m_active;
    bool hadFocus = previous && previous->hasFocus();
    int caret = -1;
    if (CCellEdit* standardPrevious = activeStandard(); standardPrevious && editor == previous
        && column == m_column && row != m_row)
        caret = standardPrevious->cursorPosition();
    m_active = editor;
    m_column = editor ? column : -1;
    m_row = editor ? row : -1;
    if (previous && previous != editor) {
        if (hadFocus)
            m_grid.setFocus(Qt::OtherFocusReason);
        previous->hide();
    }
    if (!editor)
        return;
    tellOwnerEditor(editor, TCM_EDITORSTART, column, row);
    if (CCellEdit* standardEditor = activeStandard())
        load(*standardEditor, column, row, caret);
    lay(*editor, column, row);
    editor->show();
    if (hadFocus)
        editor->setFocus(Qt::OtherFocusReason);
}

void TCellEditors::load(CCellEdit& editor, int column, int row, int caret)
{
    editor.setFont(m_grid.font(m_grid.cellFont(column, row)).font());
    loadMask(editor, column, row);
    std::string stored;
    QString text = m_grid.cellText(column, row, stored) ? platform::displayText(stored) : QString();
    editor.setText(editor.hasEditMask() ? editor.checkText(text) : text);
    editor.setModified(false);
    editor.emptyEditUndo();
    int start = editor.hasEditMask() ? int(editor.editMask().firstPlaceholder()) : 0;
    editor.setCursorPosition(caret >= 0 ? std::min<int>(caret, int(editor.text().size())) : start);
}

void TCellEditors::loadMask(CCellEdit& editor, int column, int row)
{
    std::string pattern;
    std::string fill;
    if (!m_grid.cellMask(column, row, pattern, fill)) {
        editor.setEditMask(QString());
        int limit = m_grid.column(column).maxEditLength;
        editor.setMaxLength(limit > 0 ? limit : 32767);
        return;
    }
    QString maskText = platform::displayText(pattern);
    if (fill.empty())
        editor.setEditMask(maskText);
    else
        editor.setEditMask(maskText, platform::displayText(fill));
}

// The editor covers the cell inside its grid lines, clipped to the data area, with its
// text where the cell draws it.
void TCellEditors::lay(QWidget& editor, int column, int row)
{
    QRect cell = m_grid.cellRect(column, row);
    QRect inner = cell.adjusted(0, 0, (m_grid.gridStyle() & TCS_VGRID) ? -1 : 0,
                                (m_grid.gridStyle() & TCS_HGRID) ? -1 : 0);
    QRect visible = inner.intersected(m_grid.clientRect());
    if (visible.isEmpty()) {
        editor.setGeometry(QRect(m_grid.clientToWidget(QPoint(0, 0)), QSize(0, 0)));
        return;
    }
    editor.setGeometry(QRect(m_grid.clientToWidget(visible.topLeft()), visible.size()));
    if (isStandard(&editor)) {
        const CSFont& cellFont = m_grid.font(m_grid.cellFont(column, row));
        QRect text = m_grid.textArea(cell, cellFont.metrics().height);
        auto* standardEditor = static_cast<CCellEdit*>(&editor);
        standardEditor->setTextMargins(std::max(0, text.left() - visible.left()), 0,
                                       std::max(0, visible.right() - text.right()), kTextRaise);
        colour(editor, column, row);
    }
}

void TCellEditors::colour(QWidget& editor, int column, int row)
{
    QPalette palette = editor.palette();
    QColor back = platform::toQColor(m_grid.cellBackColor(column, row));
    QColor text = platform::toQColor(m_grid.cellTextColor(column, row));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Text, text);
    }
    editor.setPalette(palette);
}

bool TCellEditors::commit(int column, int row)
{
    if (!m_active || (column == m_column && row == m_row))
        return true;
    return commitInPlace();
}

bool TCellEditors::commitInPlace()
{
    if (!m_active)
        return true;
    if (CCellEdit* editor = activeStandard()) {
        if (!editor->isModified())
            return true;
        std::string text = platform::storedText(editor->text());
        if (!m_grid.storeCellText(m_column, m_row, text))
            return false;
        editor->setModified(false);
        return true;
    }
    return tellOwnerEditor(m_active, TCM_EDITORCOMMIT, m_column, m_row) != kVeto;
}

bool TCellEditors::focus()
{
    if (!m_active || !m_grid.isCellEditable(m_grid.position().column, m_grid.position().row))
        return false;
    m_active->setFocus(Qt::OtherFocusReason);
    return true;
}

LResult TCellEditors::clipboard(framework::MessageId message)
{
    CCellEdit* editor = activeStandard();
    if (!editor)
        return 0;
    switch (message) {
    case platform::WM_COPY: editor->editCopy(); return 1;
    case platform::WM_CUT: editor->editCut(); return 1;
    case platform::WM_PASTE: editor->editPaste(); return 1;
    case platform::WM_CLEAR: editor->editClear(); return 1;
    default: return 0;
    }
}

bool TCellEditors::typedInto() const
{
    const CCellEdit* editor = activeStandard();
    return editor && editor->isModified();
}

void TCellEditors::reload()
{
    if (CCellEdit* editor = activeStandard())
        load(*editor, m_column, m_row, editor->cursorPosition());
}

LResult TCellEditors::tellOwnerEditor(QWidget* editor, framework::MessageId message, int column, int row) const
{
    if (isStandard(editor))
        return 0;
    auto* window = dynamic_cast<platform::Window*>(editor);
    return window ? window->send(message, WParam(column), LParam(row)) : 0;
}

} // namespace grid
