#include "settings/color_table.h"

#include <gtest/gtest.h>

#include "framework/profile.h"
#include "tests/settings/settings_file.h"

namespace {

using settings::CColorTable;
using settings_testing::SettingsFile;

TEST(ColorTable, DefaultsFollowTheStates)
{
    const CColorTable table;
    EXPECT_EQ(table.backgroundFor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(table.textFor(0, 1), 0xFFFFFFu);
    EXPECT_EQ(table.textFor(1, 0), 0x008000u);
    EXPECT_EQ(table.textFor(1, 1), 0x00FF00u);
    EXPECT_EQ(table.textFor(2, 0), 0x0000C8u);
    EXPECT_EQ(table.textFor(3, 1), 0xFFFF00u);
    EXPECT_EQ(table.textFor(4, 0), 0x00FFFFu);
    for (int state = 1; state < CColorTable::kStates; ++state)
        EXPECT_EQ(table.backgroundFor(state, 0), 0xC8C8C8u);
    for (int state = 0; state < CColorTable::kStates; ++state)
        EXPECT_EQ(table.backgroundFor(state, 1), 0x808080u);
}

TEST(ColorTable, ResetRestoresEveryColour)
{
    CColorTable table;
    table.background[3] = 1;
    table.text[6] = 2;
    table.reset();
    EXPECT_EQ(table.background[3], 0x808080u);
    EXPECT_EQ(table.text[6], 0xFF0000u);
}

TEST(ColorTable, OnlyVariantZeroIsStored)
{
    SettingsFile file;
    CColorTable saved;
    saved.background[4] = 0x123456;
    saved.text[4] = 0x654321;
    saved.background[5] = 0x111111;
    saved.Save();
    EXPECT_EQ(file.read(), "[AppColors]\n0=16777215\n100=0\n1=13158600\n101=32768\n2=1193046\n102=6636321\n"
                           "3=13158600\n103=16711680\n4=13158600\n104=65535\n");

    CColorTable loaded;
    loaded.Load();
    EXPECT_EQ(loaded.background[4], 0x123456u);
    EXPECT_EQ(loaded.text[4], 0x654321u);
    EXPECT_EQ(loaded.background[5], 0x808080u);
}

TEST(ColorTable, MissingValuesKeepTheCurrentColours)
{
    SettingsFile file;
    file.write("[AppColors]\n3=255\n");
    CColorTable table;
    table.text[0] = 0xABCDEF;
    table.Load();
    EXPECT_EQ(table.background[6], 0x0000FFu);
    EXPECT_EQ(table.text[0], 0xABCDEFu);
}

} // namespace

TEST(ColorTable, StrongerShadeDarkensLightAndLightensDarkBackgrounds)
{
    // The default changed background, a light grey, gets a darker grey.
    const framework::ColorRef grey = settings::strongerShade(0xC8C8C8);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
    EXPECT_LT(grey & 0xFF, 0xC8u);
    EXPECT_GT(grey & 0xFF, 0x60u);
    // A user's dark blue background gets a lighter blue: the mark keeps its hue.
    const framework::ColorRef blue = settings::strongerShade(0x400000);
    EXPECT_GT((blue >> 16) & 0xFF, 0x40u);
    EXPECT_GT((blue >> 16) & 0xFF, blue & 0xFF);
    EXPECT_NE(settings::strongerShade(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(settings::strongerShade(0xFFFFFFFF), 0xFFFFFFFFu);
}
