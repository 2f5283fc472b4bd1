#pragma once

#include "framework/services.h"

namespace settings {

// Text is readable on a background when their contrast ratio reaches this (WCAG AA for
// normal text).
constexpr double kReadableContrast = 4.5;

// The relative luminance of a colour (0 black .. 1 white), as WCAG defines it for sRGB.
double relativeLuminance(framework::ColorRef color);
// (lighter + 0.05) / (darker + 0.05): 1 for equal luminance, 21 for black on white.
double contrastRatio(framework::ColorRef first, framework::ColorRef second);
// The preferred text colour when it is readable on the background, else black or white,
// whichever contrasts more; one of the two always reaches kReadableContrast.
framework::ColorRef readableText(framework::ColorRef background, framework::ColorRef preferred);

} // namespace settings
