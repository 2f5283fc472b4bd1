#include "grid/cell_geometry.h"

#include <algorithm>

namespace grid {

namespace {

int clampIndex(int index, int count)
{
    return count > 0 ? std::clamp(index, 0, count - 1) : 0;
}

// The origin that brings [start, end) into a view of this extent, moving as little as possible.
int originShowing(int origin, int start, int end, int extent)
{
    if (start < origin)
        return start;
    if (end > origin + extent)
        return end - start > extent ? start : end - extent;
    return origin;
}

} // namespace

void CellGeometry::rebuildEdges()
{
    columns.rebuildEdges();
    fixedColumns.rebuildEdges();
    rows.rebuildEdges();
}

DataArea CellGeometry::dataArea() const
{
    const int width = frame.windowWidth - frame.leftBand - 2 * frame.border;
    const int height = frame.windowHeight - frame.topBand - 2 * frame.border;
    const int totalWidth = columns.total();
    const int totalHeight = rows.total();

    DataArea area;
    const bool hFirst = frame.hasHScroll && totalWidth > width;
    area.vScroll = frame.hasVScroll && totalHeight > height - (hFirst ? frame.hScrollHeight : 0);
    area.hScroll = frame.hasHScroll && totalWidth > width - (area.vScroll ? frame.vScrollWidth : 0);
    area.width = std::max(0, width - (area.vScroll ? frame.vScrollWidth : 0));
    area.height = std::max(0, height - (area.hScroll ? frame.hScrollHeight : 0));
    return area;
}

void CellGeometry::settle(TCellPosition& position)
{
    const DataArea area = dataArea();
    position.maxOriginX = std::max(0, columns.total() - area.width);
    position.maxOriginY = std::max(0, rows.total() - area.height);
    position.originX = std::clamp(position.originX, 0, position.maxOriginX);
    position.originY = std::clamp(position.originY, 0, position.maxOriginY);
    position.column = clampIndex(position.column, columns.count());
    position.row = clampIndex(position.row, rows.count());
    computeRanges(position, area);
}

void CellGeometry::computeRanges(TCellPosition& position, const DataArea& area)
{
    const int right = position.originX + area.width;
    const int bottom = position.originY + area.height;
    position.firstColumn = columns.indexAt(position.originX);
    position.lastColumn = columns.indexAt(right);
    position.firstRow = rows.indexAt(position.originY);
    position.lastRow = rows.indexAt(bottom);
    position.totalWidth = std::max(columns.total(), area.width);
    position.totalHeight = std::max(rows.total(), area.height);
    columns.setTail(right);
    rows.setTail(bottom);
}

void CellGeometry::makeVisible(TCellPosition& position) const
{
    const DataArea area = dataArea();
    if (columns.count() > 0)
        position.originX = originShowing(position.originX, columns.start(position.column),
                                         columns.start(position.column) + columns.size(position.column),
                                         area.width);
    if (rows.count() > 0)
        position.originY = originShowing(position.originY, rows.start(position.row),
                                         rows.start(position.row) + rows.size(position.row), area.height);
}

} // namespace grid
