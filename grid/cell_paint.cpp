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
constexpr std::uint32_t kDefaultFormat = platform::DT_SINGLELINE | platform::DT_NOPREFIX;
constexpr int kTextInset = 4;

bool wants(unsigned flags, unsigned bit)
{
    return flags == 0 || (flags & bit) != 0;
}

std::uint32_t formatOf(const TCellColumn& column)
{
    return column.format == 0 ? kDefaultFormat : column.format;
}

std::string bufferText(const std::array<char, 4096>& buffer)
{
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

} // namespace

ColorRef TCell::cellBackColor(int column, int row)
{
    if (!geometry_.rows.contains(row))
        return colors_.background;
    if (rowEmphasis_ && row == position_.row) {
        if (column == position_.column && position_.active)
            return isCellEditable(column, row) ? colors_.editableCellBackground : colors_.readOnlyCellBackground;
        return position_.active ? colors_.currentRowBackground : colors_.inactiveRowBackground;
    }
    const std::uint8_t flags = rowFlags(row);
    if (flags & kRowSelected)
        return colors_.selectedBackground;
    if (flags & kRowMarked)
        return colors_.markedBackground;
    return colors_.background;
}

ColorRef TCell::cellTextColor(int column, int row)
{
    if (!geometry_.rows.contains(row))
        return colors_.text;
    if (rowEmphasis_ && row == position_.row) {
        if (column == position_.column && position_.active)
            return isCellEditable(column, row) ? colors_.editableCellText : colors_.readOnlyCellText;
        return position_.active ? colors_.currentRowText : colors_.inactiveRowText;
    }
    const std::uint8_t flags = rowFlags(row);
    if (flags & kRowSelected)
        return colors_.selectedText;
    if (flags & kRowMarked)
        return colors_.markedText;
    return colors_.text;
}

ColorRef TCell::fixedBackColor(int, int)
{
    return colors_.headerFace;
}

ColorRef TCell::fixedTextColor(int, int)
{
    return colors_.headerText;
}

int TCell::cellFont(int column, int) const
{
    return geometry_.columns.contains(column) ? this->column(column).font : 0;
}

bool TCell::cellText(int column, int row, std::string& text)
{
    textBuffer_[0] = '\0';
    TCellDataRequest record = dataRequest(column, row, kAnswerText, reinterpret_cast<LParam>(textBuffer_.data()));
    if (request(TCM_GETCELLDATA, kCellDataText, reinterpret_cast<LParam>(&record)) != kVeto ||
        record.answerType != kAnswerText)
        return false;
    textBuffer_.back() = '\0';
    text = bufferText(textBuffer_);
    return true;
}

bool TCell::fixedCellText(int fixedColumn, int row, std::string& text)
{
    fixedTextBuffer_[0] = '\0';
    TCellDataRequest record =
        dataRequest(fixedColumn, row, kAnswerText, reinterpret_cast<LParam>(fixedTextBuffer_.data()));
    if (request(TCM_GETCELLDATA, kCellDataFixedText, reinterpret_cast<LParam>(&record)) != kVeto ||
        record.answerType != kAnswerText)
        return false;
    fixedTextBuffer_.back() = '\0';
    text = bufferText(fixedTextBuffer_);
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
    if (!images_)
        images_ = std::make_unique<CellImages>();
    return *images_;
}

void TCell::setBackgroundPattern(bool on)
{
    if (backgroundPattern_ == on)
        return;
    backgroundPattern_ = on;
    invalidateAll();
}

void TCell::fillBackground(Painter& painter, const QRect& rect)
{
    if (!backgroundPattern_) {
        painter.fillRect(rect, colors_.background);
        return;
    }
    const qreal ratio = painter.qt().device() ? painter.qt().device()->devicePixelRatioF() : 1.0;
    painter.qt().fillRect(rect, images().patternBrush(colors_.background, colors_.gridLine, ratio));
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
    const QRect box = update.boundingRect().translated(position_.originX - data.left(), position_.originY - data.top());
    CellAxis& columns = geometry_.columns;
    CellAxis& rows = geometry_.rows;
    const int firstColumn = columns.indexAt(box.left());
    const int lastColumn = std::min(columns.indexAt(box.right()), columns.count() - 1);
    const int firstRow = rows.indexAt(box.top());
    const int lastRow = rows.indexAt(box.bottom());
    columns.raiseTail(box.right() + 1);
    rows.raiseTail(box.bottom() + 1);

    const int boxLeft = box.left() - position_.originX;
    for (int row = firstRow; row <= lastRow; ++row) {
        const ColorRef rowBack = cellBackColor(-1, row);
        const int top = rows.start(row) - position_.originY;
        const QRect band(boxLeft, top, box.width(), rows.end(row) - rows.start(row));
        if (row >= rows.count() && backgroundPattern_) {
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
                     (column == position_.column && row == position_.row ? TCellDrawItem::kStateCurrent : 0);
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
        const ColorRef lineColor = back == colors_.gridLine ? colors_.headerShadow : colors_.gridLine;
        if (style & TCS_HGRID)
            painter.line(rect.left(), bottom - 1, right, bottom - 1, lineColor);
        if (style & TCS_VGRID)
            painter.line(right - 1, rect.top(), right - 1, bottom, lineColor);
    }
    if (rowEmphasis_ && position_.active && column == position_.column && row == position_.row &&
        !(style & TCS_TALLROWS)) {
        const QRect inside(rect.left(), rect.top(), rect.width() - ((style & TCS_VGRID) ? 1 : 0),
                           rect.height() - ((style & TCS_HGRID) ? 1 : 0));
        painter.frameRect(inside, colors_.frame);
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
    drawCellText(painter, area, text, cellFontObject, formatOf(record));
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
    painter.fillRect(band, colors_.headerFace);
    for (int column = position_.firstColumn; column <= std::min(position_.lastColumn, columnCount() - 1); ++column) {
        const QRect cell = cellRect(column, 0);
        paintHeaderCell(painter, column, QRect(data.left() + cell.left(), b, cell.width(), headerBandHeight()));
    }
    painter.restore();
}

void TCell::paintHeaderCell(Painter& painter, int column, const QRect& rect)
{
    const TCellColumn& record = this->column(column);
    painter.fillRect(rect, colors_.headerFace);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.line(rect.left(), bottom - 1, right, bottom - 1, colors_.headerShadow);
    painter.line(right - 1, rect.top() + 3, right - 1, bottom - 3, colors_.headerShadow);
    painter.setFont(font(0).font());
    painter.setTextColor(colors_.headerText);
    const QRect text = rect.adjusted(kTextInset, 0, -kTextInset, -1);
    painter.drawText(text, std::string_view(record.headerText),
                     (formatOf(record) & (platform::DT_CENTER | platform::DT_RIGHT)) | platform::DT_SINGLELINE |
                         platform::DT_VCENTER | platform::DT_NOPREFIX | platform::DT_END_ELLIPSIS);
}

void TCell::paintCornerCell(Painter& painter, int fixedColumn, const QRect& rect)
{
    const TCellColumn& record = this->fixedColumn(fixedColumn);
    painter.fillRect(rect, colors_.headerFace);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.line(rect.left(), bottom - 1, right, bottom - 1, colors_.headerShadow);
    painter.line(right - 1, rect.top(), right - 1, bottom, colors_.headerShadow);
    painter.setFont(font(0).font());
    painter.setTextColor(colors_.headerText);
    painter.drawText(rect.adjusted(kTextInset, 0, -kTextInset, -1), std::string_view(record.headerText),
                     platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX | platform::DT_END_ELLIPSIS);
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
    painter.fillRect(band, colors_.headerFace);
    const int lastRow = std::min(position_.lastRow, rowCount() - 1);
    for (int row = position_.firstRow; row <= lastRow; ++row) {
        const QRect line = rowRect(row).translated(0, data.top());
        for (int fixed = 0; fixed < fixedColumnCount(); ++fixed) {
            const QRect cell(b + geometry_.fixedColumns.start(fixed), line.top(), geometry_.fixedColumns.size(fixed),
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
        const ColorRef lineColor = back == colors_.gridLine ? colors_.headerShadow : colors_.gridLine;
        if (gridStyle() & TCS_HGRID)
            painter.line(rect.left(), bottom - 1, right, bottom - 1, lineColor);
        if (gridStyle() & TCS_VGRID)
            painter.line(right - 1, rect.top(), right - 1, bottom, lineColor);
    } else {
        drawRaisedEdges(painter, rect, rowEmphasis_ && row == position_.row);
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
    drawCellText(painter, textArea(cell, cellFontObject.metrics().height), text, cellFontObject, formatOf(record));
}

void TCell::drawRaisedEdges(Painter& painter, const QRect& rect, bool pressed)
{
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.line(rect.left(), bottom - 1, right, bottom - 1, colors_.headerDarkShadow);
    painter.line(right - 1, rect.top(), right - 1, bottom, colors_.headerDarkShadow);
    const ColorRef lightEdge = pressed ? colors_.headerShadow : colors_.headerLight;
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
                            QRect(b + geometry_.fixedColumns.start(fixed), b, geometry_.fixedColumns.size(fixed),
                                  headerBandHeight()));
        painter.restore();
    }
    const bool vBar = vScrollBar_ && vScrollBar_->isVisible();
    const bool hBar = hScrollBar_ && hScrollBar_->isVisible();
    if (vBar && hBar)
        painter.fillRect(QRect(data.right() + 1, data.bottom() + 1, width() - b - data.right() - 1,
                               height() - b - data.bottom() - 1),
                         colors_.headerFace);
    if (b > 0)
        painter.frameRect(rect(), colors_.headerShadow);
}

void TCell::paintTrackingLine(Painter& painter)
{
    if (tracking_ == Tracking::None || trackLine_ < 0)
        return;
    const int b = border();
    if (tracking_ == Tracking::Row)
        painter.line(b, trackLine_, width() - b, trackLine_, colors_.frame);
    else
        painter.line(trackLine_, b, trackLine_, height() - b, colors_.frame);
}

} // namespace grid
