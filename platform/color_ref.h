#pragma once

#include <QColor>

#include "framework/services.h"

// COLORREF values (0x00BBGGRR) are what the program holds; only painting turns them into QColor.
namespace platform {

using framework::ColorRef;

constexpr ColorRef rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

inline QColor toQColor(ColorRef color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

inline ColorRef toColorRef(const QColor& color)
{
    return rgb(color.red(), color.green(), color.blue());
}

} // namespace platform
