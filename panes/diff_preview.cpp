#include "panes/diff_preview.h"

#include <array>

#include <QMouseEvent>
#include <QTimer>

#include "framework/update_hints.h"
#include "panes/visible_rows.h"
#include "platform/color_ref.h"
#include "settings/color_table.h"

namespace panes {

CDiffPreview::CDiffPreview(core::CBivaloDoc& document, QWidget* parent)
    : CDiffPreview(
          document,
          [&document](DiffBlockMap& map, bool start) {
              if (start)
                  map.startBuild(document.rowCount());
              return map.buildSome(document.source(), document.sourceRows(), document.destinationRows(), kRowsPerStep);
          },
          parent)
{
}

CDiffPreview::CDiffPreview(framework::Document& document, MapBuilder build, QWidget* parent)
    : QWidget(parent), m_document(document), m_build(std::move(build))
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
    const bool complete = m_build(m_map, true);
    m_map.rescale(height());
    ++m_buildRound;
    if (!complete)
        QTimer::singleShot(0, this, [this, round = m_buildRound] { continueBuild(round); });
}

void CDiffPreview::continueBuild(int round)
{
    if (round != m_buildRound)
        return;
    if (!m_build(m_map, false))
        QTimer::singleShot(0, this, [this, round] { continueBuild(round); });
    update();
}

void CDiffPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_map.rescale(height());
}

void CDiffPreview::paintEvent(QPaintEvent* event)
{
    platform::Painter painter(this);
    painter.fillRect(event->rect(), platform::toColorRef(palette().color(QPalette::Window)));
    if (m_map.rowCount() < 1 || event->rect().isEmpty())
        return;
    const QRect bar(QPoint(kBarLeft, DiffBlockMap::kMargin),
                    QPoint(width() - kBarRightMargin, height() - DiffBlockMap::kMargin));
    if (event->rect().intersects(bar))
        drawBar(painter);
    if (event->rect().intersects(QRect(QPoint(1, 1), QPoint(kMarkerRight, std::max(m_barEnd, 1)))))
        drawMarker(painter);
}

void CDiffPreview::drawBar(platform::Painter& painter)
{
    const settings::CColorTable& colors = settings::colorTable();
    const std::array<framework::ColorRef, 4> colours = {
        colors.backgroundFor(int(core::LineState::Same), 0),
        colors.textFor(int(core::LineState::SourceOnly), 0),
        colors.textFor(int(core::LineState::TargetOnly), 0),
        colors.textFor(int(core::LineState::Changed), 0),
    };
    const int right = width() - kBarRightMargin;
    const int bottom = height() - DiffBlockMap::kMargin;
    const int barWidth = right - kBarLeft + 1;
    const int scale = std::max(m_map.scale(), 1);
    int y = DiffBlockMap::kMargin;
    if (m_map.pixelsPerRow()) {
        for (std::int32_t row = 0; row < m_map.rowCount(); ++row, y += scale)
            painter.fillRect(QRect(kBarLeft, y, barWidth, scale), colours[m_map.valueAt(row)]);
    } else {
        for (std::int32_t row = 0; row < m_map.rowCount() && y < bottom; row += scale, ++y)
            painter.fillRect(QRect(kBarLeft, y, barWidth, 1), colours[m_map.strongestValue(row, scale)]);
    }
    m_barEnd = y;
    painter.frameRect(QRect(QPoint(kBarLeft, DiffBlockMap::kMargin), QPoint(right, y)), inkColor());
}

void CDiffPreview::drawMarker(platform::Painter& painter)
{
    const int from = m_map.rowToY(m_firstVisible);
    const int to = m_map.rowToY(m_lastVisible);
    if (to >= from)
        painter.fillRect(QRect(QPoint(kMarkerLeft, from), QPoint(kMarkerRight, to)), inkColor());
}

framework::ColorRef CDiffPreview::inkColor() const
{
    return platform::toColorRef(palette().color(QPalette::WindowText));
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
