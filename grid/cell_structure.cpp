#include <algorithm>

#include "grid/cell.h"

// Changes of TCell's columns, rows, widths, heights and row flags, and CopyState.
namespace grid {

namespace {

constexpr std::int32_t kDefaultImageSize = 16;

TCellColumn normalised(TCellColumn record)
{
    if (record.imageWidth < 1)
        record.imageWidth = kDefaultImageSize;
    if (record.imageHeight < 1)
        record.imageHeight = kDefaultImageSize;
    record.headerText[TCellColumn::kHeaderTextSize - 1] = '\0';
    return record;
}

} // namespace

bool TCell::setColumnWidthQuietly(int column, int width)
{
    if (!m_geometry.columns.contains(column))
        return false;
    TCellColumn& record = m_columns[static_cast<std::size_t>(column)];
    const int pixels = width < 1 ? automaticWidth(record, width, false) : width;
    record.width = pixels;
    m_geometry.columns.setSize(column, pixels);
    relayout();
    invalidateFromColumn(column);
    return true;
}

bool TCell::setFixedColumnWidth(int column, int width)
{
    if (!m_geometry.fixedColumns.contains(column))
        return false;
    TCellColumn& record = m_fixedColumns[static_cast<std::size_t>(column)];
    const int pixels = width < 1 ? automaticWidth(record, width, false) : width;
    record.width = pixels;
    m_geometry.fixedColumns.setSize(column, pixels);
    relayout();
    invalidateAll();
    return true;
}

bool TCell::setRowHeight(int row, int height)
{
    if (height == 0 || height < -1)
        return false;
    if (row == -1) {
        if (height == -1) {
            m_defaultRowHeight = computeDefaultRowHeight();
            m_headerRowHeight = m_defaultRowHeight;
        }
        m_geometry.rows.setAll(height == -1 ? m_defaultRowHeight : height);
        relayout();
        invalidateAll();
        return true;
    }
    if (!m_geometry.rows.contains(row))
        return false;
    m_geometry.rows.setSize(row, height == -1 ? m_defaultRowHeight : height);
    relayout();
    invalidateFromRow(row);
    return true;
}

bool TCell::changeRowFlag(int row, int action, std::uint8_t bit)
{
    if (action < 0 || action > 2)
        return false;
    const auto change = [action, bit](std::uint8_t flags) {
        if (action == 0)
            return static_cast<std::uint8_t>(flags & ~bit);
        if (action == 1)
            return static_cast<std::uint8_t>(flags | bit);
        return static_cast<std::uint8_t>(flags ^ bit);
    };
    if (row == -1) {
        m_rowFlags.changeAll(change);
        invalidateAll();
        return true;
    }
    if (!m_geometry.rows.contains(row))
        return false;
    m_rowFlags.set(static_cast<std::size_t>(row), change(rowFlags(row)));
    if (row >= m_position.firstRow && row <= m_position.lastRow)
        invalidateRowAll(row);
    return true;
}

bool TCell::insertColumns(int index, const TCellColumn* records, int count)
{
    if (count < 1 || !records || index > columnCount())
        return false;
    if (index < 0)
        index = columnCount();
    std::vector<TCellColumn> added;
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        TCellColumn record = normalised(records[i]);
        if (record.width <= 0)
            record.width = automaticWidth(record, record.width, true);
        widths.push_back(record.width);
        added.push_back(record);
    }
    m_columns.insert(m_columns.begin() + index, added.begin(), added.end());
    m_geometry.columns.insert(index, count, 0);
    for (int i = 0; i < count; ++i)
        m_geometry.columns.setSize(index + i, widths[static_cast<std::size_t>(i)]);
    afterStructureChange(true, index);
    return true;
}

bool TCell::insertFixedColumns(int index, const TCellColumn* records, int count)
{
    if (count < 1 || !records)
        return false;
    if (index < 0 || index > fixedColumnCount())
        index = fixedColumnCount();
    m_geometry.fixedColumns.insert(index, count, 0);
    for (int i = 0; i < count; ++i) {
        TCellColumn record = normalised(records[i]);
        if (record.width <= 0)
            record.width = automaticWidth(record, record.width, true);
        m_fixedColumns.insert(m_fixedColumns.begin() + index + i, record);
        m_geometry.fixedColumns.setSize(index + i, record.width);
    }
    relayoutAndNotify();
    invalidateAll();
    return true;
}

bool TCell::insertRows(int index, int count)
{
    if (count < 1 || index < 0 || index > rowCount())
        return false;
    m_rowFlags.insert(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    m_geometry.rows.insert(index, count, m_defaultRowHeight);
    afterStructureChange(false, index);
    return true;
}

bool TCell::deleteColumns(int first, int count)
{
    if (count < 1 || !m_geometry.columns.contains(first))
        return false;
    count = std::min(count, columnCount() - first);
    m_columns.erase(m_columns.begin() + first, m_columns.begin() + first + count);
    m_geometry.columns.erase(first, count);
    afterStructureChange(true, first);
    return true;
}

bool TCell::deleteRows(int first, int count)
{
    if (first == -1)
        first = rowCount() - 1;
    if (count < 1 || !m_geometry.rows.contains(first))
        return false;
    count = std::min(count, rowCount() - first);
    m_rowFlags.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
    m_geometry.rows.erase(first, count);
    afterStructureChange(false, first);
    return true;
}

void TCell::afterStructureChange(bool columns, int first)
{
    relayoutAndNotify();
    const int current = columns ? m_position.column : m_position.row;
    // The current index now names another row or column: its text must be loaded again.
    if (first <= current)
        reloadEditor();
    if (columns)
        invalidateFromColumn(first);
    else
        invalidateFromRow(first);
}

void TCell::CopyState(const TCell& other, unsigned mask)
{
    mask = copySizes(other, mask);
    relayout();

    TCellPosition next = m_position;
    const TCellPosition& theirs = other.m_position;
    if (mask & kCopyOriginX)
        next.originX = theirs.originX;
    if (mask & kCopyOriginY)
        next.originY = theirs.originY;
    if (mask & kCopyRow)
        next.row = theirs.row;
    if (mask & kCopyColumn)
        next.column = theirs.column;
    copyRowFlags(other, mask);

    m_geometry.settle(next);
    // A modified editor is stored before its cell moves; when that is refused the cell stays.
    if ((next.row != m_position.row || next.column != m_position.column) && !canMoveTo(next.column, next.row)) {
        next.row = m_position.row;
        next.column = m_position.column;
        m_geometry.settle(next);
    }
    if (!(next == m_position)) {
        applyPosition(next);
        updateNow();
    }
}

unsigned TCell::copySizes(const TCell& other, unsigned mask)
{
    if (other.columnCount() != columnCount()) {
        m_columns = other.m_columns;
        m_geometry.columns = other.m_geometry.columns;
    }
    if (other.rowCount() != rowCount()) {
        m_geometry.rows = other.m_geometry.rows;
        // The rows that stay keep their flags: the owner's bits (bookmarks) live only here.
        m_rowFlags.resize(static_cast<std::size_t>(other.rowCount()));
        mask &= kCopyRowHeights | kCopySelection | kCopyMarks;
    }
    if (mask & kCopyDefaultHeights) {
        m_defaultRowHeight = other.m_defaultRowHeight;
        m_headerRowHeight = other.m_headerRowHeight;
    }
    if (mask & kCopyWidths) {
        m_geometry.columns = other.m_geometry.columns;
        m_geometry.fixedColumns = other.m_geometry.fixedColumns;
    }
    if ((mask & kCopyRowHeights) && !(gridStyle() & TCS_KEEPHEIGHTS)) {
        m_defaultRowHeight = other.m_defaultRowHeight;
        m_geometry.rows = other.m_geometry.rows;
    }
    return mask;
}

// The rows shown now take the other grid's selection and mark flags.
void TCell::copyRowFlags(const TCell& other, unsigned mask)
{
    const std::uint8_t bits = ((mask & kCopySelection) ? kRowSelected : 0) | ((mask & kCopyMarks) ? kRowMarked : 0);
    if (bits == 0)
        return;
    const int last = std::min(m_position.lastRow, std::min(rowCount(), other.rowCount()) - 1);
    for (int row = std::max(0, m_position.firstRow); row <= last; ++row) {
        const std::uint8_t wanted = other.rowFlags(row) & bits;
        m_rowFlags.set(static_cast<std::size_t>(row), static_cast<std::uint8_t>((rowFlags(row) & ~bits) | wanted));
    }
    invalidateAll();
}

} // namespace grid
