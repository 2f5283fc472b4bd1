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
constexpr int kHeaderMeasureWidth = 1000;
constexpr int kHeaderTextPadding = 16;

} // namespace

TCell::TCell(QWidget* parent) : Window(parent)
{
    m_fonts.emplace_back(CSFont::defaultLogFont());
    resetColors();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TCell::~TCell() = default;

bool TCell::onCreate()
{
    const std::uint32_t style = windowStyle();
    takeScrollStyle();
    m_editableStyle = (style & TCS_EDITABLE) != 0;
    m_editEnabled = m_editableStyle;
    resetColors();
    m_defaultRowHeight = computeDefaultRowHeight();
    m_headerRowHeight = m_defaultRowHeight;

    m_vScrollBar = new QScrollBar(Qt::Vertical, this);
    m_hScrollBar = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {m_vScrollBar, m_hScrollBar}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connectScrollBar(bar, bar == m_vScrollBar);
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
    m_geometry.frame.hasVScroll = (style & platform::WS_VSCROLL) != 0 && !m_vControl;
    m_geometry.frame.hasHScroll = (style & platform::WS_HSCROLL) != 0 && !m_hControl;
}

void TCell::setScrollBarControl(Qt::Orientation orientation, QScrollBar* control)
{
    QPointer<QScrollBar>& slot = orientation == Qt::Vertical ? m_vControl : m_hControl;
    if (slot == control)
        return;
    if (slot)
        slot->disconnect(this);
    slot = control;
    if (control) {
        connectScrollBar(control, orientation == Qt::Vertical);
        connect(control, &QObject::destroyed, this, [this, orientation] {
            (orientation == Qt::Vertical ? m_vControl : m_hControl) = nullptr;
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
    return orientation == Qt::Vertical ? m_vControl.data() : m_hControl.data();
}

int TCell::dialogCode()
{
    return platform::DLGC_WANTALLKEYS;
}

// Eight rows at a time: the bars ask whether any of millions of rows is selected on every
// refresh, and mostly none is.
int TCell::nextRowWithFlags(int from, std::uint8_t bits) const
{
    const std::size_t count = m_rowFlags.size();
    const std::uint8_t* flags = m_rowFlags.data();
    const std::uint64_t anyByte = 0x0101010101010101ULL * bits;
    std::size_t row = static_cast<std::size_t>(std::max(from, 0));
    for (; row + 8 <= count; row += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, flags + row, sizeof eight);
        if ((eight & anyByte) != 0)
            break;
    }
    for (; row < count; ++row) {
        if ((flags[row] & bits) != 0)
            return static_cast<int>(row);
    }
    return static_cast<int>(count);
}

void TCell::setRowFlags(int row, std::uint8_t bits, bool on)
{
    if (!m_geometry.rows.contains(row))
        return;
    auto& flags = m_rowFlags[static_cast<std::size_t>(row)];
    flags = on ? static_cast<std::uint8_t>(flags | bits) : static_cast<std::uint8_t>(flags & ~bits);
}

void TCell::modifyStyle(std::uint32_t remove, std::uint32_t add)
{
    const std::uint32_t before = windowStyle();
    const std::uint32_t style = (before & ~remove) | add;
    setWindowStyle(style);
    if ((before ^ style) & TCS_PLAINSELECT) {
        const CellColors fresh = CellColors::fromPalette(palette(), (style & TCS_PLAINSELECT) != 0);
        m_colors.currentRowBackground = fresh.currentRowBackground;
        m_colors.currentRowText = fresh.currentRowText;
        m_colors.inactiveRowBackground = fresh.inactiveRowBackground;
        m_colors.inactiveRowText = fresh.inactiveRowText;
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
    return (gridStyle() & TCS_HEADER) ? m_headerRowHeight : 0;
}

int TCell::fixedBandWidth() const
{
    return (gridStyle() & TCS_FIXEDBAND) ? m_geometry.fixedColumns.total() : 0;
}

QRect TCell::clientArea() const
{
    const DataArea area = m_geometry.dataArea();
    return QRect(border() + m_geometry.frame.leftBand, border() + m_geometry.frame.topBand, area.width, area.height);
}

QRect TCell::cellRect(int column, int row) const
{
    const CellAxis& columns = m_geometry.columns;
    const CellAxis& rows = m_geometry.rows;
    return QRect(columns.start(column) - m_position.originX, rows.start(row) - m_position.originY,
                 columns.end(column) - columns.start(column), rows.end(row) - rows.start(row));
}

QRect TCell::rowRect(int row) const
{
    const CellAxis& rows = m_geometry.rows;
    return QRect(0, rows.start(row) - m_position.originY, clientArea().width(), rows.end(row) - rows.start(row));
}

const CSFont& TCell::font(int index) const
{
    if (index < 0 || index >= fontCount())
        return m_fonts.front();
    return m_fonts[static_cast<std::size_t>(index)];
}

const TextMetrics& TCell::metricsOf(int fontIndex) const
{
    return font(fontIndex).metrics();
}

int TCell::addFont(const framework::LogFont& logFont)
{
    m_fonts.emplace_back(logFont);
    return fontCount() - 1;
}

void TCell::replaceFont(int index, const framework::LogFont& logFont)
{
    if (index >= 0 && index < fontCount())
        m_fonts[static_cast<std::size_t>(index)] = CSFont(logFont);
}

int TCell::findFont(const framework::LogFont& logFont) const
{
    for (int i = 0; i < fontCount(); ++i)
        if (m_fonts[static_cast<std::size_t>(i)].logFont() == logFont)
            return i;
    return -1;
}

void TCell::resetColors()
{
    m_colors = CellColors::fromPalette(palette(), (gridStyle() & TCS_PLAINSELECT) != 0);
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
    if (rowCount() < 1 || columnCount() < 1 || !m_editableStyle || !m_editEnabled)
        return false;
    if (!m_geometry.columns.contains(column) || !m_geometry.rows.contains(row))
        return false;
    return this->column(column).readOnly == 0 && (rowFlags(row) & kRowMarked) == 0;
}

int TCell::setRowEmphasis(bool on)
{
    if (m_rowEmphasis == on)
        return 0;
    m_rowEmphasis = on;
    invalidateCurrentRow(m_position);
    return 1;
}

int TCell::computeDefaultRowHeight() const
{
    if (m_fonts.empty())
        return kFallbackFontHeight;
    int height = 0;
    for (const CSFont& f : m_fonts)
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
        const QRect box = header.boundingRect(QRect(0, 0, kHeaderMeasureWidth, m_defaultRowHeight),
                                              platform::Painter::qtTextFlags(TCellColumn::kDefaultFormat),
                                              platform::displayText(column.headerText));
        width = std::max(width, box.width() + kHeaderTextPadding);
    }
    return width;
}

void TCell::updateFrame()
{
    CellFrame& frame = m_geometry.frame;
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
    m_geometry.rebuildEdges();
    updateFrame();
    m_geometry.settle(m_position);
    updateScrollBars();
}

void TCell::relayoutAndNotify()
{
    const TCellPosition before = m_position;
    relayout();
    if (!(m_position == before))
        notifyPositionChanged(0);
}

void TCell::updateScrollBars()
{
    if (!m_vScrollBar || !m_hScrollBar)
        return;
    const DataArea area = m_geometry.dataArea();
    const int b = border();
    const int extent = m_geometry.frame.vScrollWidth;
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
    place(m_vScrollBar, area.vScroll && m_geometry.rows.total() > area.height, m_geometry.rows.total(), area.height,
          m_position.originY,
          QRect(width() - b - extent, b, extent, height() - 2 * b - (area.hScroll ? extent : 0)));
    place(m_hScrollBar, area.hScroll && m_geometry.columns.total() > area.width, m_geometry.columns.total(),
          area.width, m_position.originX,
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
    if (m_vControl)
        feed(m_vControl, m_geometry.rows.total(), area.height, m_position.originY);
    if (m_hControl)
        feed(m_hControl, m_geometry.columns.total(), area.width, m_position.originX);
}

void TCell::handleScrollBar(bool vertical, int code, int thumb)
{
    if (notify(vertical ? TCN_VSCROLL : TCN_HSCROLL, code, thumb) != kVeto)
        send(vertical ? TCM_VSCROLL : TCM_HSCROLL, static_cast<WParam>(code), thumb);
    updateScrollBars();
}

void TCell::onSize(int width, int height)
{
    const TCellPosition before = m_position;
    m_geometry.rebuildEdges();
    updateFrame();
    TCellPosition resized = m_position;
    m_geometry.settle(resized);
    applyPosition(resized);
    if (!(m_position == before))
        notify(TCN_SIZE, width, height);
}

void TCell::applyPosition(const TCellPosition& position)
{
    const TCellPosition previous = m_position;
    m_position = position;
    if (!isCreated())
        return;
    onPositionApplied(previous);
    scrollPixels(previous.originX - m_position.originX, previous.originY - m_position.originY);
    const bool cellChanged = previous.row != m_position.row || previous.column != m_position.column ||
                             previous.active != m_position.active;
    if (cellChanged) {
        invalidateCurrentRow(previous);
        invalidateCurrentRow(m_position);
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
    if (m_geometry.rows.contains(position.row))
        invalidateRowAll(position.row);
}

void TCell::invalidateFromColumn(int column)
{
    const int x = clientArea().left() + m_geometry.columns.start(column) - m_position.originX;
    invalidateRegion(QRegion(QRect(x, 0, width() - x, height())));
}

void TCell::invalidateFromRow(int row)
{
    const int y = clientArea().top() + m_geometry.rows.start(row) - m_position.originY;
    invalidateRegion(QRegion(QRect(0, y, width(), height() - y)));
}

void TCell::notifyPositionChanged(framework::MessageId cause)
{
    TCellPosition current = m_position;
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
    record.position = m_position;
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
    if (m_services)
        return *m_services;
    if (!m_ownServices)
        m_ownServices = std::make_unique<platform::QtServices>();
    return *m_ownServices;
}

} // namespace grid
