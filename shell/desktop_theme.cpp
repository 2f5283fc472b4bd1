#include "shell/desktop_theme.h"

namespace shell {

settings::ColorTheme themeOf(const QPalette& palette)
{
    constexpr int kMiddleLightness = 128;
    return palette.color(QPalette::Window).lightness() < kMiddleLightness ? settings::ColorTheme::Dark
                                                                         : settings::ColorTheme::Light;
}

} // namespace shell
