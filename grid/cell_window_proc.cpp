#include <cstdint>

#include "grid/cell.h"
#include "grid/cell_messages.h"
#include "grid/cell_moves.h"
#include "platform/window_messages.h"

// The message interface of TCell: position, repaint, geometry and state, structure and
// editor messages, the font and the clipboard.
namespace grid {

namespace {

bool anyRowSelected(const TCell& cell)
{
    return cell.nextRowWithFlags(0, kRowSelected) < cell.rowCount();
}

} // namespace

LResult TCell::windowProc(framework::MessageId message, WParam wParam, LParam lParam)
{
    if (isPositionMessage(message))
        return positionMessage(message, wParam, lParam);
    switch (message) {
    case TCM_GETPOSITION:
        if (wParam == 0)
            return 0;
        *reinterpret_cast<TCellPosition*>(wParam) = m_position;
        return 1;
    case TCM_SETFOCUSSTATE:
        return setFocusState(wParam, lParam);
    case TCM_UPDATECELL:
    case TCM_INVALIDATECOL:
    case TCM_INVALIDATEROW:
    case TCM_REDRAWFIXEDCOL:
    case TCM_REDRAWCELL:
    case TCM_REDRAWFIXEDROW:
        return repaintMessage(message, wParam, lParam);
    case TCM_SETCOLWIDTH:
    case TCM_SETFIXEDCOLWIDTH:
    case TCM_SETROWHEIGHT:
    case TCM_SELECTROW:
    case TCM_MARKROW:
        return geometryMessage(message, wParam, lParam);
    case TCM_INSERTCOLS:
    case TCM_INSERTROWS:
    case TCM_DELETECOLS:
    case TCM_DELETEROWS:
        return structureMessage(message, wParam, lParam);
    case TCM_EDITERRSPACE:
    case TCM_EDITCHANGE:
    case TCM_EDITKILLFOCUS:
    case TCM_EDITSETFOCUS:
    case TCM_EDITDBLCLK:
    case TCM_EDITCHAR:
        return editorMessage(message, wParam, lParam);
    case TCM_EDITKEYDOWN:
    case TCM_EDITKEYUP:
    case TCM_EDITMOUSE:
        return 0;
    case platform::WM_SETFONT:
        return setFontMessage(wParam, lParam);
    case platform::WM_COPY:
    case platform::WM_CUT:
    case platform::WM_PASTE:
    case platform::WM_CLEAR:
        return clipboardMessage(message);
    case platform::WM_SYSCOLORCHANGE:
        resetColors();
        invalidateAll();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

LResult TCell::positionMessage(framework::MessageId message, WParam wParam, LParam lParam)
{
    const std::optional<TCellPosition> proposed = proposeMove(m_geometry, m_position, message, wParam, lParam);
    m_geometry.settle(m_position);
    if (!proposed)
        return 0;
    return moveTo(*proposed, message);
}

LResult TCell::setFocusState(WParam focused, LParam active)
{
    TCellPosition proposed = m_position;
    proposed.focused = focused != 0 ? 1 : 0;
    proposed.active = active != 0 ? 1 : 0;
    return moveTo(proposed, TCM_SETFOCUSSTATE);
}

LResult TCell::moveTo(const TCellPosition& proposed, framework::MessageId cause)
{
    if (proposed == m_position)
        return 0;
    TCellPosition asked = proposed;
    if (request(TCM_QUERYPOSCHANGE, static_cast<WParam>(controlId()), reinterpret_cast<LParam>(&asked)) != 0)
        return 0;
    if (!canMoveTo(proposed.column, proposed.row))
        return 0;
    applyPosition(proposed);
    updateNow();
    notifyPositionChanged(cause);
    return 1;
}

LResult TCell::repaintMessage(framework::MessageId message, WParam wParam, LParam lParam)
{
    if (!isCreated())
        return 0;
    const int index = toInt(wParam);
    const bool now = (lParam & 0xFF) != 0;
    switch (message) {
    case TCM_UPDATECELL:
        return repaintCellNow(index, toInt(lParam));
    case TCM_REDRAWCELL:
        return repaintFixedCellNow(index, toInt(lParam));
    case TCM_INVALIDATEROW:
        if (now && m_geometry.rows.contains(index)) {
            invalidateRowAll(index);
            updateNow();
            return 1;
        }
        break;
    default:
        break;
    }
    const std::optional<QRegion> region = repaintRegion(message, index);
    if (!region)
        return 0;
    invalidateRegion(*region);
    if (now)
        updateNow();
    return 1;
}

LResult TCell::repaintCellNow(int column, int row)
{
    if (!m_geometry.columns.contains(column) || !m_geometry.rows.contains(row))
        return 0;
    const QRect data = clientArea();
    invalidate(cellRect(column, row));
    repaint(cellRect(column, row).translated(data.topLeft()).intersected(data));
    return 1;
}

LResult TCell::repaintFixedCellNow(int fixedColumn, int row)
{
    const bool fixedBand = (gridStyle() & TCS_FIXEDBAND) != 0;
    if (!fixedBand || !m_geometry.fixedColumns.contains(fixedColumn) || !m_geometry.rows.contains(row))
        return 0;
    if (row < m_position.firstRow || row > m_position.lastRow)
        return 0;
    const QRect band = rowRect(row).translated(clientArea().topLeft());
    const QRect cell(border() + m_geometry.fixedColumns.start(fixedColumn), band.top(),
                     m_geometry.fixedColumns.size(fixedColumn), band.height());
    invalidateRegion(QRegion(cell));
    repaint(cell);
    return 1;
}

std::optional<QRegion> TCell::repaintRegion(framework::MessageId message, int index) const
{
    const QRect data = clientArea();
    const bool fixedBand = (gridStyle() & TCS_FIXEDBAND) != 0;
    switch (message) {
    case TCM_INVALIDATECOL: {
        if (!m_geometry.columns.contains(index))
            return std::nullopt;
        const QRect cell = cellRect(index, 0);
        QRegion region(QRect(cell.left(), 0, cell.width(), data.height()).translated(data.topLeft()));
        if (QWidget* editor = activeEditor(); editor && editor->isVisible())
            region -= QRegion(editor->geometry());
        return region;
    }
    case TCM_INVALIDATEROW:
        if (!m_geometry.rows.contains(index))
            return std::nullopt;
        return QRegion(rowRect(index).translated(data.topLeft()));
    case TCM_REDRAWFIXEDCOL: {
        if (!fixedBand || !m_geometry.fixedColumns.contains(index))
            return std::nullopt;
        const int left = border() + m_geometry.fixedColumns.start(index);
        return QRegion(QRect(left, data.top(), m_geometry.fixedColumns.size(index), data.height()));
    }
    case TCM_REDRAWFIXEDROW: {
        if (!fixedBand || !m_geometry.rows.contains(index))
            return std::nullopt;
        if (index < m_position.firstRow || index > m_position.lastRow)
            return std::nullopt;
        const QRect band = rowRect(index).translated(data.topLeft());
        return QRegion(QRect(border(), band.top(), fixedBandWidth(), band.height()));
    }
    default:
        return std::nullopt;
    }
}

LResult TCell::geometryMessage(framework::MessageId message, WParam wParam, LParam lParam)
{
    static constexpr int kNotification[] = {TCN_SETCOLWIDTH, TCN_SETFIXEDCOLWIDTH, TCN_SETROWHEIGHT,
                                            TCN_SELECTROW, TCN_MARKROW};
    const int code = kNotification[message - TCM_SETCOLWIDTH];
    if (notify(code, static_cast<LParam>(wParam), lParam) == kVeto)
        return kVeto;
    const int index = toInt(wParam);
    const int value = toInt(lParam);
    bool changed = false;
    switch (message) {
    case TCM_SETCOLWIDTH: changed = setColumnWidthQuietly(index, value); break;
    case TCM_SETFIXEDCOLWIDTH: changed = setFixedColumnWidth(index, value); break;
    case TCM_SETROWHEIGHT: changed = setRowHeight(index, value); break;
    case TCM_SELECTROW: changed = changeRowFlag(index, value, kRowSelected); break;
    case TCM_MARKROW: changed = changeRowFlag(index, value, kRowMarked); break;
    default: break;
    }
    if (!changed)
        return 0;
    notifyPositionChanged(message);
    return 1;
}

LResult TCell::structureMessage(framework::MessageId message, WParam wParam, LParam lParam)
{
    const int index = toInt(wParam);
    switch (message) {
    case TCM_INSERTCOLS: {
        if (lParam == 0) {
            const TCellColumn record;
            return insertColumns(index, &record, 1) ? 1 : 0;
        }
        const auto* list = reinterpret_cast<const TCellColumnList*>(lParam);
        return insertColumns(index, list->columns, list->count) ? 1 : 0;
    }
    case TCM_INSERTROWS: return insertRows(index, toInt(lParam)) ? 1 : 0;
    case TCM_DELETECOLS: return deleteColumns(index, toInt(lParam)) ? 1 : 0;
    case TCM_DELETEROWS: return deleteRows(index, toInt(lParam)) ? 1 : 0;
    default: return 0;
    }
}

LResult TCell::editorMessage(framework::MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case TCM_EDITERRSPACE: return onEditErrSpace(wParam, lParam);
    case TCM_EDITCHANGE: return onEditChange(wParam, lParam);
    case TCM_EDITKILLFOCUS: return onEditKillFocus(wParam, lParam);
    case TCM_EDITSETFOCUS: return onEditSetFocus(wParam, lParam);
    case TCM_EDITDBLCLK: return onEditDblClk(wParam, lParam);
    case TCM_EDITCHAR: return onEditChar(wParam, lParam);
    default: return 0;
    }
}

LResult TCell::onEditErrSpace(WParam wParam, LParam lParam)
{
    return notify(TCN_EDITERRSPACE, static_cast<LParam>(wParam), lParam);
}

LResult TCell::onEditChange(WParam wParam, LParam lParam)
{
    return notify(TCN_EDITCHANGE, static_cast<LParam>(wParam), lParam);
}

LResult TCell::onEditKillFocus(WParam wParam, LParam lParam)
{
    const LResult answer = notify(TCN_EDITKILLFOCUS, static_cast<LParam>(wParam), lParam);
    if (!hasFocusWithin())
        send(TCM_SETFOCUSSTATE, 0, 0);
    return answer;
}

LResult TCell::onEditSetFocus(WParam wParam, LParam lParam)
{
    const LResult answer = notify(TCN_EDITSETFOCUS, static_cast<LParam>(wParam), lParam);
    send(TCM_SETFOCUSSTATE, 0, 1);
    return answer;
}

LResult TCell::onEditDblClk(WParam wParam, LParam lParam)
{
    return notify(TCN_EDITDBLCLK, static_cast<LParam>(wParam), lParam);
}

LResult TCell::onEditChar(WParam wParam, LParam lParam)
{
    return notify(TCN_EDITCHAR, static_cast<LParam>(wParam), lParam);
}

LResult TCell::setFontMessage(WParam wParam, LParam lParam)
{
    if (wParam == 0)
        return 0;
    replaceFont(0, *reinterpret_cast<const framework::LogFont*>(wParam));
    if (lParam != 0)
        invalidateAll();
    return 0;
}

LResult TCell::clipboardMessage(framework::MessageId message)
{
    if (anyRowSelected(*this) || !activeEditor())
        return 0;
    return editorClipboard(message);
}

} // namespace grid
