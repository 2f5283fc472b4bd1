#include "grid/cell_colors.h"

#include "platform/color_ref.h"

namespace grid {

CellColors CellColors::fromPalette(const QPalette& palette, bool plainSelection)
{
    const auto role = [&palette](QPalette::ColorRole r) { return platform::toColorRef(palette.color(r)); };
    const ColorRef window = role(QPalette::Base);
    const ColorRef windowText = role(QPalette::Text);
    const ColorRef face = role(QPalette::Button);
    const ColorRef faceText = role(QPalette::ButtonText);
    const ColorRef highlight = role(QPalette::Highlight);
    const ColorRef highlightText = role(QPalette::HighlightedText);

    CellColors colors;
    colors.gridLine = face;
    colors.frame = windowText;
    colors.background = window;
    colors.text = windowText;
    colors.selectedBackground = highlight;
    colors.selectedText = highlightText;
    colors.markedBackground = face;
    colors.markedText = faceText;
    colors.currentRowBackground = plainSelection ? window : highlight;
    colors.currentRowText = plainSelection ? windowText : highlightText;
    colors.inactiveRowBackground = colors.currentRowBackground;
    colors.inactiveRowText = colors.currentRowText;
    colors.editableCellBackground = window;
    colors.editableCellText = windowText;
    colors.readOnlyCellBackground = face;
    colors.readOnlyCellText = faceText;
    colors.headerFace = face;
    colors.headerText = faceText;
    colors.headerShadow = role(QPalette::Dark);
    colors.headerLight = role(QPalette::Light);
    colors.headerDarkShadow = role(QPalette::Shadow);
    return colors;
}

} // namespace grid
