#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "grid/cell.h"
#include "platform/display_text.h"
#include "platform/painter.h"

// Painting of TCell: the data area clipped to the update region and walking only the rows
// and columns it touches, the header band, the fixed band, the frame and the tracking line.
namespace grid {

namespace {

using platform::Painter;

constexpr unsigned kPaintFill = 0x1;
constexpr unsigned kPaintLines = 0x2;
constexpr unsigned kPaintImage = 0x4;
constexpr unsigned kPaintText = 0x8;
static_assert(TCellColumn::kDefaultFormat == (platform::DT_SINGLELINE | platform::DT_NOPREFIX));
constexpr int kTextInset = 4;

bool wants(unsigned flags, unsigned bit)
{
    return flags == 0 || (flags & bit) != 0;
}

} // namespace

TCell::CellState TCell::cellState(int column, int row) const
{
    if (!m_geometry.rows.contains(row))
        return CellState::Plain;
    if (m_rowEmphasis && row == m_position.row) {
        if (column == m_position.column && m_position.active)
            return isCellEditable(column, row) ? CellState::EditableCell : CellState::ReadOnlyCell;
        return m_position.active ? CellState::CurrentRow : CellState::InactiveRow;
    }
    const std::uint8_t flags = rowFlags(row);
    if (flags & kRowSelected)
        return CellState::Selected;
    if (flags & kRowMarked)
        return CellState::Marked;
    return CellState::Plain;
}

TCell::ColorRoles TCell::colorRoles(CellState state)
{
    switch (state) {
    case CellState::Selected: return {&CellColors::selectedBackground, &CellColors::selectedText};
    case CellState::Marked: return {&CellColors::markedBackground, &CellColors::markedText};
    case CellState::CurrentRow: return {&CellColors::currentRowBackground, &CellColors::currentRowText};
    case CellState::InactiveRow: return {&CellColors::inactiveRowBackground, &CellColors::inactiveRowText};
    case CellState::EditableCell: return {&CellColors::editableCellBackground, &CellColors::editableCellText};
    case CellState::ReadOnlyCell: return {&CellColors::readOnlyCellBackground, &CellColors::readOnlyCellText};
    case CellState::Plain: break;
    }
    return {&CellColors::background, &CellColors::text};
}

ColorRef TCell::cellBackColor(int column, int row)
{
    return m_colors.*colorRoles(cellState(column, row)).back;
}

ColorRef TCell::cellTextColor(int column, int row)
{
    return m_colors.*colorRoles(cellState(column, row)).text;
}

ColorRef TCell::fixedBackColor(int, int)
{
    return m_colors.headerFace;
}

ColorRef TCell::fixedTextColor(int, int)
{
    return m_colors.headerText;
}

int TCell::cellFont(int column, int) const
{
    return m_geometry.columns.contains(column) ? this->column(column).font : 0;
}

bool TCell::cellText(int column, int row, std::string& text)
{
    return textRequest(kCellDataText, column, row, m_textBuffer, text);
}

bool TCell::fixedCellText(int fixedColumn, int row, std::string& text)
{
    return textRequest(kCellDataFixedText, fixedColumn, row, m_fixedTextBuffer, text);
}

bool TCell::textRequest(int kind, int column, int row, TextBuffer& buffer, std::string& text)
{
    buffer[0] = '\0';
    TCellDataRequest record = dataRequest(column, row, kAnswerText, reinterpret_cast<LParam>(buffer.data()));
    if (request(TCM_GETCELLDATA, static_cast<WParam>(kind), reinterpret_cast<LParam>(&record)) != kVeto ||
        record.answerType != kAnswerText)
        return false;
    buffer.back() = '\0';
    text.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    return true;
}

LResult TCell::numberRequest(int kind, int column, int row)
{
    TCellDataRequest record = dataRequest(column, row, kAnswerNumber, -1);
    request(TCM_GETCELLDATA, static_cast<WParam>(kind), reinterpret_cast<LParam>(&record));
    return record.answerType == kAnswerNumber ? record.value : -1;
}

bool TCell::cellImage(int column, int row, CellImage& image)
{
    const std::optional<CellImage> answer = CellImage::fromNumber(numberRequest(kCellDataNumber, column, row));
    if (answer)
        image = *answer;
    return answer.has_value();
}

bool TCell::fixedCellImage(int fixedColumn, int row, CellImage& image)
{
    const std::optional<CellImage> answer =
        CellImage::fromNumber(numberRequest(kCellDataFixedNumber, fixedColumn, row));
    if (answer)
        image = *answer;
    return answer.has_value();
}

const CellImages& TCell::images() const
{
    if (!m_images)
        m_images = std::make_unique<CellImages>();
    return *m_images;
}

void TCell::setBackgroundPattern(bool on)
{
    if (m_backgroundPattern == on)
        return;
    m_backgroundPattern = on;
    invalidateAll();
}

void TCell::fillBackground(Painter& painter, const QRect& rect)
{
    if (!m_backgroundPattern) {
        painter.fillRect(rect, m_colors.background);
        return;
    }
    const qreal ratio = painter.qt().device() ? painter.qt().device()->devicePixelRatioF() : 1.0;
    painter.qt().fillRect(rect, images().patternBrush(m_colors.background, m_colors.gridLine, ratio));
}

QRect TCell::drawCellImage(Painter& painter, const TCellColumn& record, const QRect& rect,
                           const std::optional<CellImage>& image)
{
    const CellImageList* list = image ? images().list(image->list) : nullptr;
    if (list) {
        const bool centred = record.isStatic && (record.format & platform::DT_CENTER);
        const int x = centred ? rect.left() + (rect.width() - list->imageWidth()) / 2 : rect.left() + 4;
        painter.save();
        painter.intersectClip(rect);
        list->draw(painter.qt(), image->index, QPoint(x, rect.top() + (rect.height() - list->imageHeight()) / 2));
        painter.restore();
    }
    QRect rest = rect;
    rest.setLeft(rect.left() + record.imageWidth + 4);
    return rest;
}

void TCell::onPaint(Painter& painter, const QRegion& update)
{
    const QRect data = clientArea();
    if (update.intersects(data))
        paintDataArea(painter, update.intersected(data));
    if (headerBandHeight() > 0)
        paintHeaderBand(painter);
    if (fixedBandWidth() > 0)
        paintFixedBand(painter, update);
    paintFrameAndCorner(painter);
    paintTrackingLine(painter);
}

void TCell::paintDataArea(Painter& painter, const QRegion& update)
{
    const QRect data = clientArea();
    painter.save();
    painter.setClip(update);
    painter.translate(data.left(), data.top());
    painter.setFont(font(0).font());

    // The update box in content coordinates.
    const QRect box = update.boundingRect().translated(m_position.originX - data.left(), m_position.originY - data.top());
    CellAxis& columns = m_geometry.columns;
    CellAxis& rows = m_geometry.rows;
    const int firstColumn = columns.indexAt(box.left());
    const int lastColumn = std::min(columns.indexAt(box.right()), columns.count() - 1);
    const int firstRow = rows.indexAt(box.top());
    const int lastRow = rows.indexAt(box.bottom());
    columns.raiseTail(box.right() + 1);
    rows.raiseTail(box.bottom() + 1);

    const int boxLeft = box.left() - m_position.originX;
    for (int row = firstRow; row <= lastRow; ++row) {
        const ColorRef rowBack = cellBackColor(-1, row);
        const int top = rows.start(row) - m_position.originY;
        const QRect band(boxLeft, top, box.width(), rows.end(row) - rows.start(row));
        if (row >= rows.count() && m_backgroundPattern) {
            fillBackground(painter, band);
            continue;
        }
        painter.fillRect(band, rowBack);
        if (row >= rows.count())
            continue;
        for (int column = firstColumn; column <= lastColumn; ++column)
            paintCell(painter, column, row, cellRect(column, row), rowBack, 0);
    }
    painter.restore();
}

void TCell::paintCell(Painter& painter, int column, int row, const QRect& rect, ColorRef rowBack, unsigned flags)
{
    if (!painter.isVisible(rect))
        return;
    const TCellColumn& record = this->column(column);
    if (record.ownerDrawn) {
        TCellDrawItem item;
        item.controlId = controlId();
        item.column = column;
        item.state = (rowFlags(row) & kRowSelected ? TCellDrawItem::kStateSelected : 0) |
                     (rowFlags(row) & kRowMarked ? TCellDrawItem::kStateMarked : 0) |
                     (column == m_position.column && row == m_position.row ? TCellDrawItem::kStateCurrent : 0);
        item.grid = this;
        item.painter = &painter;
        item.rect = {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
        item.row = row;
        request(TCM_DRAWCELL, static_cast<WParam>(controlId()), reinterpret_cast<LParam>(&item));
        return;
    }
    const ColorRef back = cellBackColor(column, row);
    if (back != rowBack || (flags & kPaintFill))
        painter.fillRect(rect, back);

    const std::uint32_t style = gridStyle();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    if (wants(flags, kPaintLines)) {
        const ColorRef lineColor = back == m_colors.gridLine ? m_colors.headerShadow : m_colors.gridLine;
        if (style & TCS_HGRID)
            painter.line(rect.left(), bottom - 1, right, bottom - 1, lineColor);
        if (style & TCS_VGRID)
            painter.line(right - 1, rect.top(), right - 1, bottom, lineColor);
    }
    if (m_rowEmphasis && m_position.active && column == m_position.column && row == m_position.row &&
        !(style & TCS_TALLROWS)) {
        const QRect inside(rect.left(), rect.top(), rect.width() - ((style & TCS_VGRID) ? 1 : 0),
                           rect.height() - ((style & TCS_HGRID) ? 1 : 0));
        painter.frameRect(inside, m_colors.frame);
    }

    QRect cell = rect;
    if (record.image) {
        CellImage image;
        const bool shown = wants(flags, kPaintImage) && cellImage(column, row, image);
        cell = drawCellImage(painter, record, rect, shown ? std::optional(image) : std::nullopt);
    }
    if (!wants(flags, kPaintText) || record.isStatic)
        return;
    std::string text;
    if (!cellText(column, row, text) || text.empty())
        return;
    const CSFont& cellFontObject = font(cellFont(column, row));
    const QRect area = textArea(cell, cellFontObject.metrics().height);
    paintTextMarks(painter, column, row, rect, area, text, cellFontObject);
    painter.setTextColor(cellTextColor(column, row));
    drawCellText(painter, area, text, cellFontObject, record.textFormat());
}

void TCell::paintTextMarks(Painter&, int, int, const QRect&, const QRect&, const std::string&, const CSFont&) {}

QRect TCell::textArea(const QRect& cell, int fontHeight) const
{
    QRect area(cell.left() + kTextInset, cell.top(), cell.width() - 2 * kTextInset, cell.height());
    if (cell.width() >= 8 && cell.height() >= 4) {
        area.setTop(cell.top() + (cell.height() - fontHeight) / 2);
        area.setHeight(fontHeight);
    } else {
        area.setTop(cell.top() + 2);
        area.setHeight(cell.height() - 3);
    }
    return area.translated(0, -1);
}

void TCell::drawCellText(Painter& painter, const QRect& area, const std::string& text, const CSFont& cellFont,
                         std::uint32_t format)
{
    painter.setFont(cellFont.font());
    painter.drawText(area, text, format);
}

void TCell::paintHeaderBand(Painter& painter)
{
    const QRect data = clientArea();
    const int b = border();
    const QRect band(data.left(), b, data.width(), headerBandHeight());
    painter.save();
    painter.setClip(band);
    painter.fillRect(band, m_colors.headerFace);
    for (int column = m_position.firstColumn; column <= std::min(m_position.lastColumn, columnCount() - 1); ++column) {
        const QRect cell = cellRect(column, 0);
        paintHeaderCell(painter, column, QRect(data.left() + cell.left(), b, cell.width(), headerBandHeight()));
    }
    painter.restore();
}

void TCell::paintHeaderCell(Painter& painter, int column, const QRect& rect)
{
    const TCellColumn& record = this->column(column);
    paintHeaderFace(painter, rect, 3, record.headerText, record.textFormat() & (platform::DT_CENTER | platform::DT_RIGHT));
}

void TCell::paintCornerCell(Painter& painter, int fixedColumn, const QRect& rect)
{
    paintHeaderFace(painter, rect, 0, this->fixedColumn(fixedColumn).headerText, 0);
}

void TCell::paintHeaderFace(Painter& painter, const QRect& rect, int rightLineInset, std::string_view caption,
                            std::uint32_t alignment)
{
    painter.fillRect(rect, m_colors.headerFace);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.line(rect.left(), bottom - 1, right, bottom - 1, m_colors.headerShadow);
    painter.line(right - 1, rect.top() + rightLineInset, right - 1, bottom - rightLineInset, m_colors.headerShadow);
    painter.setFont(font(0).font());
    painter.setTextColor(m_colors.headerText);
    painter.drawText(rect.adjusted(kTextInset, 0, -kTextInset, -1), caption,
                     alignment | platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX |
                         platform::DT_END_ELLIPSIS);
}

void TCell::paintFixedBand(Painter& painter, const QRegion& update)
{
    const QRect data = clientArea();
    const int b = border();
    const QRect band(b, data.top(), fixedBandWidth(), data.height());
    if (!update.intersects(band))
        return;
    painter.save();
    painter.setClip(update.intersected(band));
    painter.fillRect(band, m_colors.headerFace);
    const int lastRow = std::min(m_position.lastRow, rowCount() - 1);
    for (int row = m_position.firstRow; row <= lastRow; ++row) {
        const QRect line = rowRect(row).translated(0, data.top());
        for (int fixed = 0; fixed < fixedColumnCount(); ++fixed) {
            const QRect cell(b + m_geometry.fixedColumns.start(fixed), line.top(), m_geometry.fixedColumns.size(fixed),
                             line.height());
            if (painter.isVisible(cell))
                paintFixedCell(painter, fixed, row, cell);
        }
    }
    painter.restore();
}

void TCell::paintFixedCell(Painter& painter, int fixedColumn, int row, const QRect& rect)
{
    const TCellColumn& record = this->fixedColumn(fixedColumn);
    const ColorRef back = fixedBackColor(fixedColumn, row);
    painter.fillRect(rect, back);
    const bool flat = record.flat || (gridStyle() & TCS_FLATFIXED);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    if (flat) {
        const ColorRef lineColor = back == m_colors.gridLine ? m_colors.headerShadow : m_colors.gridLine;
        if (gridStyle() & TCS_HGRID)
            painter.line(rect.left(), bottom - 1, right, bottom - 1, lineColor);
        if (gridStyle() & TCS_VGRID)
            painter.line(right - 1, rect.top(), right - 1, bottom, lineColor);
    } else {
        drawRaisedEdges(painter, rect, m_rowEmphasis && row == m_position.row);
    }
    QRect cell = rect;
    if (record.image) {
        CellImage image;
        const bool shown = fixedCellImage(fixedColumn, row, image);
        cell = drawCellImage(painter, record, rect, shown ? std::optional(image) : std::nullopt);
    }
    if (record.isStatic)
        return;
    std::string text;
    if (!fixedCellText(fixedColumn, row, text) || text.empty())
        return;
    painter.setTextColor(fixedTextColor(fixedColumn, row));
    const CSFont& cellFontObject = font(record.font);
    drawCellText(painter, textArea(cell, cellFontObject.metrics().height), text, cellFontObject, record.textFormat());
}

void TCell::drawRaisedEdges(Painter& painter, const QRect& rect, bool pressed)
{
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.line(rect.left(), bottom - 1, right, bottom - 1, m_colors.headerDarkShadow);
    painter.line(right - 1, rect.top(), right - 1, bottom, m_colors.headerDarkShadow);
    const ColorRef lightEdge = pressed ? m_colors.headerShadow : m_colors.headerLight;
    painter.line(rect.left(), rect.top(), right - 1, rect.top(), lightEdge);
    painter.line(rect.left(), rect.top(), rect.left(), bottom - 1, lightEdge);
}

void TCell::paintFrameAndCorner(Painter& painter)
{
    const QRect data = clientArea();
    const int b = border();
    if (headerBandHeight() > 0 && fixedBandWidth() > 0) {
        painter.save();
        painter.setClip(QRect(b, b, fixedBandWidth(), headerBandHeight()));
        for (int fixed = 0; fixed < fixedColumnCount(); ++fixed)
            paintCornerCell(painter, fixed,
                            QRect(b + m_geometry.fixedColumns.start(fixed), b, m_geometry.fixedColumns.size(fixed),
                                  headerBandHeight()));
        painter.restore();
    }
    const bool vBar = m_vScrollBar && m_vScrollBar->isVisible();
    const bool hBar = m_hScrollBar && m_hScrollBar->isVisible();
    if (vBar && hBar)
        painter.fillRect(QRect(data.right() + 1, data.bottom() + 1, width() - b - data.right() - 1,
                               height() - b - data.bottom() - 1),
                         m_colors.headerFace);
    if (b > 0)
        painter.frameRect(rect(), m_colors.headerShadow);
}

void TCell::paintTrackingLine(Painter& painter)
{
    if (m_tracking == Tracking::None || m_trackLine < 0)
        return;
    const int b = border();
    if (m_tracking == Tracking::Row)
        painter.line(b, m_trackLine, width() - b, m_trackLine, m_colors.frame);
    else
        painter.line(m_trackLine, b, m_trackLine, height() - b, m_colors.frame);
}

} // namespace grid
