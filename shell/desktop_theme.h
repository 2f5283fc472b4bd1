#pragma once

#include <QPalette>

#include "settings/color_scheme.h"

namespace shell {

// Dark when the palette's window colour is darker than middle grey: the desktop's own
// theme decides, whatever its name.
settings::ColorTheme themeOf(const QPalette& palette);

} // namespace shell
