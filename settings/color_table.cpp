#include "settings/color_table.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "settings/color_contrast.h"

namespace settings {

namespace {

using ColorRef = framework::ColorRef;

// Text colours are stored under the state number plus this offset.
constexpr int kTextKeyOffset = 100;

} // namespace

CColorTable::CColorTable() : ProfileSection("AppColors")
{
    reset();
}

void CColorTable::reset()
{
    const ColorScheme& scheme = defaultScheme(m_theme);
    std::ranges::copy(scheme.background, background);
    std::ranges::copy(scheme.text, text);
}

void CColorTable::setTheme(ColorTheme theme)
{
    m_theme = theme;
    if (!holdsUserColors())
        reset();
}

bool CColorTable::holdsUserColors() const
{
    std::array<ColorRef, kStates> backgrounds;
    std::array<ColorRef, kStates> texts;
    for (int state = 0; state < kStates; ++state) {
        backgrounds[std::size_t(state)] = background[2 * state];
        texts[std::size_t(state)] = text[2 * state];
    }
    return !isDefaultChoice(backgrounds, texts);
}

ColorRef CColorTable::bookmarkBackground() const
{
    constexpr ColorRef kBlack = 0x000000;
    constexpr ColorRef kWhite = 0xFFFFFF;
    const bool light = contrastRatio(background[kSameEntry], kBlack) >= contrastRatio(background[kSameEntry], kWhite);
    return defaultScheme(light ? ColorTheme::Light : ColorTheme::Dark).bookmark;
}

int CColorTable::index(int state, int variant)
{
    assert(state >= 0 && state < kStates);
    assert(variant == 0 || variant == 1);
    return 2 * state + variant;
}

void CColorTable::Exchange(bool save)
{
    // Defaults are not stored: they follow the theme. A table the user went back to the
    // defaults with overwrites the choice the file held.
    if (save && !holdsUserColors() && !m_fileHoldsChoice)
        return;
    for (int state = 0; state < kStates; ++state) {
        int backgroundValue = static_cast<int>(background[2 * state]);
        int textValue = static_cast<int>(text[2 * state]);
        ExchangeInt(save, std::to_string(state), backgroundValue);
        ExchangeInt(save, std::to_string(state + kTextKeyOffset), textValue);
        background[2 * state] = static_cast<ColorRef>(backgroundValue);
        text[2 * state] = static_cast<ColorRef>(textValue);
    }
    m_fileHoldsChoice = holdsUserColors();
    // Stored defaults of this or an earlier version are no choice: the theme's table.
    if (!save && !m_fileHoldsChoice)
        reset();
}

ColorRef strongerShade(ColorRef background, ColorRef text)
{
    // Each channel moves this many 256ths of the way away from the text's lightness, or
    // (no room there) the old ones of the way towards it.
    constexpr unsigned kAway = 154;
    constexpr unsigned kDarken = 72;
    constexpr unsigned kLighten = 96;
    // Below this contrast with the background a mark is hard to see.
    constexpr double kVisibleStep = 1.15;
    if (background == kNoColor)
        return background;
    const auto moved = [background](unsigned target, unsigned fraction) {
        ColorRef shade = 0;
        for (const int shift : {0, 8, 16}) {
            const int value = int((background >> shift) & 0xFFu);
            shade |= ColorRef(value + (int(target) - value) * int(fraction) / 256) << shift;
        }
        return shade;
    };
    const bool darkText = text != kNoColor && relativeLuminance(text) < relativeLuminance(background);
    const bool lightBackground = relativeLuminance(background) >= 0.5;
    const bool lighten = text != kNoColor ? darkText : !lightBackground;
    const ColorRef away = lighten ? moved(0xFF, kAway) : moved(0, kAway);
    if (contrastRatio(away, background) >= kVisibleStep)
        return away;
    return lighten ? moved(0, kDarken) : moved(0xFF, kLighten);
}

CColorTable& colorTable()
{
    static CColorTable table;
    return table;
}

} // namespace settings
