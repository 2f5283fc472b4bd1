#pragma once

#include <array>
#include <span>

#include "framework/services.h"

namespace settings {

// Which of the default colour tables fits the desktop: the shell decides it from the
// desktop's palette.
enum class ColorTheme { Light, Dark };

// The entries of a colour table's arrays: 2 * line state + variant, variant 1 being the
// current row while EasyJoin runs.
enum ColorEntry : int {
    kSameEntry,
    kSameCurrentEntry,
    kSourceOnlyEntry,
    kSourceOnlyCurrentEntry,
    kTargetOnlyEntry,
    kTargetOnlyCurrentEntry,
    kChangedEntry,
    kChangedCurrentEntry,
    kEditedEntry,
    kEditedCurrentEntry,
};

// One default colour table: backgrounds and text colours of the five line states, indexed
// by 2 * state + variant as in CColorTable, and the background of a bookmarked row.
struct ColorScheme {
    std::array<framework::ColorRef, 10> background;
    std::array<framework::ColorRef, 10> text;
    framework::ColorRef bookmark;
};

const ColorScheme& defaultScheme(ColorTheme theme);

// Whether the stored half of a table (variant 0 of both arrays, five values each) is one
// of the default tables, of this version or of an earlier one: every exit used to store
// the whole table, so such colours say nothing of the user's choice.
bool isDefaultChoice(std::span<const framework::ColorRef> backgrounds, std::span<const framework::ColorRef> texts);

} // namespace settings
