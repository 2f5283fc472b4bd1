#include "panes/diff_preview.h"

#include <array>

#include <QMouseEvent>
#include <QPainter>

#include "framework/update_hints.h"
#include "panes/visible_rows.h"
#include "platform/color_ref.h"
#include "settings/color_table.h"

namespace panes {

CDiffPreview::CDiffPreview(core::CBivaloDoc& document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setFocusPolicy(Qt::ClickFocus);
    setMinimumWidth(10);
    m_document.addView(this);
}

CDiffPreview::~CDiffPreview()
{
    m_document.removeView(this);
}

void CDiffPreview::onUpdate(framework::View*, int hint, void* object)
{
    switch (hint) {
    case framework::kHintCompared:
        rebuild();
        update();
        break;
    case framework::kHintVisibleRows: {
        const auto* visible = static_cast<const VisibleRows*>(object);
        m_firstVisible = visible->first;
        m_lastVisible = visible->last;
        update(QRect(0, 0, kMarkerRight + 1, height()));
        break;
    }
    case framework::kHintOptionsChanged:
        update();
        break;
    default:
        break;
    }
}

void CDiffPreview::rebuild()
{
    m_map.build(m_document.source, m_document.sourceRows, m_document.destinationRows, m_document.rowCount);
    m_map.rescale(height());
}

void CDiffPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_map.rescale(height());
}

void CDiffPreview::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (m_map.rowCount() < 1 || event->rect().isEmpty())
        return;
    const QRect bar(QPoint(kBarLeft, DiffBlockMap::kMargin),
                    QPoint(width() - kBarRightMargin, height() - DiffBlockMap::kMargin));
    if (event->rect().intersects(bar))
        drawBar(painter);
    if (event->rect().intersects(QRect(QPoint(1, 1), QPoint(kMarkerRight, std::max(m_barEnd, 1)))))
        drawMarker(painter);
}

void CDiffPreview::drawBar(QPainter& painter)
{
    const settings::CColorTable& colors = settings::colorTable();
    const std::array<QColor, 4> pens = {
        platform::toQColor(colors.backgroundFor(int(core::LineState::Same), 0)),
        platform::toQColor(colors.textFor(int(core::LineState::SourceOnly), 0)),
        platform::toQColor(colors.textFor(int(core::LineState::TargetOnly), 0)),
        platform::toQColor(colors.textFor(int(core::LineState::Changed), 0)),
    };
    const int right = width() - kBarRightMargin;
    const int bottom = height() - DiffBlockMap::kMargin;
    const int scale = std::max(m_map.scale(), 1);
    int y = DiffBlockMap::kMargin;
    if (m_map.pixelsPerRow()) {
        for (std::int32_t row = 0; row < m_map.rowCount(); ++row) {
            painter.setPen(pens[m_map.valueAt(row)]);
            for (int line = 0; line < scale; ++line, ++y)
                painter.drawLine(kBarLeft, y, right, y);
        }
    } else {
        for (std::int32_t row = 0; row < m_map.rowCount() && y < bottom; row += scale, ++y) {
            painter.setPen(pens[m_map.strongestValue(row, scale)]);
            painter.drawLine(kBarLeft, y, right, y);
        }
    }
    m_barEnd = y;
    painter.setPen(Qt::black);
    painter.drawLine(kBarLeft, DiffBlockMap::kMargin, right, DiffBlockMap::kMargin);
    painter.drawLine(right, DiffBlockMap::kMargin, right, y);
    painter.drawLine(right, y, kBarLeft, y);
    painter.drawLine(kBarLeft, y, kBarLeft, DiffBlockMap::kMargin);
}

void CDiffPreview::drawMarker(QPainter& painter)
{
    painter.setPen(Qt::black);
    const int from = m_map.rowToY(m_firstVisible);
    const int to = m_map.rowToY(m_lastVisible);
    for (int y = from; y <= to; ++y)
        painter.drawLine(kMarkerLeft, y, kMarkerRight, y);
}

void CDiffPreview::goToRow(int row)
{
    m_document.updateAllViews(this, framework::kHintGoToRow, &row);
}

void CDiffPreview::mousePressEvent(QMouseEvent* event)
{
    const std::int32_t row = m_map.yToRow(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton) {
        goToRow(row);
    } else if (event->button() == Qt::RightButton) {
        if (const std::optional<std::int32_t> nearest = m_map.nearestDifference(row))
            goToRow(*nearest);
    }
    // The strip never keeps the focus: the source pane takes it.
    m_document.updateAllViews(this, framework::kHintActivateSource);
}

void CDiffPreview::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_document.updateAllViews(this, framework::kHintActivateSource);
}

} // namespace panes
