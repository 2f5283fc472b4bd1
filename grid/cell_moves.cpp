#include "grid/cell_moves.h"

#include <algorithm>
#include <cstdint>

#include "grid/cell_messages.h"

namespace grid {

namespace {

constexpr int kLineStep = 20;
constexpr int kPageStep = 100;

// One direction of a position: the rows with the vertical origin, or the columns with the
// horizontal one, so that both directions share the paging rules.
struct AxisPosition {
    const CellAxis& axis;
    std::int32_t& origin;
    std::int32_t& current;
    std::int32_t& first;
    std::int32_t& last;

    bool allVisible() const { return last - first >= axis.count(); }
    void keepBetween(int low, int high) { current = std::max(low, std::min(current, high)); }

    // Scrolls one page forward, keeping the current index's distance from the first visible.
    void pageForward()
    {
        if (last >= axis.count() - 1) {
            current = last;
            return;
        }
        const int newFirst = axis.indexAt(origin + axis.edge(last) - axis.edge(first));
        moveFirstTo(newFirst);
    }

    void pageBack()
    {
        if (first == 0) {
            current = first;
            return;
        }
        const int newFirst = axis.indexAt(origin - axis.edge(last) + axis.edge(first));
        moveFirstTo(newFirst);
    }

    void moveFirstTo(int newFirst)
    {
        current = newFirst + (current - first);
        origin = axis.start(newFirst);
    }
};

AxisPosition columnsOf(const CellGeometry& geometry, TCellPosition& p)
{
    return {geometry.columns, p.originX, p.column, p.firstColumn, p.lastColumn};
}

AxisPosition rowsOf(const CellGeometry& geometry, TCellPosition& p)
{
    return {geometry.rows, p.originY, p.row, p.firstRow, p.lastRow};
}

// The first index that starts at or after the origin.
int firstWhole(const AxisPosition& a)
{
    return a.axis.start(a.first) >= a.origin ? a.first : a.first + 1;
}

// Horizontal scroll-bar codes; returns whether the result is to be shown.
std::optional<bool> scrollColumns(CellGeometry& geometry, TCellPosition& p, int code, int thumb)
{
    AxisPosition c = columnsOf(geometry, p);
    switch (code) {
    case SB_LINEUP:
        c.origin -= kLineStep;
        geometry.settle(p);
        if (c.first == 0 || c.allVisible())
            c.current -= 1;
        else
            c.keepBetween(c.first, c.last - 2);
        return false;
    case SB_LINEDOWN:
        if (c.last == c.axis.count() || c.allVisible()) {
            c.current += 1;
            return true;
        }
        c.origin += kLineStep;
        geometry.settle(p);
        c.keepBetween(c.first + 1, c.last - 1);
        return false;
    case SB_PAGEUP:
        c.origin -= kPageStep;
        geometry.settle(p);
        if (c.first == 0)
            c.current = 0;
        else if (c.last == c.first)
            c.current -= 1;
        else
            c.pageBack();
        return false;
    case SB_PAGEDOWN:
        c.origin += kPageStep;
        geometry.settle(p);
        if (c.last >= c.axis.count() - 1)
            c.current = c.last;
        else if (c.last == c.first)
            c.current += 1;
        else
            c.pageForward();
        return false;
    case SB_THUMBPOSITION:
        c.origin = thumb;
        geometry.settle(p);
        c.keepBetween(firstWhole(c), c.last - 1);
        return false;
    case SB_THUMBTRACK:
        c.origin = thumb;
        return false;
    default:
        return std::nullopt;
    }
}

// Vertical scroll-bar codes; returns whether the result is to be shown.
std::optional<bool> scrollRows(CellGeometry& geometry, TCellPosition& p, int code, int thumb)
{
    AxisPosition r = rowsOf(geometry, p);
    switch (code) {
    case SB_LINEUP:
        if (r.first == 0 || r.allVisible()) {
            r.current -= 1;
            return true;
        }
        r.origin -= r.axis.size(r.first - 1);
        geometry.settle(p);
        r.keepBetween(r.first, r.last - 2);
        return false;
    case SB_LINEDOWN:
        if (r.last == r.axis.count() || r.allVisible()) {
            r.current += 1;
            return true;
        }
        r.origin += r.axis.size(r.first);
        geometry.settle(p);
        r.keepBetween(r.first + 1, r.last - 1);
        return false;
    case SB_PAGEUP:
        if (r.first == 0) {
            r.current = 0;
            return false;
        }
        if (r.last == r.first) {
            r.current -= 1;
            return true;
        }
        r.pageBack();
        return false;
    case SB_PAGEDOWN:
        if (r.last >= r.axis.count() - 1) {
            r.current = r.last;
            return false;
        }
        if (r.last == r.first) {
            r.current += 1;
            return true;
        }
        r.pageForward();
        return false;
    case SB_THUMBPOSITION:
        r.origin = thumb;
        geometry.settle(p);
        r.keepBetween(firstWhole(r), r.last - 1);
        return true;
    case SB_THUMBTRACK:
        r.origin = thumb;
        return false;
    default:
        return std::nullopt;
    }
}

// Applies the message to p; returns whether the result is to be shown, empty for no move.
std::optional<bool> applyMessage(CellGeometry& geometry, TCellPosition& p, framework::MessageId message,
                                 framework::WParam wParam, framework::LParam lParam)
{
    const bool show = wParam != 0;
    const int columns = geometry.columns.count();
    const int rows = geometry.rows.count();
    switch (message) {
    case TCM_SETSCROLLX:
        p.originX = toInt(wParam);
        return lParam != 0;
    case TCM_SETSCROLLY:
        p.originY = toInt(wParam);
        return lParam != 0;
    case TCM_SETCURCELL:
    case TCM_SETCURCELLNOSCROLL:
        p.column = toInt(wParam);
        p.row = toInt(lParam);
        return message == TCM_SETCURCELL;
    case TCM_ROWUP: p.row -= 1; return show;
    case TCM_ROWDOWN: p.row += 1; return show;
    case TCM_COLLEFT: p.column -= 1; return show;
    case TCM_COLRIGHT: p.column += 1; return show;
    case TCM_FIRSTROW: p.row = 0; return show;
    case TCM_LASTROW: p.row = rows - 1; return show;
    case TCM_TOPROW: p.row = p.firstRow; return show;
    case TCM_BOTTOMROW:
        if (p.row != p.lastRow - 1)
            p.row = p.lastRow;
        return show;
    case TCM_FIRSTCOL: p.column = 0; return show;
    case TCM_LASTCOL: p.column = columns - 1; return show;
    case TCM_LEFTCOL: p.column = p.firstColumn; return show;
    case TCM_RIGHTCOL:
        if (p.column != p.lastColumn - 1)
            p.column = p.lastColumn;
        return show;
    case TCM_PAGEUP: rowsOf(geometry, p).pageBack(); return show;
    case TCM_PAGEDOWN: rowsOf(geometry, p).pageForward(); return show;
    case TCM_PAGELEFT: columnsOf(geometry, p).pageBack(); return show;
    case TCM_PAGERIGHT: columnsOf(geometry, p).pageForward(); return show;
    case TCM_HSCROLL:
        if (columns == 0)
            return std::nullopt;
        return scrollColumns(geometry, p, toInt(wParam), toInt(lParam));
    case TCM_VSCROLL:
        if (rows == 0)
            return std::nullopt;
        return scrollRows(geometry, p, toInt(wParam), toInt(lParam));
    default:
        return std::nullopt;
    }
}

} // namespace

bool isPositionMessage(framework::MessageId message)
{
    return message >= TCM_SETSCROLLX && message <= TCM_PAGERIGHT;
}

std::optional<TCellPosition> proposeMove(CellGeometry& geometry, const TCellPosition& current,
                                         framework::MessageId message, framework::WParam wParam,
                                         framework::LParam lParam)
{
    TCellPosition proposed = current;
    geometry.settle(proposed);
    const std::optional<bool> show = applyMessage(geometry, proposed, message, wParam, lParam);
    if (!show)
        return std::nullopt;
    geometry.settle(proposed);
    if (*show) {
        geometry.makeVisible(proposed);
        geometry.settle(proposed);
    }
    return proposed;
}

} // namespace grid
