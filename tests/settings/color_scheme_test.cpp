#include "settings/color_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "settings/color_contrast.h"
#include "settings/color_table.h"

namespace {

using framework::ColorRef;
using settings::ColorScheme;
using settings::ColorTheme;

constexpr int kStates = settings::CColorTable::kStates;
constexpr std::array<const char*, kStates> kStateNames = {"same", "source only", "target only", "changed", "edited"};

TEST(ColorContrast, RatiosAreWcagsAndAReadableTextAlwaysExists)
{
    EXPECT_DOUBLE_EQ(settings::contrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(settings::contrastRatio(0x123456, 0x123456), 1.0);
    EXPECT_NEAR(settings::contrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01);    // the well-known near miss
    EXPECT_NEAR(settings::contrastRatio(0x0000FF, 0xFFFFFF), 4.0, 0.01);     // pure red on white
    EXPECT_EQ(settings::readableText(0xFFFFFF, 0x777777), 0x000000u);
    EXPECT_EQ(settings::readableText(0x000000, 0x777777), 0x777777u);
    for (unsigned r = 0; r < 256; r += 15)
        for (unsigned g = 0; g < 256; g += 15)
            for (unsigned b = 0; b < 256; b += 15) {
                const ColorRef background = r | g << 8 | b << 16;
                EXPECT_GE(settings::contrastRatio(background, settings::readableText(background, background)),
                          settings::kReadableContrast);
            }
}

// Every text is drawn on its row's background, on a bookmarked row's, and on the mark of
// a changed stretch; the status bar's legend draws each state's text on its background.
TEST(ColorSchemes, EveryTextIsReadableOnEveryBackgroundItMeets)
{
    for (const ColorTheme theme : {ColorTheme::Light, ColorTheme::Dark}) {
        const ColorScheme& scheme = settings::defaultScheme(theme);
        for (std::size_t i = 0; i < scheme.text.size(); ++i) {
            const ColorRef text = scheme.text[i];
            const ColorRef background = scheme.background[i];
            SCOPED_TRACE(testing::Message() << (theme == ColorTheme::Dark ? "dark " : "light ") << kStateNames[i / 2]
                                            << " variant " << i % 2);
            EXPECT_GE(settings::contrastRatio(text, background), settings::kReadableContrast);
            EXPECT_GE(settings::contrastRatio(text, settings::strongerShade(background, text)),
                      settings::kReadableContrast);
            if (i % 2 == 0) {
                EXPECT_GE(settings::contrastRatio(text, scheme.bookmark), settings::kReadableContrast);
            }
        }
    }
}

// --- colour-vision deficiencies -------------------------------------------------------------

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
constexpr Matrix kNormal = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};

// Two colours that fill neighbouring areas (rows, the overview strip's lines) are told
// apart at a glance from this CIELAB distance on: about seven times the just noticeable
// difference (2.3), where palette checkers flag pairs below 10 as hard to tell apart.
constexpr double kDistinctDistance = 15.0;

double linear(ColorRef color, int shift)
{
    const double value = double((color >> shift) & 0xFFu) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

// The colour as the eye the matrix stands for sees it, in CIELAB (D65).
Vector seenLab(ColorRef color, const Matrix& eye)
{
    const Vector rgb = {linear(color, 0), linear(color, 8), linear(color, 16)};
    Vector seen{};
    for (std::size_t i = 0; i < 3; ++i)
        seen[i] = std::clamp(eye[i][0] * rgb[0] + eye[i][1] * rgb[1] + eye[i][2] * rgb[2], 0.0, 1.0);
    const double x = (0.4124 * seen[0] + 0.3576 * seen[1] + 0.1805 * seen[2]) / 0.95047;
    const double y = 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
    const double z = (0.0193 * seen[0] + 0.1192 * seen[1] + 0.9505 * seen[2]) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double seenDistance(ColorRef first, ColorRef second, const Matrix& eye)
{
    const Vector a = seenLab(first, eye);
    const Vector b = seenLab(second, eye);
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// The colours that tell same, source only, target only and changed apart: the rows'
// backgrounds (same against the others) and the overview strip's colours, which are the
// differences' text colours on the same rows' background.
double closestStates(const ColorScheme& scheme, const Matrix& eye)
{
    const std::array<ColorRef, 4> strip = {scheme.background[settings::kSameEntry], scheme.text[settings::kSourceOnlyEntry], scheme.text[settings::kTargetOnlyEntry], scheme.text[settings::kChangedEntry]};
    double closest = 1e9;
    for (std::size_t a = 0; a < strip.size(); ++a)
        for (std::size_t b = a + 1; b < strip.size(); ++b)
            closest = std::min(closest, seenDistance(strip[a], strip[b], eye));
    for (std::size_t state = 1; state < 4; ++state)
        closest = std::min(closest, seenDistance(scheme.background[settings::kSameEntry], scheme.background[2 * state], eye));
    return closest;
}

TEST(ColorSchemes, StatesStayApartForRedGreenBlindEyes)
{
    const std::array<std::pair<const char*, const Matrix*>, 3> eyes = {
        {{"normal", &kNormal}, {"protanopia", &kProtanopia}, {"deuteranopia", &kDeuteranopia}}};
    for (const ColorTheme theme : {ColorTheme::Light, ColorTheme::Dark})
        for (const auto& [name, eye] : eyes)
            EXPECT_GE(closestStates(settings::defaultScheme(theme), *eye), kDistinctDistance)
                << (theme == ColorTheme::Dark ? "dark" : "light") << " table, " << name;
    // The first light table's green and red collapsed for a deuteranope: the check sees it.
    ColorScheme earlier = settings::defaultScheme(ColorTheme::Light);
    earlier.text[settings::kSourceOnlyEntry] = 0x008000;
    earlier.text[settings::kTargetOnlyEntry] = 0x0000C8;
    EXPECT_LT(closestStates(earlier, kDeuteranopia), kDistinctDistance);
}

TEST(ColorSchemes, StoredHalvesOfTheDefaultTablesAreNoChoice)
{
    for (const ColorTheme theme : {ColorTheme::Light, ColorTheme::Dark}) {
        const ColorScheme& scheme = settings::defaultScheme(theme);
        std::array<ColorRef, kStates> backgrounds{};
        std::array<ColorRef, kStates> texts{};
        for (std::size_t state = 0; state < kStates; ++state) {
            backgrounds[state] = scheme.background[2 * state];
            texts[state] = scheme.text[2 * state];
        }
        EXPECT_TRUE(settings::isDefaultChoice(backgrounds, texts));
        texts[4] ^= 1;
        EXPECT_FALSE(settings::isDefaultChoice(backgrounds, texts));
    }
}

} // namespace
