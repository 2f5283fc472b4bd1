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
    if (!geometry_.columns.contains(column))
        return false;
    TCellColumn& record = columns_[static_cast<std::size_t>(column)];
    const int pixels = width < 1 ? automaticWidth(record, width, false) : width;
    record.width = pixels;
    geometry_.columns.setSize(column, pixels);
    relayout();
    invalidateFromColumn(column);
    return true;
}

bool TCell::setFixedColumnWidth(int column, int width)
{
    if (!geometry_.fixedColumns.contains(column))
        return false;
    TCellColumn& record = fixedColumns_[static_cast<std::size_t>(column)];
    const int pixels = width < 1 ? automaticWidth(record, width, false) : width;
    record.width = pixels;
    geometry_.fixedColumns.setSize(column, pixels);
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
            defaultRowHeight_ = computeDefaultRowHeight();
            headerRowHeight_ = defaultRowHeight_;
        }
        geometry_.rows.setAll(height == -1 ? defaultRowHeight_ : height);
        relayout();
        invalidateAll();
        return true;
    }
    if (!geometry_.rows.contains(row))
        return false;
    geometry_.rows.setSize(row, height == -1 ? defaultRowHeight_ : height);
    relayout();
    invalidateFromRow(row);
    return true;
}

bool TCell::changeRowFlag(int row, int action, std::uint8_t bit)
{
    if (action < 0 || action > 2)
        return false;
    const auto change = [action, bit](std::uint8_t& flags) {
        if (action == 0)
            flags = static_cast<std::uint8_t>(flags & ~bit);
        else if (action == 1)
            flags = static_cast<std::uint8_t>(flags | bit);
        else
            flags = static_cast<std::uint8_t>(flags ^ bit);
    };
    if (row == -1) {
        for (std::uint8_t& flags : rowFlags_)
            change(flags);
        invalidateAll();
        return true;
    }
    if (!geometry_.rows.contains(row))
        return false;
    change(rowFlags_[static_cast<std::size_t>(row)]);
    if (row >= position_.firstRow && row <= position_.lastRow)
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
    columns_.insert(columns_.begin() + index, added.begin(), added.end());
    geometry_.columns.insert(index, count, 0);
    for (int i = 0; i < count; ++i)
        geometry_.columns.setSize(index + i, widths[static_cast<std::size_t>(i)]);
    afterStructureChange(true, index);
    return true;
}

bool TCell::insertFixedColumns(int index, const TCellColumn* records, int count)
{
    if (count < 1 || !records)
        return false;
    if (index < 0 || index > fixedColumnCount())
        index = fixedColumnCount();
    geometry_.fixedColumns.insert(index, count, 0);
    for (int i = 0; i < count; ++i) {
        TCellColumn record = normalised(records[i]);
        if (record.width <= 0)
            record.width = automaticWidth(record, record.width, true);
        fixedColumns_.insert(fixedColumns_.begin() + index + i, record);
        geometry_.fixedColumns.setSize(index + i, record.width);
    }
    relayoutAndNotify();
    invalidateAll();
    return true;
}

bool TCell::insertRows(int index, int count)
{
    if (count < 1 || index < 0 || index > rowCount())
        return false;
    rowFlags_.insert(rowFlags_.begin() + index, static_cast<std::size_t>(count), 0);
    geometry_.rows.insert(index, count, defaultRowHeight_);
    afterStructureChange(false, index);
    return true;
}

bool TCell::deleteColumns(int first, int count)
{
    if (count < 1 || !geometry_.columns.contains(first))
        return false;
    count = std::min(count, columnCount() - first);
    columns_.erase(columns_.begin() + first, columns_.begin() + first + count);
    geometry_.columns.erase(first, count);
    afterStructureChange(true, first);
    return true;
}

bool TCell::deleteRows(int first, int count)
{
    if (first == -1)
        first = rowCount() - 1;
    if (count < 1 || !geometry_.rows.contains(first))
        return false;
    count = std::min(count, rowCount() - first);
    rowFlags_.erase(rowFlags_.begin() + first, rowFlags_.begin() + first + count);
    geometry_.rows.erase(first, count);
    afterStructureChange(false, first);
    return true;
}

void TCell::afterStructureChange(bool columns, int first)
{
    relayoutAndNotify();
    const int current = columns ? position_.column : position_.row;
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
    if (other.columnCount() != columnCount()) {
        columns_ = other.columns_;
        geometry_.columns = other.geometry_.columns;
    }
    if (other.rowCount() != rowCount()) {
        geometry_.rows = other.geometry_.rows;
        // The rows that stay keep their flags: the owner's bits (bookmarks) live only here.
        rowFlags_.resize(static_cast<std::size_t>(other.rowCount()), 0);
        mask &= 0x20 | 0x40 | 0x80;
    }
    if (mask & 0x100) {
        defaultRowHeight_ = other.defaultRowHeight_;
        headerRowHeight_ = other.headerRowHeight_;
    }
    if (mask & 0x10) {
        geometry_.columns = other.geometry_.columns;
        geometry_.fixedColumns = other.geometry_.fixedColumns;
    }
    if ((mask & 0x20) && !(gridStyle() & TCS_KEEPHEIGHTS)) {
        defaultRowHeight_ = other.defaultRowHeight_;
        geometry_.rows = other.geometry_.rows;
    }
    relayout();

    TCellPosition next = position_;
    const TCellPosition& theirs = other.position_;
    if (mask & 0x01)
        next.originX = theirs.originX;
    if (mask & 0x02)
        next.originY = theirs.originY;
    if (mask & 0x04)
        next.row = theirs.row;
    if (mask & 0x08)
        next.column = theirs.column;

    if (mask & (0x40 | 0x80)) {
        const std::uint8_t bits = ((mask & 0x40) ? kRowSelected : 0) | ((mask & 0x80) ? kRowMarked : 0);
        const int last = std::min(position_.lastRow, std::min(rowCount(), other.rowCount()) - 1);
        for (int row = std::max(0, position_.firstRow); row <= last; ++row) {
            auto& mine = rowFlags_[static_cast<std::size_t>(row)];
            const std::uint8_t wanted = other.rowFlags(row) & bits;
            mine = static_cast<std::uint8_t>((mine & ~bits) | wanted);
        }
        invalidateAll();
    }

    geometry_.settle(next);
    // A modified editor is stored before its cell moves; when that is refused the cell stays.
    if ((next.row != position_.row || next.column != position_.column) && !canMoveTo(next.column, next.row)) {
        next.row = position_.row;
        next.column = position_.column;
        geometry_.settle(next);
    }
    if (!(next == position_)) {
        applyPosition(next);
        updateNow();
    }
}

} // namespace grid
