#include "shell/flat_tool_bar.h"

#include <QActionEvent>
#include <QLayout>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolButton>

namespace {

constexpr int kGripperBar = 3;     // each of the two etched bars of the gripper
constexpr int kGripperWidth = 10;  // room the gripper takes beside the buttons

// Draws the flat look's etched gripper and separators; everything else is the desktop style's.
class FlatBarStyle : public QProxyStyle {
public:
    explicit FlatBarStyle(const bool& flat) : m_flat(flat) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (m_flat && element == PE_IndicatorToolBarHandle) {
            drawGripper(*option, *painter);
            return;
        }
        if (m_flat && element == PE_IndicatorToolBarSeparator) {
            drawSeparator(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (m_flat && metric == PM_ToolBarHandleExtent)
            return kGripperWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    static void etchedLine(QPainter& painter, const QPalette& palette, QPoint from, QPoint to, bool horizontal)
    {
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(from, to);
        painter.setPen(palette.color(QPalette::Light));
        const QPoint step = horizontal ? QPoint(0, 1) : QPoint(1, 0);
        painter.drawLine(from + step, to + step);
    }

    static void etchedBar(QPainter& painter, const QPalette& palette, const QRect& bar)
    {
        painter.setPen(palette.color(QPalette::Light));
        painter.drawLine(bar.topLeft(), bar.topRight());
        painter.drawLine(bar.topLeft(), bar.bottomLeft());
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(bar.bottomLeft(), bar.bottomRight());
        painter.drawLine(bar.topRight(), bar.bottomRight());
    }

    static void drawGripper(const QStyleOption& option, QPainter& painter)
    {
        const QRect area = option.rect.adjusted(1, 2, -1, -2);
        const bool horizontalBar = option.state & State_Horizontal;
        for (int i = 0; i < 2; ++i) {
            const QRect bar = horizontalBar
                ? QRect(area.left() + 1 + i * kGripperBar, area.top(), kGripperBar, area.height())
                : QRect(area.left(), area.top() + 1 + i * kGripperBar, area.width(), kGripperBar);
            etchedBar(painter, option.palette, bar);
        }
    }

    static void drawSeparator(const QStyleOption& option, QPainter& painter)
    {
        const QRect area = option.rect;
        if (option.state & State_Horizontal) {
            const int x = area.center().x();
            etchedLine(painter, option.palette, QPoint(x, area.top() + 2), QPoint(x, area.bottom() - 2), false);
        } else {
            const int y = area.center().y();
            etchedLine(painter, option.palette, QPoint(area.left() + 2, y), QPoint(area.right() - 2, y), true);
        }
    }

    const bool& m_flat;
};

} // namespace

CFlatToolBar::CFlatToolBar(QWidget* parent) : QToolBar(parent)
{
    m_style = new FlatBarStyle(m_flat);
    m_style->setParent(this);
    setStyle(m_style);
    applyLook();
}

CFlatToolBar::~CFlatToolBar() = default;

void CFlatToolBar::setFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    applyLook();
}

void CFlatToolBar::actionEvent(QActionEvent* event)
{
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        applyLook();
}

void CFlatToolBar::applyLook()
{
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setAutoRaise(m_flat);
    updateGeometry();
    if (layout() != nullptr)
        layout()->invalidate();
    update();
}
