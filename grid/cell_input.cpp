#include <QApplication>
#include <QCursor>
#include <algorithm>

#include "grid/cell.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"

// Input of TCell: the key table, mouse clicks on cells and header bands, column and row
// resizing, the font dialog on a header double click, cursors, the wheel and the focus.
namespace grid {

namespace {

using namespace platform;

constexpr int kBorderGrip = 4;
constexpr int kMinimumSize = 4;
constexpr int kWheelStep = 120;
constexpr int kWheelLines = 3;

WParam showFlag()
{
    return 1;
}

LParam packed(const QPoint& point)
{
    return makeLParam(point.x(), point.y());
}

} // namespace

void TCell::onKeyDown(int virtualKey, LParam keyData)
{
    if (isKeyBacklogged())
        return;
    if (notify(TCN_KEYDOWN, virtualKey, keyData) == kVeto)
        return;
    handleKey(virtualKey);
}

void TCell::handleKey(int virtualKey)
{
    const bool ctrl = isControlDown();
    const bool shift = isShiftDown();
    const std::uint32_t style = gridStyle();
    const auto move = [this](framework::MessageId message) { send(message, showFlag(), 0); };
    switch (virtualKey) {
    case VK_TAB:
        focusNextPrevChild(!shift);
        break;
    case VK_RETURN: move(TCM_ROWDOWN); break;
    case VK_PRIOR: move(ctrl ? TCM_FIRSTROW : shift ? TCM_TOPROW : TCM_PAGEUP); break;
    case VK_NEXT: move(ctrl ? TCM_LASTROW : shift ? TCM_BOTTOMROW : TCM_PAGEDOWN); break;
    case VK_HOME: move(ctrl ? TCM_FIRSTCOL : shift ? TCM_LEFTCOL : TCM_PAGELEFT); break;
    case VK_END: move(ctrl ? TCM_LASTCOL : shift ? TCM_RIGHTCOL : TCM_PAGERIGHT); break;
    case VK_LEFT: move(TCM_COLLEFT); break;
    case VK_RIGHT: move(TCM_COLRIGHT); break;
    case VK_UP:
    case VK_DOWN:
        if (shift) {
            if ((style & TCS_PLAINSELECT) && (style & TCS_SHIFTSELECT))
                send(TCM_SELECTROW, static_cast<WParam>(m_position.row), 2);
        } else if (ctrl && (style & TCS_CTRLMARK)) {
            send(TCM_MARKROW, static_cast<WParam>(m_position.row), 2);
        }
        move(virtualKey == VK_UP ? TCM_ROWUP : TCM_ROWDOWN);
        break;
    default:
        break;
    }
}

void TCell::onKeyUp(int virtualKey, LParam keyData)
{
    notify(TCN_KEYUP, virtualKey, keyData);
}

void TCell::onChar(unsigned character, LParam keyData)
{
    notify(TCN_CHAR, static_cast<LParam>(character), keyData);
}

void TCell::clickCell(const QPoint& point)
{
    const int column = m_geometry.columns.indexAt(point.x() + m_position.originX);
    const int row = m_geometry.rows.indexAt(point.y() + m_position.originY);
    send(TCM_SETCURCELL, static_cast<WParam>(column < columnCount() ? column : m_position.column),
         row < rowCount() ? row : m_position.row);
}

void TCell::onMouse(framework::MessageId message, unsigned keyFlags, const QPoint& point)
{
    const LParam where = packed(point);
    switch (message) {
    case WM_MOUSEMOVE:
        if (m_tracking != Tracking::None)
            trackTo(clientToWidget(point));
        else
            updateCursor(HTCLIENT);
        break;
    case WM_LBUTTONDOWN:
        if (notify(TCN_LBUTTONDOWN, keyFlags, where) == kVeto)
            break;
        clickCell(point);
        takeFocus();
        break;
    case WM_LBUTTONUP:
        if (m_tracking != Tracking::None)
            endTracking(clientToWidget(point));
        notify(TCN_LBUTTONUP, keyFlags, where);
        break;
    case WM_LBUTTONDBLCLK: notify(TCN_LBUTTONDBLCLK, keyFlags, where); break;
    case WM_RBUTTONDOWN: notify(TCN_RBUTTONDOWN, keyFlags, where); break;
    case WM_RBUTTONUP: notify(TCN_RBUTTONUP, keyFlags, where); break;
    case WM_RBUTTONDBLCLK: notify(TCN_RBUTTONDBLCLK, keyFlags, where); break;
    default: break;
    }
}

int TCell::onNcHitTest(const QPoint& point)
{
    const QRect data = clientArea();
    const int b = border();
    const std::uint32_t style = gridStyle();
    const bool columnGrips = (style & TCS_COLSIZE) != 0;
    const int headerBottom = b + headerBandHeight();
    if (headerBandHeight() > 0 && point.y() >= b && point.y() < headerBottom) {
        if (point.x() >= b && point.x() < data.left()) {
            const CellAxis& fixed = m_geometry.fixedColumns;
            const int x = point.x() - b;
            const int index = fixed.indexAt(x);
            if (index >= fixed.count())
                return kHitFixedRest;
            return columnGrips && x >= fixed.end(index) - kBorderGrip ? kHitCornerBorder : kHitCornerCell;
        }
        if (point.x() >= data.left() && point.x() < data.left() + data.width()) {
            const CellAxis& columns = m_geometry.columns;
            const int x = point.x() - data.left() + m_position.originX;
            const int index = columns.indexAt(x);
            if (index >= columns.count())
                return kHitHeaderRest;
            return columnGrips && x >= columns.end(index) - kBorderGrip ? kHitHeaderBorder : kHitHeaderCell;
        }
        return HTNOWHERE;
    }
    if (fixedBandWidth() > 0 && point.x() >= b && point.x() < data.left() && point.y() >= data.top() &&
        point.y() < data.top() + data.height()) {
        const CellAxis& rows = m_geometry.rows;
        const int y = point.y() - data.top() + m_position.originY;
        const int index = rows.indexAt(y);
        if (index >= rows.count())
            return kHitFixedRest;
        return (style & TCS_ROWSIZE) && y >= rows.end(index) - kBorderGrip ? kHitRowBorder : kHitRowHeader;
    }
    return HTNOWHERE;
}

void TCell::onNcMouse(framework::MessageId message, int hitCode, const QPoint& screenPoint)
{
    const QPoint point = mapFromGlobal(screenPoint);
    const LParam where = packed(screenPoint);
    switch (message) {
    case WM_NCMOUSEMOVE:
        updateCursor(hitCode);
        break;
    case WM_NCLBUTTONDOWN:
        if (notify(TCN_NCLBUTTONDOWN, hitCode, where) == kVeto)
            break;
        if (hitCode == kHitHeaderCell) {
            const int x = point.x() - clientArea().left() + m_position.originX;
            send(TCM_SETCURCELL, static_cast<WParam>(m_geometry.columns.indexAt(x)), m_position.row);
        } else if (hitCode == kHitRowHeader) {
            const int y = point.y() - clientArea().top() + m_position.originY;
            send(TCM_SETCURCELL, static_cast<WParam>(m_position.column), m_geometry.rows.indexAt(y));
        } else if (hitCode == kHitHeaderBorder || hitCode == kHitCornerBorder || hitCode == kHitRowBorder) {
            startTracking(hitCode, point);
        }
        takeFocus();
        break;
    case WM_NCLBUTTONDBLCLK:
        if (hitCode == kHitHeaderCell || hitCode == kHitCornerCell)
            chooseColumnFont(hitCode, point);
        break;
    case WM_NCRBUTTONDOWN:
        notify(TCN_NCRBUTTONDOWN, hitCode, where);
        break;
    default:
        break;
    }
}

void TCell::updateCursor(int hitCode)
{
    const std::uint32_t style = gridStyle();
    if (m_tracking != Tracking::None)
        return;
    if ((hitCode == kHitHeaderBorder || hitCode == kHitCornerBorder) && (style & TCS_COLSIZE))
        setCursor(Qt::SizeHorCursor);
    else if (hitCode == kHitRowBorder && (style & TCS_ROWSIZE))
        setCursor(Qt::SplitVCursor);
    else
        unsetCursor();
}

void TCell::startTracking(int hitCode, const QPoint& point)
{
    const std::uint32_t style = gridStyle();
    const QRect data = clientArea();
    if (hitCode == kHitRowBorder) {
        if (!(style & TCS_ROWSIZE))
            return;
        m_tracking = Tracking::Row;
        m_trackIndex = m_geometry.rows.indexAt(point.y() - data.top() + m_position.originY);
    } else {
        if (!(style & TCS_COLSIZE))
            return;
        const bool fixed = hitCode == kHitCornerBorder;
        m_tracking = fixed ? Tracking::FixedColumn : Tracking::Column;
        m_trackIndex = fixed ? m_geometry.fixedColumns.indexAt(point.x() - border())
                            : m_geometry.columns.indexAt(point.x() - data.left() + m_position.originX);
    }
    setCapture();
    trackTo(point);
}

void TCell::trackTo(const QPoint& point)
{
    const QRect data = clientArea();
    const int previous = m_trackLine;
    m_trackLine = m_tracking == Tracking::Row ? std::clamp(point.y(), data.top(), data.top() + data.height() - 1)
                                            : std::clamp(point.x(), data.left(), data.left() + data.width() - 1);
    const auto lineRect = [this](int at) {
        return m_tracking == Tracking::Row ? QRect(0, at, width(), 1) : QRect(at, 0, 1, height());
    };
    if (previous >= 0)
        invalidateRegion(QRegion(lineRect(previous)));
    invalidateRegion(QRegion(lineRect(m_trackLine)));
}

void TCell::endTracking(const QPoint& point)
{
    const Tracking tracking = m_tracking;
    const int line = m_trackLine;
    m_tracking = Tracking::None;
    m_trackLine = -1;
    releaseCapture();
    if (line >= 0)
        invalidateRegion(QRegion(tracking == Tracking::Row ? QRect(0, line, width(), 1) : QRect(line, 0, 1, height())));
    const QRect data = clientArea();
    switch (tracking) {
    case Tracking::Column: {
        const int left = data.left() + m_geometry.columns.start(m_trackIndex) - m_position.originX;
        const int size = std::clamp(point.x() - left, kMinimumSize, std::max(kMinimumSize, data.width()));
        send(TCM_SETCOLWIDTH, static_cast<WParam>(m_trackIndex), size);
        break;
    }
    case Tracking::FixedColumn: {
        const int left = border() + m_geometry.fixedColumns.start(m_trackIndex);
        const int size = std::clamp(point.x() - left, kMinimumSize, std::max(kMinimumSize, data.width()));
        send(TCM_SETFIXEDCOLWIDTH, static_cast<WParam>(m_trackIndex), size);
        break;
    }
    case Tracking::Row: {
        const int top = data.top() + m_geometry.rows.start(m_trackIndex) - m_position.originY;
        const int size = std::clamp(point.y() - top, kMinimumSize, std::max(kMinimumSize, data.height()));
        send(TCM_SETROWHEIGHT, static_cast<WParam>(m_trackIndex), size);
        break;
    }
    case Tracking::None:
        break;
    }
}

void TCell::chooseColumnFont(int hitCode, const QPoint& point)
{
    if (!(gridStyle() & TCS_COLFONT))
        return;
    const bool fixed = hitCode == kHitCornerCell;
    const int index = fixed ? m_geometry.fixedColumns.indexAt(point.x() - border())
                            : m_geometry.columns.indexAt(point.x() - clientArea().left() + m_position.originX);
    std::vector<TCellColumn>& list = fixed ? m_fixedColumns : m_columns;
    if (index < 0 || index >= static_cast<int>(list.size()))
        return;
    TCellColumn& record = list[static_cast<std::size_t>(index)];
    framework::LogFont chosen = font(record.font).logFont();
    if (!services().chooseFont(chosen))
        return;
    const int found = findFont(chosen);
    record.font = found >= 0 ? found : addFont(chosen);
    if (gridStyle() & TCS_KEEPHEIGHTS) {
        relayoutAndNotify();
    } else {
        m_defaultRowHeight = computeDefaultRowHeight();
        m_headerRowHeight = m_defaultRowHeight;
        send(TCM_SETROWHEIGHT, static_cast<WParam>(-1), -1);
    }
    invalidateAll();
}

void TCell::onWheel(int delta, unsigned, const QPoint&)
{
    const int lines = (std::abs(delta) * kWheelLines + kWheelStep / 2) / kWheelStep;
    const int code = delta > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < std::max(1, lines); ++i)
        handleScrollBar(true, code, 0);
}

void TCell::onSetFocus(QWidget* previous)
{
    if (notify(TCN_SETFOCUS, reinterpret_cast<LParam>(previous), 0) == kVeto)
        return;
    if (isCellEditable(m_position.column, m_position.row) && focusEditor())
        return;
    send(TCM_SETFOCUSSTATE, 1, 1);
}

void TCell::onKillFocus(QWidget* next)
{
    if (notify(TCN_KILLFOCUS, reinterpret_cast<LParam>(next), 0) == kVeto)
        return;
    send(TCM_SETFOCUSSTATE, 0, isOwnChild(next) ? 1 : 0);
}

} // namespace grid
