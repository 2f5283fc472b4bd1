#pragma once

#include <array>

#include "framework/services.h"
#include "settings/color_scheme.h"
#include "settings/profile_section.h"

namespace settings {

// A colour the table leaves unset: whoever paints keeps its own colour there.
constexpr framework::ColorRef kNoColor = 0xFFFFFFFF;

// Background and text colours of the five line states, indexed by 2 * state + variant
// (variant 1: the current row while EasyJoin runs). Section "AppColors" keeps variant 0
// of both arrays; variant 1 always has its default. Until the user chooses colours of
// their own the table holds the defaults of the desktop's theme; chosen colours stay
// whatever the theme.
class CColorTable : public ProfileSection {
public:
    static constexpr int kStates = 5;
    static constexpr int kEntries = 2 * kStates;
    using ColorRef = framework::ColorRef;

    CColorTable();

    ColorRef background[kEntries];
    ColorRef text[kEntries];

    ColorRef backgroundFor(int state, int variant) const { return background[index(state, variant)]; }
    ColorRef textFor(int state, int variant) const { return text[index(state, variant)]; }

    // Copies every default colour of the current theme into both arrays.
    void reset();
    // Takes the theme's defaults unless the table holds colours the user chose.
    void setTheme(ColorTheme theme);
    ColorTheme theme() const { return m_theme; }
    // Whether the stored half of the table differs from every default table.
    bool holdsUserColors() const;
    // A bookmarked row's background: the light or the dark one, after the same rows.
    ColorRef bookmarkBackground() const;

    void Exchange(bool save) override;

private:
    static int index(int state, int variant);

    ColorTheme m_theme = ColorTheme::Light;
    // The settings file holds a choice of the user: saving must then write the table
    // even when it went back to the defaults.
    bool m_fileHoldsChoice = false;
};

// The shade of a background that marks the changed stretches inside a line: moved away
// from the text's lightness (lighter under dark text, darker under light text), so the
// text stays readable on it; towards the text only where the background has no room left
// (white under black text). The mark follows whatever colours the table holds. kNoColor
// stays as it is.
framework::ColorRef strongerShade(framework::ColorRef background, framework::ColorRef text);

// The process-wide colour table.
CColorTable& colorTable();

} // namespace settings
