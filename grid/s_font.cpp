#include "grid/s_font.h"

#include <QFontMetrics>

#include "platform/font_conversion.h"

namespace grid {

CSFont::CSFont(const framework::LogFont& logFont) : logFont_(logFont), font_(platform::toQFont(logFont))
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
    const QFontMetrics metrics(font_);
    metrics_.height = metrics.height();
    metrics_.ascent = metrics.ascent();
    metrics_.descent = metrics.descent();
    const int emHeight = font_.pixelSize() > 0 ? font_.pixelSize() : metrics_.height;
    metrics_.internalLeading = std::max(0, metrics_.height - emHeight);
    metrics_.externalLeading = metrics.leading();
    metrics_.averageCharWidth = metrics.averageCharWidth();
    metrics_.maxCharWidth = metrics.maxWidth();
    for (int byte = 0; byte < 256; ++byte)
        widths_[static_cast<std::size_t>(byte)] = metrics.horizontalAdvance(QChar(byte));
}

} // namespace grid
