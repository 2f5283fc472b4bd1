#include "settings/color_scheme.h"

#include <algorithm>

namespace settings {

namespace {

using framework::ColorRef;

// Values are 0x00BBGGRR. The light table keeps the hues of the first one; its text colours
// are darker where they fell short of 4.5:1 on the grey rows, source and target only also
// far enough apart in lightness for red-green blind eyes, and the current row while EasyJoin
// runs is a dark grey under light text.
constexpr ColorScheme kLight = {
    {0xFFFFFF, 0x404040,     // same
     0xC8C8C8, 0x404040,     // source only
     0xC8C8C8, 0x404040,     // target only
     0xC8C8C8, 0x404040,     // changed
     0xC8C8C8, 0x404040},    // edited
    {0x000000, 0xFFFFFF,     // same
     0x106000, 0x00FF00,     // source only: dark green
     0x0000A8, 0x8C8CFF,     // target only: dark red; light red on the dark current row
     0xFF0000, 0xFFFF00,     // changed
     0x005454, 0x00FFFF},    // edited: dark yellow
    0xFFFF00,                // bookmark: cyan
};

// The light table turned round: light text on dark grey, lighter grey rows for
// differences, a dark blue current row, a dark teal bookmark.
constexpr ColorScheme kDark = {
    {0x1E1E1E, 0x5A3214,
     0x444444, 0x5A3214,
     0x444444, 0x5A3214,
     0x444444, 0x5A3214,
     0x444444, 0x5A3214},
    {0xD4D4D4, 0xD4D4D4,
     0x78DC78, 0x78DC78,     // green
     0xB4A0FF, 0xB4A0FF,     // pink
     0xFFBE96, 0xFFBE96,     // blue
     0x64DCF0, 0x64DCF0},    // yellow
    0x5A5000,
};

// The stored half of the table that earlier versions had as their only defaults.
constexpr std::array<ColorRef, 5> kEarlierBackgrounds = {0xFFFFFF, 0xC8C8C8, 0xC8C8C8, 0xC8C8C8, 0xC8C8C8};
constexpr std::array<ColorRef, 5> kEarlierTexts = {0x000000, 0x008000, 0x0000C8, 0xFF0000, 0x00FFFF};

template <std::size_t N>
bool storedHalfEquals(std::span<const ColorRef> values, const std::array<ColorRef, N>& table, std::size_t step)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (i * step >= N || values[i] != table[i * step])
            return false;
    return true;
}

} // namespace

const ColorScheme& defaultScheme(ColorTheme theme)
{
    return theme == ColorTheme::Dark ? kDark : kLight;
}

bool isDefaultChoice(std::span<const ColorRef> backgrounds, std::span<const ColorRef> texts)
{
    if (storedHalfEquals(backgrounds, kEarlierBackgrounds, 1) && storedHalfEquals(texts, kEarlierTexts, 1))
        return true;
    return std::ranges::any_of(std::array{&kLight, &kDark}, [&](const ColorScheme* scheme) {
        return storedHalfEquals(backgrounds, scheme->background, 2) && storedHalfEquals(texts, scheme->text, 2);
    });
}

} // namespace settings
