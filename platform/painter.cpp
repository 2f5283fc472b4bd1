#include "platform/painter.h"

#include <QFontMetrics>

#include "platform/display_text.h"

namespace platform {


Painter::Painter(QPaintDevice* device) : m_painter(device)
{
    m_font = m_painter.font();
}

Painter::~Painter() = default;

void Painter::save()
{
    m_painter.save();
}

void Painter::restore()
{
    m_painter.restore();
    m_font = m_painter.font();
}

void Painter::translate(int dx, int dy)
{
    m_painter.translate(dx, dy);
}

void Painter::setClip(const QRect& rect)
{
    m_painter.setClipRect(rect);
}

void Painter::setClip(const QRegion& region)
{
    m_painter.setClipRegion(region);
}

void Painter::intersectClip(const QRect& rect)
{
    m_painter.setClipRect(rect, Qt::IntersectClip);
}

bool Painter::isVisible(const QRect& rect) const
{
    if (rect.isEmpty())
        return false;
    if (!m_painter.hasClipping())
        return true;
    return m_painter.clipBoundingRect().intersects(QRectF(rect));
}

void Painter::setFont(const QFont& font)
{
    if (m_font == font)
        return;
    m_font = font;
    m_painter.setFont(font);
}

void Painter::fillRect(const QRect& rect, ColorRef color)
{
    if (rect.isEmpty())
        return;
    m_painter.fillRect(rect, toQColor(color));
}

void Painter::line(int x1, int y1, int x2, int y2, ColorRef color)
{
    // Horizontal and vertical lines as one-pixel fills: exact pixels, no antialiasing.
    if (y1 == y2 && x1 != x2) {
        const int from = x1 < x2 ? x1 : x2 + 1;
        const int to = x1 < x2 ? x2 - 1 : x1;
        fillRect(QRect(QPoint(from, y1), QPoint(to, y1)), color);
    } else if (x1 == x2 && y1 != y2) {
        const int from = y1 < y2 ? y1 : y2 + 1;
        const int to = y1 < y2 ? y2 - 1 : y1;
        fillRect(QRect(QPoint(x1, from), QPoint(x1, to)), color);
    } else if (x1 != x2 || y1 != y2) {
        m_painter.setPen(toQColor(color));
        m_painter.drawLine(x1, y1, x2, y2);
    }
}

void Painter::frameRect(const QRect& rect, ColorRef color)
{
    if (rect.isEmpty())
        return;
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    line(rect.left(), rect.top(), right, rect.top(), color);
    line(rect.left(), bottom - 1, right, bottom - 1, color);
    line(rect.left(), rect.top(), rect.left(), bottom, color);
    line(right - 1, rect.top(), right - 1, bottom, color);
}

int Painter::qtTextFlags(unsigned format)
{
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    return flags;
}

int Painter::drawText(const QRect& rect, std::string_view bytes, unsigned format)
{
    return drawText(rect, visibleText(bytes), format);
}

int Painter::drawText(const QRect& rect, const QString& text, unsigned format)
{
    if (text.isEmpty())
        return 0;
    QString shown = text;
    if (format & DT_END_ELLIPSIS)
        shown = QFontMetrics(m_font).elidedText(text, Qt::ElideRight, rect.width());
    m_painter.setPen(toQColor(m_textColor));
    QRect bounds;
    m_painter.drawText(rect, qtTextFlags(format), shown, &bounds);
    return bounds.height();
}

} // namespace platform
