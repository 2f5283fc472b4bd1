#include "platform/font_conversion.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace platform {

namespace {

constexpr std::uint8_t kFixedPitch = 0x01;
constexpr std::uint8_t kFamilyModern = 0x30;

QString installedFamily(const framework::LogFont& logFont)
{
    const QString face = QString::fromStdString(logFont.FaceName);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        return face;
    const bool fixed = (logFont.PitchAndFamily & 0x03) == kFixedPitch ||
                       (logFont.PitchAndFamily & 0xF0) == kFamilyModern;
    return QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont).family();
}

// Weights 100..900 onto Qt's scale.
QFont::Weight qtWeight(int weight)
{
    if (weight <= 0)
        return QFont::Normal;
    return static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}

} // namespace

QFont toQFont(const framework::LogFont& logFont)
{
    QFont font(installedFamily(logFont));
    if (logFont.Height < 0) {
        font.setPixelSize(-logFont.Height);
    } else if (logFont.Height > 0) {
        // A cell height: take away the internal leading the face adds at that size.
        font.setPixelSize(logFont.Height);
        const int extra = QFontMetrics(font).height() - logFont.Height;
        font.setPixelSize(std::max(1, logFont.Height - std::max(0, extra)));
    }
    font.setWeight(qtWeight(logFont.Weight));
    font.setItalic(logFont.Italic != 0);
    font.setUnderline(logFont.Underline != 0);
    font.setStrikeOut(logFont.StrikeOut != 0);
    return font;
}

framework::LogFont toLogFont(const QFont& font)
{
    framework::LogFont logFont;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    logFont.Height = -pixels;
    logFont.Weight = static_cast<int>(font.weight());
    logFont.Italic = font.italic() ? 1 : 0;
    logFont.Underline = font.underline() ? 1 : 0;
    logFont.StrikeOut = font.strikeOut() ? 1 : 0;
    logFont.OutPrecision = 1;
    logFont.ClipPrecision = 2;
    logFont.Quality = 1;
    logFont.PitchAndFamily = font.fixedPitch() ? 0x31 : 0x22;
    logFont.FaceName = font.family().left(static_cast<qsizetype>(framework::LogFont::kMaxFaceName)).toStdString();
    return logFont;
}

framework::LogFont desktopFixedFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The desktop may name an alias such as "monospace", which is no installed family:
    // keep the face it stands for.
    font.setFamily(QFontInfo(font).family());
    font.setFixedPitch(true);
    return toLogFont(font);
}

} // namespace platform
