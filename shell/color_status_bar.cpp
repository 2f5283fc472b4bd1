#include "shell/color_status_bar.h"

#include <algorithm>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimerEvent>
#include <QToolTip>

#include "platform/color_ref.h"
#include "platform/to_qstring.h"
#include "shell/string_table.h"

using platform::toQString;

namespace {

constexpr int kPaneGap = 2;           // between two panes
constexpr int kBorder = 2;            // around all panes
constexpr int kTextMargin = 2;        // owner-drawn text keeps this from the pane's sides
constexpr int kPlainTextMargin = 4;   // a plain pane's text keeps this from its frame
constexpr framework::ColorRef kLightGray = 0xC0C0C0;

} // namespace

CColorStatusBar::CColorStatusBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CColorStatusBar::setIndicators(std::span<const framework::CommandId> ids)
{
    stopTimerOf(-1);
    m_panes.clear();
    for (framework::CommandId id : ids) {
        Pane pane;
        pane.id = id;
        pane.stretch = id == 0;
        pane.text = id == 0 ? std::string() : std::string(shell::loadString(id));
        pane.width = textWidth(pane.text);
        m_panes.push_back(std::move(pane));
    }
    update();
}

int CColorStatusBar::paneOfCommand(framework::CommandId id) const
{
    const auto found = std::find_if(m_panes.begin(), m_panes.end(), [id](const Pane& pane) { return pane.id == id; });
    return found == m_panes.end() ? -1 : int(found - m_panes.begin());
}

QRect CColorStatusBar::paneRect(int pane) const
{
    const int height = this->height() - 2 * kBorder;
    int right = width() - kBorder;
    for (int i = paneCount() - 1; i > pane; --i)
        right -= m_panes[std::size_t(i)].stretch ? 0 : m_panes[std::size_t(i)].width + 2 * kPlainTextMargin + kPaneGap;
    const Pane& target = m_panes.at(std::size_t(pane));
    if (!target.stretch)
        return QRect(right - target.width - 2 * kPlainTextMargin, kBorder, target.width + 2 * kPlainTextMargin, height);
    int left = kBorder;
    for (int i = 0; i < pane; ++i)
        left += m_panes[std::size_t(i)].width + 2 * kPlainTextMargin + kPaneGap;
    return QRect(left, kBorder, std::max(0, right - left), height);
}

void CColorStatusBar::setPaneText(int pane, const std::string& text)
{
    Pane& target = m_panes.at(std::size_t(pane));
    if (target.text == text)
        return;
    target.text = text;
    update(paneRect(pane));
}

void CColorStatusBar::setPaneEnabled(int pane, bool enabled)
{
    Pane& target = m_panes.at(std::size_t(pane));
    if (target.enabled == enabled)
        return;
    target.enabled = enabled;
    update(paneRect(pane));
}

void CColorStatusBar::setPaneColor(int pane, ColorRef textColor, bool fit)
{
    Pane& target = m_panes.at(std::size_t(pane));
    target.ownerDrawn = true;
    target.textColor = textColor;
    if (fit)
        target.width = textWidth(target.text);
    update();
}

void CColorStatusBar::setPaneBackground(int pane, ColorRef background)
{
    Pane& target = m_panes.at(std::size_t(pane));
    target.background = background;
    target.flags |= HasBackground;
    update();
}

void CColorStatusBar::setOwnerDrawnDefault(int pane)
{
    setPaneColor(pane, kDefaultColor, false);
}

void CColorStatusBar::makeCheckBox(int pane)
{
    Pane& target = m_panes.at(std::size_t(pane));
    target.ownerDrawn = true;
    target.width = std::max(style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                            style()->pixelMetric(QStyle::PM_IndicatorWidth));
    target.flags = CheckBox | SingleClick;
    update();
}

void CColorStatusBar::setClick(int pane, bool onlyWhenEnabled, bool doubleClick)
{
    Pane& target = m_panes.at(std::size_t(pane));
    target.flags |= doubleClick ? DoubleClick : SingleClick;
    if (!onlyWhenEnabled)
        target.flags |= ClickWhenDisabled;
}

void CColorStatusBar::setTip(int pane, const std::string& tip)
{
    m_panes.at(std::size_t(pane)).tip = tip.substr(0, kMaxTipLength);
}

void CColorStatusBar::setCheck(framework::CommandId id, bool checked)
{
    const int pane = paneOfCommand(id);
    if (pane < 0)
        return;
    Pane& target = m_panes[std::size_t(pane)];
    const unsigned flags = checked ? target.flags | Checked : target.flags & ~unsigned(Checked);
    if (flags == target.flags)
        return;
    target.flags = flags;
    update(paneRect(pane));
}

void CColorStatusBar::showMessage(int pane, const std::string& text, ColorRef background, ColorRef textColor)
{
    Pane& target = m_panes.at(std::size_t(pane));
    target.textColor = textColor;
    target.flags |= ShowsMessage;
    if (background != kDefaultColor) {
        target.background = background;
        target.flags |= HasBackground;
    }
    target.message = text;
    target.ownerDrawn = true;
    target.text = text;
    update(paneRect(pane));
}

void CColorStatusBar::clearMessage(int pane, int delayTenths)
{
    stopTimerOf(pane);
    if (delayTenths == 0) {
        setPaneText(pane, std::string(shell::loadString(framework::AFX_IDS_IDLEMESSAGE)));
        return;
    }
    m_messageTimers[startTimer(delayTenths * 100)] = pane;
}

void CColorStatusBar::timerEvent(QTimerEvent* event)
{
    const auto found = m_messageTimers.find(event->timerId());
    if (found == m_messageTimers.end()) {
        QWidget::timerEvent(event);
        return;
    }
    const int pane = found->second;
    killTimer(found->first);
    m_messageTimers.erase(found);
    setPaneText(pane, std::string(shell::loadString(framework::AFX_IDS_IDLEMESSAGE)));
}

void CColorStatusBar::stopTimerOf(int pane)
{
    for (auto it = m_messageTimers.begin(); it != m_messageTimers.end();) {
        if (pane < 0 || it->second == pane) {
            killTimer(it->first);
            it = m_messageTimers.erase(it);
        } else {
            ++it;
        }
    }
}

int CColorStatusBar::textWidth(const std::string& text) const
{
    return fontMetrics().horizontalAdvance(toQString(text));
}

QSize CColorStatusBar::sizeHint() const
{
    int width = 2 * kBorder;
    for (const Pane& pane : m_panes)
        width += pane.width + 2 * kPlainTextMargin + kPaneGap;
    return QSize(width, fontMetrics().height() + 2 * kBorder + 6);
}

void CColorStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int pane = 0; pane < paneCount(); ++pane)
        drawPane(painter, pane);
}

void CColorStatusBar::drawPane(QPainter& painter, int pane)
{
    const QRect frame = paneRect(pane);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    const QRect inside = frame.adjusted(1, 1, -1, -1);
    Pane& target = m_panes[std::size_t(pane)];
    if (target.ownerDrawn && (target.flags & ShowsMessage) && !(target.flags & CheckBox) && target.text != target.message)
        target.ownerDrawn = false;    // someone else wrote to the pane: it is plain again
    if (target.ownerDrawn) {
        drawOwnerPane(painter, pane, inside);
        return;
    }
    if (!target.enabled)
        return;    // a disabled plain pane shows no text
    painter.setPen(palette().color(QPalette::WindowText));
    const int alignment = Qt::AlignVCenter | (target.stretch ? Qt::AlignLeft : Qt::AlignHCenter);
    painter.drawText(inside.adjusted(kPlainTextMargin - 1, 0, -(kPlainTextMargin - 1), 0), alignment,
                     toQString(target.text));
}

void CColorStatusBar::drawOwnerPane(QPainter& painter, int pane, const QRect& inside)
{
    const Pane& target = m_panes[std::size_t(pane)];
    if (target.flags & CheckBox) {
        drawCheckBox(painter, target, inside);
        return;
    }
    QColor color = platform::toQColor(target.textColor);
    if (target.textColor == kDefaultColor)
        color = palette().color(target.enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    if (target.flags & HasBackground)
        painter.fillRect(inside, platform::toQColor(target.background));
    painter.setPen(color);
    const int alignment = Qt::AlignVCenter | (target.stretch ? Qt::AlignLeft : Qt::AlignHCenter);
    painter.drawText(inside.adjusted(kTextMargin, 0, -kTextMargin, 0), alignment, toQString(target.text));
}

void CColorStatusBar::drawCheckBox(QPainter& painter, const Pane& pane, const QRect& inside)
{
    painter.fillRect(inside, platform::toQColor(kLightGray));
    QStyleOptionButton option;
    option.initFrom(this);
    const int side = std::min({inside.width(), inside.height(), style()->pixelMetric(QStyle::PM_IndicatorWidth)});
    option.rect = QRect(0, 0, side, side);
    option.rect.moveCenter(inside.center());
    option.state = QStyle::State_None;
    if (pane.enabled)
        option.state |= QStyle::State_Enabled;
    option.state |= (pane.flags & Checked) ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
}

int CColorStatusBar::paneAt(QPoint point) const
{
    for (int pane = 0; pane < paneCount(); ++pane)
        if (paneRect(pane).contains(point))
            return pane;
    return -1;
}

void CColorStatusBar::clickPane(QPoint point, unsigned clickFlag)
{
    const int pane = paneAt(point);
    if (pane < 0)
        return;
    const Pane& target = m_panes[std::size_t(pane)];
    if (!(target.flags & clickFlag))
        return;
    if (!target.enabled && !(target.flags & ClickWhenDisabled))
        return;
    if (m_commandSink)
        m_commandSink(target.id);
}

void CColorStatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        clickPane(event->position().toPoint(), SingleClick);
    QWidget::mouseReleaseEvent(event);
}

void CColorStatusBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        clickPane(event->position().toPoint(), DoubleClick);
    QWidget::mouseDoubleClickEvent(event);
}

bool CColorStatusBar::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int pane = paneAt(help->pos());
    if (pane < 0 || m_panes[std::size_t(pane)].tip.empty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), toQString(m_panes[std::size_t(pane)].tip), this,
                       paneRect(pane).adjusted(1, 1, -1, -1));
    return true;
}
