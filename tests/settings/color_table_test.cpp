#include "settings/color_table.h"

#include <gtest/gtest.h>

#include "framework/profile.h"
#include "tests/settings/settings_file.h"

namespace {

using settings::CColorTable;
using settings_testing::SettingsFile;

TEST(ColorTable, DefaultsFollowTheStatesAndTheTheme)
{
    CColorTable table;
    EXPECT_EQ(table.backgroundFor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(table.textFor(0, 1), 0xFFFFFFu);
    EXPECT_EQ(table.textFor(3, 0), 0xFF0000u);
    for (int state = 1; state < CColorTable::kStates; ++state)
        EXPECT_EQ(table.backgroundFor(state, 0), 0xC8C8C8u);
    EXPECT_EQ(table.bookmarkBackground(), 0xFFFF00u);

    table.setTheme(settings::ColorTheme::Dark);
    const settings::ColorScheme& dark = settings::defaultScheme(settings::ColorTheme::Dark);
    for (int i = 0; i < CColorTable::kEntries; ++i) {
        EXPECT_EQ(table.background[i], dark.background[std::size_t(i)]);
        EXPECT_EQ(table.text[i], dark.text[std::size_t(i)]);
    }
    EXPECT_EQ(table.bookmarkBackground(), dark.bookmark);
    EXPECT_FALSE(table.holdsUserColors());
    table.setTheme(settings::ColorTheme::Light);
    EXPECT_EQ(table.backgroundFor(0, 0), 0xFFFFFFu);
}

TEST(ColorTable, ChosenColoursStayWhateverTheTheme)
{
    SettingsFile file;
    file.write("[AppColors]\n3=255\n");
    CColorTable table;
    table.Load();
    table.setTheme(settings::ColorTheme::Dark);
    EXPECT_TRUE(table.holdsUserColors());
    EXPECT_EQ(table.background[settings::kChangedEntry], 0x0000FFu);
    EXPECT_EQ(table.background[settings::kSameEntry], 0xFFFFFFu);    // the rest as loaded, not dark
    table.reset();    // "Defaults" gives the theme's table
    EXPECT_EQ(table.background[settings::kSameEntry], settings::defaultScheme(settings::ColorTheme::Dark).background[settings::kSameEntry]);
}

TEST(ColorTable, StoredDefaultsAreNoChoiceAndDefaultsAreNotStored)
{
    // What every exit of an earlier version wrote: its defaults, all ten.
    SettingsFile file;
    const std::string earlier = "[AppColors]\n0=16777215\n100=0\n1=13158600\n101=32768\n2=13158600\n102=200\n"
                                "3=13158600\n103=16711680\n4=13158600\n104=65535\n";
    file.write(earlier);
    CColorTable table;
    table.setTheme(settings::ColorTheme::Dark);
    table.Load();
    EXPECT_FALSE(table.holdsUserColors());
    EXPECT_EQ(table.background[settings::kSameEntry], settings::defaultScheme(settings::ColorTheme::Dark).background[settings::kSameEntry]);
    table.Save();
    EXPECT_EQ(file.read(), earlier);    // stored colours are never changed by a save of defaults

    // A choice is stored; going back to the defaults stores them over it, and they load as no choice.
    table.text[settings::kSourceOnlyEntry] = 0x123456;
    table.Save();
    table.reset();
    table.Save();
    CColorTable loaded;
    loaded.text[settings::kSourceOnlyEntry] = 0x654321;
    loaded.Load();
    EXPECT_FALSE(loaded.holdsUserColors());
    EXPECT_EQ(loaded.text[settings::kSourceOnlyEntry], 0x106000u);
}

TEST(ColorTable, ResetRestoresEveryColour)
{
    CColorTable table;
    table.background[settings::kSourceOnlyCurrentEntry] = 1;
    table.text[settings::kChangedEntry] = 2;
    table.reset();
    EXPECT_EQ(table.background[settings::kSourceOnlyCurrentEntry], 0x404040u);
    EXPECT_EQ(table.text[settings::kChangedEntry], 0xFF0000u);
    EXPECT_EQ(table.text[settings::kSourceOnlyEntry], 0x106000u);
}

TEST(ColorTable, OnlyVariantZeroIsStored)
{
    SettingsFile file;
    CColorTable saved;
    saved.background[settings::kTargetOnlyEntry] = 0x123456;
    saved.text[settings::kTargetOnlyEntry] = 0x654321;
    saved.background[settings::kTargetOnlyCurrentEntry] = 0x111111;
    saved.Save();
    EXPECT_EQ(file.read(), "[AppColors]\n0=16777215\n100=0\n1=13158600\n101=1073152\n2=1193046\n102=6636321\n"
                           "3=13158600\n103=16711680\n4=13158600\n104=21588\n");

    CColorTable loaded;
    loaded.Load();
    EXPECT_EQ(loaded.background[settings::kTargetOnlyEntry], 0x123456u);
    EXPECT_EQ(loaded.text[settings::kTargetOnlyEntry], 0x654321u);
    EXPECT_EQ(loaded.background[settings::kTargetOnlyCurrentEntry], 0x404040u);
}

TEST(ColorTable, MissingValuesKeepTheCurrentColours)
{
    SettingsFile file;
    file.write("[AppColors]\n3=255\n");
    CColorTable table;
    table.text[settings::kSameEntry] = 0xABCDEF;
    table.Load();
    EXPECT_EQ(table.background[settings::kChangedEntry], 0x0000FFu);
    EXPECT_EQ(table.text[settings::kSameEntry], 0xABCDEFu);
}

} // namespace

TEST(ColorTable, StrongerShadeMovesAwayFromTheText)
{
    // Dark text on the light grey of a changed row: a lighter grey.
    const framework::ColorRef grey = settings::strongerShade(0xC8C8C8, 0x000000);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
    EXPECT_GT(grey & 0xFF, 0xC8u);
    // Light text on a user's dark blue: a darker blue, the hue kept.
    const framework::ColorRef blue = settings::strongerShade(0xC00000, 0xFFFFFF);
    EXPECT_LT((blue >> 16) & 0xFF, 0xC0u);
    EXPECT_GT((blue >> 16) & 0xFF, blue & 0xFF);
    // No room above white: darker.
    EXPECT_LT(settings::strongerShade(0xFFFFFF, 0x000000) & 0xFF, 0xFFu);
    EXPECT_EQ(settings::strongerShade(0xFFFFFFFF, 0), 0xFFFFFFFFu);
}
