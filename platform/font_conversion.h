#pragma once

#include <QFont>

#include "framework/log_font.h"

namespace platform {

// A font description as a Qt font: a negative height is the character height in pixels, a
// positive one the cell height; a face that is not installed becomes the desktop's
// sans-serif font.
QFont toQFont(const framework::LogFont& logFont);
framework::LogFont toLogFont(const QFont& font);

// The desktop's fixed-width font at its normal size.
framework::LogFont desktopFixedFont();

} // namespace platform
