#include "settings/color_contrast.h"

#include <algorithm>
#include <cmath>

namespace settings {

namespace {

constexpr framework::ColorRef kBlack = 0x000000;
constexpr framework::ColorRef kWhite = 0xFFFFFF;

double linearChannel(framework::ColorRef color, int shift)
{
    const double value = double((color >> shift) & 0xFFu) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(framework::ColorRef color)
{
    return 0.2126 * linearChannel(color, 0) + 0.7152 * linearChannel(color, 8) + 0.0722 * linearChannel(color, 16);
}

double contrastRatio(framework::ColorRef first, framework::ColorRef second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

framework::ColorRef readableText(framework::ColorRef background, framework::ColorRef preferred)
{
    if (contrastRatio(background, preferred) >= kReadableContrast)
        return preferred;
    return contrastRatio(background, kBlack) >= contrastRatio(background, kWhite) ? kBlack : kWhite;
}

} // namespace settings
