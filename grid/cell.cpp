#include "grid/cell.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cstring>

#include "platform/display_text.h"
#include "platform/painter.h"
#include "platform/qt_services.h"
#include "platform/window_messages.h"

namespace grid {

namespace {

constexpr int kFallbackFontHeight = 18;
constexpr int kTallRowsExtra = 2;
constexpr unsigned kHeaderMeasureFormat = 0x820;    // DT_SINGLELINE | DT_NOPREFIX
constexpr int kHeaderMeasureWidth = 1000;
constexpr int kHeaderTextPadding = 16;

} // namespace

TCell::TCell(QWidget* parent) : Window(parent)
{
    fonts_.emplace_back(CSFont::defaultLogFont());
    resetColors();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TCell::~TCell() = default;

bool TCell::onCreate()
{
    const std::uint32_t style = windowStyle();
    takeScrollStyle();
    editableStyle_ = (style & TCS_EDITABLE) != 0;
    editEnabled_ = editableStyle_;
    resetColors();
    defaultRowHeight_ = computeDefaultRowHeight();
    headerRowHeight_ = defaultRowHeight_;

    vScrollBar_ = new QScrollBar(Qt::Vertical, this);
    hScrollBar_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {vScrollBar_, hScrollBar_}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connectScrollBar(bar, bar == vScrollBar_);
    }
    if (!createEditors())
        return false;
    relayout();
    return true;
}

void TCell::connectScrollBar(QScrollBar* bar, bool vertical)
{
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, vertical](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: handleScrollBar(vertical, SB_LINEUP, bar->value()); break;
        case QAbstractSlider::SliderSingleStepAdd: handleScrollBar(vertical, SB_LINEDOWN, bar->value()); break;
        case QAbstractSlider::SliderPageStepSub: handleScrollBar(vertical, SB_PAGEUP, bar->value()); break;
        case QAbstractSlider::SliderPageStepAdd: handleScrollBar(vertical, SB_PAGEDOWN, bar->value()); break;
        case QAbstractSlider::SliderMove: handleScrollBar(vertical, SB_THUMBTRACK, bar->sliderPosition()); break;
        default: break;
        }
    });
    connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, vertical] {
        handleScrollBar(vertical, SB_THUMBPOSITION, bar->sliderPosition());
    });
}

// The own bars count for the layout only where the style has them and no control stands in.
void TCell::takeScrollStyle()
{
    const std::uint32_t style = windowStyle();
    geometry_.frame.hasVScroll = (style & platform::WS_VSCROLL) != 0 && !vControl_;
    geometry_.frame.hasHScroll = (style & platform::WS_HSCROLL) != 0 && !hControl_;
}

void TCell::setScrollBarControl(Qt::Orientation orientation, QScrollBar* control)
{
    QPointer<QScrollBar>& slot = orientation == Qt::Vertical ? vControl_ : hControl_;
    if (slot == control)
        return;
    if (slot)
        slot->disconnect(this);
    slot = control;
    if (control) {
        connectScrollBar(control, orientation == Qt::Vertical);
        connect(control, &QObject::destroyed, this, [this, orientation] {
            (orientation == Qt::Vertical ? vControl_ : hControl_) = nullptr;
            takeScrollStyle();
            relayoutAndNotify();
        });
    }
    takeScrollStyle();
    relayoutAndNotify();
    invalidateAll();
}

QScrollBar* TCell::scrollBarControl(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? vControl_.data() : hControl_.data();
}

int TCell::dialogCode()
{
    return platform::DLGC_WANTALLKEYS;
}

void TCell::setRowFlags(int row, std::uint8_t bits, bool on)
{
    if (!geometry_.rows.contains(row))
        return;
    auto& flags = rowFlags_[static_cast<std::size_t>(row)];
    flags = on ? static_cast<std::uint8_t>(flags | bits) : static_cast<std::uint8_t>(flags & ~bits);
}

void TCell::modifyStyle(std::uint32_t remove, std::uint32_t add)
{
    const std::uint32_t before = windowStyle();
    const std::uint32_t style = (before & ~remove) | add;
    setWindowStyle(style);
    if ((before ^ style) & TCS_PLAINSELECT) {
        const CellColors fresh = CellColors::fromPalette(palette(), (style & TCS_PLAINSELECT) != 0);
        colors_.currentRowBackground = fresh.currentRowBackground;
        colors_.currentRowText = fresh.currentRowText;
        colors_.inactiveRowBackground = fresh.inactiveRowBackground;
        colors_.inactiveRowText = fresh.inactiveRowText;
    }
    takeScrollStyle();
    relayoutAndNotify();
    invalidateAll();
}

int TCell::border() const
{
    return (windowStyle() & platform::WS_BORDER) ? 1 : 0;
}

int TCell::headerBandHeight() const
{
    return (gridStyle() & TCS_HEADER) ? headerRowHeight_ : 0;
}

int TCell::fixedBandWidth() const
{
    return (gridStyle() & TCS_FIXEDBAND) ? geometry_.fixedColumns.total() : 0;
}

QRect TCell::clientArea() const
{
    const DataArea area = geometry_.dataArea();
    return QRect(border() + geometry_.frame.leftBand, border() + geometry_.frame.topBand, area.width, area.height);
}

QRect TCell::cellRect(int column, int row) const
{
    const CellAxis& columns = geometry_.columns;
    const CellAxis& rows = geometry_.rows;
    return QRect(columns.start(column) - position_.originX, rows.start(row) - position_.originY,
                 columns.end(column) - columns.start(column), rows.end(row) - rows.start(row));
}

QRect TCell::rowRect(int row) const
{
    const CellAxis& rows = geometry_.rows;
    return QRect(0, rows.start(row) - position_.originY, clientArea().width(), rows.end(row) - rows.start(row));
}

const CSFont& TCell::font(int index) const
{
    if (index < 0 || index >= fontCount())
        return fonts_.front();
    return fonts_[static_cast<std::size_t>(index)];
}

const TextMetrics& TCell::metricsOf(int fontIndex) const
{
    return font(fontIndex).metrics();
}

int TCell::addFont(const framework::LogFont& logFont)
{
    fonts_.emplace_back(logFont);
    return fontCount() - 1;
}

void TCell::replaceFont(int index, const framework::LogFont& logFont)
{
    if (index >= 0 && index < fontCount())
        fonts_[static_cast<std::size_t>(index)] = CSFont(logFont);
}

int TCell::findFont(const framework::LogFont& logFont) const
{
    for (int i = 0; i < fontCount(); ++i)
        if (fonts_[static_cast<std::size_t>(i)].logFont() == logFont)
            return i;
    return -1;
}

void TCell::resetColors()
{
    colors_ = CellColors::fromPalette(palette(), (gridStyle() & TCS_PLAINSELECT) != 0);
}

void TCell::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        resetColors();
        invalidateAll();
    }
    Window::changeEvent(event);
}

bool TCell::isCellEditable(int column, int row) const
{
    if (rowCount() < 1 || columnCount() < 1 || !editableStyle_ || !editEnabled_)
        return false;
    if (!geometry_.columns.contains(column) || !geometry_.rows.contains(row))
        return false;
    return this->column(column).readOnly == 0 && (rowFlags(row) & kRowMarked) == 0;
}

int TCell::setRowEmphasis(bool on)
{
    if (rowEmphasis_ == on)
        return 0;
    rowEmphasis_ = on;
    invalidateCurrentRow(position_);
    return 1;
}

int TCell::computeDefaultRowHeight() const
{
    if (fonts_.empty())
        return kFallbackFontHeight;
    int height = 0;
    for (const CSFont& f : fonts_)
        height = std::max(height, f.metrics().height + f.metrics().internalLeading);
    return height + ((gridStyle() & TCS_TALLROWS) ? kTallRowsExtra : 0);
}

int TCell::automaticWidth(const TCellColumn& column, int requested, bool withHeader) const
{
    const TextMetrics& metrics = metricsOf(column.font);
    const int chars = column.widthChars < 1 ? 10 : column.widthChars;
    const int charWidth = requested < 0 ? metrics.averageCharWidth : metrics.maxCharWidth;
    int width = column.isStatic ? 0 : chars * charWidth + 4;
    if (column.image)
        width += column.imageWidth + 4;
    if (withHeader) {
        const QFontMetrics header(font(0).font());
        const QRect box = header.boundingRect(QRect(0, 0, kHeaderMeasureWidth, defaultRowHeight_),
                                              platform::Painter::qtTextFlags(kHeaderMeasureFormat),
                                              platform::displayText(column.headerText));
        width = std::max(width, box.width() + kHeaderTextPadding);
    }
    return width;
}

void TCell::updateFrame()
{
    CellFrame& frame = geometry_.frame;
    frame.windowWidth = width();
    frame.windowHeight = height();
    frame.border = border();
    frame.leftBand = fixedBandWidth();
    frame.topBand = headerBandHeight();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    frame.vScrollWidth = extent;
    frame.hScrollHeight = extent;
}

void TCell::relayout()
{
    geometry_.rebuildEdges();
    updateFrame();
    geometry_.settle(position_);
    onLayout();
    updateScrollBars();
}

void TCell::relayoutAndNotify()
{
    const TCellPosition before = position_;
    relayout();
    if (!(position_ == before))
        notifyPositionChanged(0);
}

void TCell::updateScrollBars()
{
    if (!vScrollBar_ || !hScrollBar_)
        return;
    const DataArea area = geometry_.dataArea();
    const int b = border();
    const int extent = geometry_.frame.vScrollWidth;
    const auto place = [](QScrollBar* bar, bool shown, int total, int page, int origin, const QRect& where) {
        bar->setVisible(shown);
        if (!shown) {
            bar->setRange(0, 0);
            bar->setPageStep(0);
            return;
        }
        bar->setRange(0, total - page);
        bar->setPageStep(page);
        bar->setSingleStep(std::max(1, page / 20));
        const QSignalBlocker quiet(bar);
        bar->setValue(origin);
        bar->setGeometry(where);
    };
    place(vScrollBar_, area.vScroll && geometry_.rows.total() > area.height, geometry_.rows.total(), area.height,
          position_.originY,
          QRect(width() - b - extent, b, extent, height() - 2 * b - (area.hScroll ? extent : 0)));
    place(hScrollBar_, area.hScroll && geometry_.columns.total() > area.width, geometry_.columns.total(),
          area.width, position_.originX,
          QRect(b, height() - b - extent, width() - 2 * b - (area.vScroll ? extent : 0), extent));
    // A control keeps its own place; it gets the range and is disabled when all fits.
    const auto feed = [](QScrollBar* control, int total, int page, int origin) {
        const bool scrolls = total > page;
        const QSignalBlocker quiet(control);
        control->setRange(0, scrolls ? total - page : 0);
        control->setPageStep(scrolls ? page : 0);
        control->setSingleStep(std::max(1, page / 20));
        control->setValue(scrolls ? origin : 0);
        control->setEnabled(scrolls);
    };
    if (vControl_)
        feed(vControl_, geometry_.rows.total(), area.height, position_.originY);
    if (hControl_)
        feed(hControl_, geometry_.columns.total(), area.width, position_.originX);
}

void TCell::handleScrollBar(bool vertical, int code, int thumb)
{
    if (notify(vertical ? TCN_VSCROLL : TCN_HSCROLL, code, thumb) != kVeto)
        send(vertical ? TCM_VSCROLL : TCM_HSCROLL, static_cast<WParam>(code), thumb);
    updateScrollBars();
}

void TCell::onSize(int width, int height)
{
    const TCellPosition before = position_;
    geometry_.rebuildEdges();
    updateFrame();
    TCellPosition resized = position_;
    geometry_.settle(resized);
    applyPosition(resized);
    if (!(position_ == before))
        notify(TCN_SIZE, width, height);
}

void TCell::applyPosition(const TCellPosition& position)
{
    const TCellPosition previous = position_;
    position_ = position;
    if (!isCreated())
        return;
    onPositionApplied(previous);
    scrollPixels(previous.originX - position_.originX, previous.originY - position_.originY);
    const bool cellChanged = previous.row != position_.row || previous.column != position_.column ||
                             previous.active != position_.active;
    if (cellChanged) {
        invalidateCurrentRow(previous);
        invalidateCurrentRow(position_);
    }
    updateScrollBars();
    placeEditor();
}

void TCell::scrollPixels(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    const QRect data = clientArea();
    const int b = border();
    const bool moveX = dx != 0 && std::abs(dx) < data.width();
    const bool moveY = dy != 0 && std::abs(dy) < data.height();
    // A shift of a whole screen or more repaints instead of moving pixels.
    if ((dx != 0 && !moveX) || (dy != 0 && !moveY)) {
        invalidateAll();
        return;
    }
    if (dx != 0 && headerBandHeight() > 0)
        scrollArea(dx, 0, QRect(data.left(), b, data.width(), headerBandHeight()));
    if (dy != 0 && fixedBandWidth() > 0)
        scrollArea(0, dy, QRect(b, data.top(), fixedBandWidth(), data.height()));
    scrollArea(dx, dy, data);
}

void TCell::invalidateRowAll(int row)
{
    const QRect data = clientArea();
    const QRect band = rowRect(row).translated(data.topLeft());
    invalidateRegion(QRegion(QRect(border(), band.top(), data.right() + 1 - border(), band.height())));
}

void TCell::invalidateCurrentRow(const TCellPosition& position)
{
    if (geometry_.rows.contains(position.row))
        invalidateRowAll(position.row);
}

void TCell::invalidateFromColumn(int column)
{
    const int x = clientArea().left() + geometry_.columns.start(column) - position_.originX;
    invalidateRegion(QRegion(QRect(x, 0, width() - x, height())));
}

void TCell::invalidateFromRow(int row)
{
    const int y = clientArea().top() + geometry_.rows.start(row) - position_.originY;
    invalidateRegion(QRegion(QRect(0, y, width(), height() - y)));
}

void TCell::notifyPositionChanged(framework::MessageId cause)
{
    TCellPosition current = position_;
    notify(TCN_POSCHANGED, reinterpret_cast<LParam>(&current), static_cast<LParam>(cause));
}

LResult TCell::notify(int code, LParam first, LParam second)
{
    if (!(gridStyle() & TCS_NOTIFY))
        return 0;
    Window* target = notifyWindow();
    if (!target)
        return 0;
    TCellNotify record;
    record.grid = this;
    record.controlId = controlId();
    record.code = code;
    record.first = first;
    record.second = second;
    record.position = position_;
    if (code == TCN_POSCHANGED && first != 0)
        record.position = *reinterpret_cast<const TCellPosition*>(first);
    return target->send(TCN_NOTIFY, static_cast<WParam>(controlId()), reinterpret_cast<LParam>(&record));
}

LResult TCell::request(framework::MessageId message, WParam wParam, LParam lParam)
{
    Window* target = notifyWindow();
    return target ? target->send(message, wParam, lParam) : 0;
}

TCellDataRequest TCell::dataRequest(int column, int row, int answerType, LParam value)
{
    TCellDataRequest record;
    record.grid = this;
    record.controlId = controlId();
    record.column = column;
    record.row = row;
    record.answerType = answerType;
    record.value = value;
    return record;
}

bool TCell::hasFocusWithin() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus == this || isOwnChild(focus);
}

bool TCell::isOwnChild(const QWidget* widget) const
{
    return widget && widget != this && isAncestorOf(widget);
}

void TCell::takeFocus()
{
    if (!hasFocusWithin())
        setFocus(Qt::MouseFocusReason);
}

framework::Services& TCell::services()
{
    if (services_)
        return *services_;
    if (!ownServices_)
        ownServices_ = std::make_unique<platform::QtServices>();
    return *ownServices_;
}

} // namespace grid
