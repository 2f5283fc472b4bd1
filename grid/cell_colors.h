#pragma once

#include <QPalette>

#include "framework/services.h"

namespace grid {

using framework::ColorRef;

// The colour roles of a grid, filled from the desktop's palette.
struct CellColors {
    ColorRef gridLine = 0;
    ColorRef frame = 0;                 // round the current cell
    ColorRef background = 0;
    ColorRef text = 0;
    ColorRef selectedBackground = 0;
    ColorRef selectedText = 0;
    ColorRef markedBackground = 0;
    ColorRef markedText = 0;
    ColorRef currentRowBackground = 0;  // other cells of the current row, grid active
    ColorRef currentRowText = 0;
    ColorRef inactiveRowBackground = 0; // cells of the current row, grid not active
    ColorRef inactiveRowText = 0;
    ColorRef editableCellBackground = 0;    // current cell, grid active
    ColorRef editableCellText = 0;
    ColorRef readOnlyCellBackground = 0;
    ColorRef readOnlyCellText = 0;
    ColorRef headerFace = 0;
    ColorRef headerText = 0;
    ColorRef headerShadow = 0;
    ColorRef headerLight = 0;
    ColorRef headerDarkShadow = 0;      // the dark edge of a raised fixed cell

    // plainSelection: style bit 0x0100, the current row in window colours.
    static CellColors fromPalette(const QPalette& palette, bool plainSelection);
};

} // namespace grid
