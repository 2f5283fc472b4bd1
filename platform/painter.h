#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <string_view>

#include "platform/color_ref.h"

namespace platform {

// Text format flags with their Windows values.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Drawing on a widget or image with COLORREF colours: fills, lines, text with DT_ formats,
// fonts and clipping.
class Painter {
public:
    explicit Painter(QPaintDevice* device);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    QPainter& qt() { return m_painter; }

    void save();
    void restore();
    // Shifts the coordinates of everything drawn after it by (dx, dy).
    void translate(int dx, int dy);
    void setClip(const QRect& rect);
    void setClip(const QRegion& region);
    void intersectClip(const QRect& rect);
    bool isVisible(const QRect& rect) const;

    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    void setTextColor(ColorRef color) { m_textColor = color; }

    void fillRect(const QRect& rect, ColorRef color);
    // A line from (x1, y1) up to but not including (x2, y2).
    void line(int x1, int y1, int x2, int y2, ColorRef color);
    // A one-pixel frame just inside the rectangle.
    void frameRect(const QRect& rect, ColorRef color);
    // Text in the text colour with a transparent background; returns the text height.
    int drawText(const QRect& rect, std::string_view bytes, unsigned format);
    int drawText(const QRect& rect, const QString& text, unsigned format);

    static int qtTextFlags(unsigned format);

private:
    QPainter m_painter;
    QFont m_font;
    ColorRef m_textColor = 0;
};

} // namespace platform
