#include "grid/cell.h"

#include "grid/cell_editors.h"

// The grid's side of the in-cell editing cycle.
namespace grid {

void TCell::EditorsDeleter::operator()(TCellEditors* editors) const
{
    delete editors;
}

bool TCell::createEditors()
{
    m_editing.reset(new TCellEditors(*this));
    return m_editing->create();
}

TCellEditors& TCell::editing() const
{
    Q_ASSERT(m_editing);
    return *m_editing;
}

void TCell::placeEditor()
{
    if (m_editing)
        m_editing->place();
}

void TCell::reloadEditor()
{
    if (m_editing)
        m_editing->place(TCellEditors::Reload::Always);
}

void TCell::refreshEditor()
{
    if (m_editing)
        m_editing->place(TCellEditors::Reload::UnlessTyped);
}

bool TCell::commitEdit(int column, int row)
{
    return !m_editing || m_editing->commit(column, row);
}

bool TCell::focusEditor()
{
    return m_editing && m_editing->focus();
}

LResult TCell::editorClipboard(framework::MessageId message)
{
    return m_editing ? m_editing->clipboard(message) : 0;
}

QWidget* TCell::activeEditor() const
{
    return m_editing ? m_editing->active() : nullptr;
}

bool TCell::storeCellText(int column, int row, const std::string& text)
{
    TCellDataRequest record = dataRequest(column, row, kAnswerText, reinterpret_cast<LParam>(text.c_str()));
    return request(TCM_SETCELLDATA, kCellDataText, reinterpret_cast<LParam>(&record)) != kVeto;
}

bool TCell::cellMask(int column, int row, std::string& mask, std::string& fill)
{
    const auto ask = [this, column, row](int kind, std::string& text) {
        TCellDataRequest record = dataRequest(column, row, kAnswerTextObject, reinterpret_cast<LParam>(&text));
        return request(TCM_GETCELLDATA, static_cast<WParam>(kind), reinterpret_cast<LParam>(&record)) == kVeto;
    };
    mask.clear();
    fill.clear();
    if (!ask(kCellDataMask, mask) || mask.empty())
        return false;
    if (!ask(kCellDataMaskFill, fill))
        fill.clear();
    return true;
}

} // namespace grid
