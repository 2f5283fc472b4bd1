#pragma once

#include <QFont>
#include <array>

#include "framework/log_font.h"

namespace grid {

// The text metrics of a font in the fields the grid uses, in pixels.
struct TextMetrics {
    int height = 0;             // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

// One font of a grid: its description, its metrics and the widths of the 256 byte values,
// all measured once when it is made, so that text can be measured without a device.
class CSFont {
public:
    explicit CSFont(const framework::LogFont& logFont);

    const framework::LogFont& logFont() const { return m_logFont; }
    const QFont& font() const { return m_font; }
    const TextMetrics& metrics() const { return m_metrics; }
    int charWidth(unsigned char byte) const { return m_widths[byte]; }
    const std::array<int, 256>& widths() const { return m_widths; }

    // The grid's first font: "MS Sans Serif" -13, normal weight (the desktop's sans-serif
    // font stands in when that face is missing).
    static framework::LogFont defaultLogFont();

private:
    void measure();

    framework::LogFont m_logFont;
    QFont m_font;
    TextMetrics m_metrics;
    std::array<int, 256> m_widths{};
};

} // namespace grid
