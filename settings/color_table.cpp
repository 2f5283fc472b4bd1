#include "settings/color_table.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace settings {

namespace {

using ColorRef = framework::ColorRef;

constexpr ColorRef kDefaultBackground[CColorTable::kEntries] = {
    0xFFFFFF, 0x808080, // same
    0xC8C8C8, 0x808080, // source only
    0xC8C8C8, 0x808080, // target only
    0xC8C8C8, 0x808080, // changed
    0xC8C8C8, 0x808080, // edited
};

constexpr ColorRef kDefaultText[CColorTable::kEntries] = {
    0x000000, 0xFFFFFF, // same
    0x008000, 0x00FF00, // source only
    0x0000C8, 0x0000C8, // target only
    0xFF0000, 0xFFFF00, // changed
    0x00FFFF, 0x00FFFF, // edited
};

// Text colours are stored under the state number plus this offset.
constexpr int kTextKeyOffset = 100;

} // namespace

CColorTable::CColorTable() : ProfileSection("AppColors")
{
    reset();
}

void CColorTable::reset()
{
    std::ranges::copy(kDefaultBackground, background);
    std::ranges::copy(kDefaultText, text);
}

int CColorTable::index(int state, int variant)
{
    assert(state >= 0 && state < kStates);
    assert(variant == 0 || variant == 1);
    return 2 * state + variant;
}

void CColorTable::Exchange(bool save)
{
    for (int state = 0; state < kStates; ++state) {
        int backgroundValue = static_cast<int>(background[2 * state]);
        int textValue = static_cast<int>(text[2 * state]);
        ExchangeInt(save, std::to_string(state), backgroundValue);
        ExchangeInt(save, std::to_string(state + kTextKeyOffset), textValue);
        background[2 * state] = static_cast<ColorRef>(backgroundValue);
        text[2 * state] = static_cast<ColorRef>(textValue);
    }
}

ColorRef strongerShade(ColorRef background)
{
    // Each channel moves this many 256ths of the way to black (or to white on a dark one).
    constexpr unsigned kDarken = 72;
    constexpr unsigned kLighten = 96;
    constexpr unsigned kLightLuma = 128;
    if (background == kNoColor)
        return background;
    const auto channel = [background](int shift) { return (background >> shift) & 0xFFu; };
    const unsigned luma = (channel(0) * 299 + channel(8) * 587 + channel(16) * 114) / 1000;
    ColorRef shade = 0;
    for (const int shift : {0, 8, 16}) {
        const unsigned value = channel(shift);
        const unsigned moved = luma >= kLightLuma ? value - value * kDarken / 256
                                                  : value + (255 - value) * kLighten / 256;
        shade |= moved << shift;
    }
    return shade;
}

CColorTable& colorTable()
{
    static CColorTable table;
    return table;
}

} // namespace settings
