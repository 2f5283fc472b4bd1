#pragma once

#include <array>

#include "framework/services.h"
#include "settings/profile_section.h"

namespace settings {

// A colour the table leaves unset: whoever paints keeps its own colour there.
constexpr framework::ColorRef kNoColor = 0xFFFFFFFF;

// Background and text colours of the five line states, indexed by 2 * state + variant
// (variant 1: the current row while EasyJoin runs). Section "AppColors" keeps variant 0
// of both arrays; variant 1 always has its default.
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

    // Copies every default colour into both arrays.
    void reset();

    void Exchange(bool save) override;

private:
    static int index(int state, int variant);
};

// The stronger shade of a background that marks the changed stretches inside a line:
// darker on a light background, lighter on a dark one, so that the mark follows
// whatever colour the table holds. kNoColor stays as it is.
framework::ColorRef strongerShade(framework::ColorRef background);

// The process-wide colour table.
CColorTable& colorTable();

} // namespace settings
