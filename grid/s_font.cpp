#include "grid/s_font.h"

#include <QFontMetrics>

#include "platform/font_conversion.h"

namespace grid {

CSFont::CSFont(const framework::LogFont& logFont) : m_logFont(logFont), m_font(platform::toQFont(logFont))
{
    measure();
}

framework::LogFont CSFont::defaultLogFont()
{
    framework::LogFont logFont;
    logFont.Height = -13;
    logFont.Weight = 400;
    logFont.OutPrecision = 1;
    logFont.ClipPrecision = 2;
    logFont.Quality = 1;
    logFont.PitchAndFamily = 0x22;
    logFont.FaceName = "MS Sans Serif";
    return logFont;
}

void CSFont::measure()
{
    const QFontMetrics metrics(m_font);
    m_metrics.height = metrics.height();
    m_metrics.ascent = metrics.ascent();
    m_metrics.descent = metrics.descent();
    const int emHeight = m_font.pixelSize() > 0 ? m_font.pixelSize() : m_metrics.height;
    m_metrics.internalLeading = std::max(0, m_metrics.height - emHeight);
    m_metrics.externalLeading = metrics.leading();
    m_metrics.averageCharWidth = metrics.averageCharWidth();
    m_metrics.maxCharWidth = metrics.maxWidth();
    for (int byte = 0; byte < 256; ++byte)
        m_widths[static_cast<std::size_t>(byte)] = metrics.horizontalAdvance(QChar(byte));
}

} // namespace grid
