#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include "framework/profile.h"
#include "settings/color_table.h"
#include "tests/settings/settings_file.h"

namespace {

using settings::AppSettings;
using settings_testing::SettingsFile;

constexpr std::string_view kDefaultFilterText =
    "C++ files (cpp/h/rc/inl)|*.cpp; *.h; *.rc; *.inl|Text files (me/txt)|*.me; *.txt|All Files|*.*||";

class AppSettingsTest : public ::testing::Test {
protected:
    AppSettingsTest() { settings::colorTable().reset(); }
    ~AppSettingsTest() override { settings::colorTable().reset(); }

    AppSettings loaded(std::string_view fileText)
    {
        m_file.write(fileText);
        AppSettings record;
        record.Load();
        return record;
    }

    SettingsFile m_file;
};

// --- tab size ------------------------------------------------------------------------

TEST(SetTabSize, ClampsAboveFiftyToFortyNine)
{
    AppSettings record;
    EXPECT_EQ(record.SetTabSize(51), 4);
    EXPECT_EQ(record.TabSize, 49);
    EXPECT_EQ(record.tabString, std::string(49, ' '));

    EXPECT_EQ(record.SetTabSize(50), 49);
    EXPECT_EQ(record.TabSize, 50);

    EXPECT_EQ(record.SetTabSize(0), 50);
    EXPECT_EQ(record.tabString, "");
}

TEST(SetTabSize, MinusOneChangesNothingOtherNegativesBecomeFortyNine)
{
    AppSettings record;
    record.SetTabSize(8);
    EXPECT_EQ(record.SetTabSize(-1), 8);
    EXPECT_EQ(record.TabSize, 8);
    EXPECT_EQ(record.tabString, std::string(8, ' '));

    record.SetTabSize(-2);
    EXPECT_EQ(record.TabSize, 49);
}

TEST_F(AppSettingsTest, LoadedTabSizeIsClamped)
{
    EXPECT_EQ(loaded("[options]\nTabSize=51\n").tabString, std::string(49, ' '));
    EXPECT_EQ(loaded("[options]\nTabSize=50\n").TabSize, 50);
    EXPECT_EQ(loaded("[options]\nTabSize=0\n").tabString, "");
}

TEST_F(AppSettingsTest, StoredTabSizeMinusOneKeepsTheCurrentSize)
{
    const AppSettings record = loaded("[options]\nTabSize=-1\n");
    EXPECT_EQ(record.TabSize, 4);
    EXPECT_EQ(record.tabString, "    ");
}

// --- options -------------------------------------------------------------------------

TEST_F(AppSettingsTest, MissingFileKeepsEveryDefault)
{
    AppSettings record;
    record.Load();
    const AppSettings fresh;
    EXPECT_EQ(record.TabSize, 4);
    EXPECT_EQ(record.UseTab, 1);
    EXPECT_EQ(record.UseAlt, 1);
    EXPECT_EQ(record.InlineChanges, 1);
    EXPECT_EQ(record.RowHeight, -1);
    EXPECT_EQ(record.FontValid, 0);
    EXPECT_EQ(record.Hidden, fresh.Hidden);
    EXPECT_EQ(record.Filters.filters(), fresh.Filters.filters());
    EXPECT_TRUE(record.Dirs.empty());
    EXPECT_EQ(record.DiffTool, "");
}

TEST_F(AppSettingsTest, LoadReadsEveryOption)
{
    const AppSettings record = loaded("[Options]\nTabSize=8\nUseTab=0\nKillEndSpaces=1\nDate=20\nRowHeight=18\n"
                                      "EditDefault=1\nHidden=1\nMoveNext=1\nCool=1\nIgnoreBlanks=1\nUseAlt=0\n"
                                      "InlineChanges=0\nSrcDir=/a/src\nDstDir=/a/dst\nDiffTool=meld\n");
    EXPECT_EQ(record.TabSize, 8);
    EXPECT_EQ(record.UseTab, 0);
    EXPECT_EQ(record.KillEndSpaces, 1);
    EXPECT_EQ(record.Date, 20);
    EXPECT_EQ(record.RowHeight, 18);
    EXPECT_EQ(record.EditDefault, 1);
    EXPECT_EQ(record.Hidden, 1);
    EXPECT_EQ(record.MoveNext, 1);
    EXPECT_EQ(record.Cool, 1);
    EXPECT_EQ(record.IgnoreBlanks, 1);
    EXPECT_EQ(record.UseAlt, 0);
    EXPECT_EQ(record.InlineChanges, 0);
    EXPECT_EQ(record.SrcDir, "/a/src");
    EXPECT_EQ(record.DstDir, "/a/dst");
    EXPECT_EQ(record.DiffTool, "meld");
}

TEST_F(AppSettingsTest, SaveWritesTheOptionsInTheirOrder)
{
    AppSettings record;
    record.SrcDir = "/src";
    record.Save();
    const std::string text = m_file.read();
    EXPECT_EQ(text.substr(0, text.find("\n\n")),
              "[options]\nTabSize=4\nUseTab=1\nKillEndSpaces=0\nDate=0\nRowHeight=-1\nEditDefault=0\n"
              "Hidden=0\nMoveNext=0\nCool=0\nIgnoreBlanks=0\nUseAlt=1\nInlineChanges=1\nSrcDir=/src\nDstDir=\nDiffTool=\nLegacyEncoding=WINDOWS-1252");
}

TEST_F(AppSettingsTest, SaveThenLoadGivesTheSameRecord)
{
    AppSettings saved;
    saved.SetTabSize(3);
    saved.IgnoreBlanks = 1;
    saved.DstDir = "/home/me/target dir";
    saved.Dirs.AddPair("/a", "/b");
    saved.Filters.append(settings::FileFilter("Mine", "\"my file.txt\" *.x"));
    settings::colorTable().text[settings::kSameEntry] = 0x102030;    // colours of the user's go along
    saved.Save();

    AppSettings record;
    record.Load();
    EXPECT_EQ(record.TabSize, 3);
    EXPECT_EQ(record.tabString, "   ");
    EXPECT_EQ(record.IgnoreBlanks, 1);
    EXPECT_EQ(record.DstDir, "/home/me/target dir");
    EXPECT_EQ(record.Dirs.sources(), saved.Dirs.sources());
    EXPECT_EQ(record.Filters.filters(), saved.Filters.filters());
    EXPECT_NE(m_file.read().find("[AppColors]\n0=16777215\n100=1056816\n"), std::string::npos);
}

TEST_F(AppSettingsTest, DiffToolFallsBackToTheGlobalWindiffKey)
{
    EXPECT_EQ(loaded("[Global]\nwindiff=/usr/bin/meld\n").DiffTool, "/usr/bin/meld");
    EXPECT_EQ(loaded("[options]\nDiffTool=kdiff3\n[Global]\nwindiff=/usr/bin/meld\n").DiffTool, "kdiff3");
}

// --- font ----------------------------------------------------------------------------

TEST_F(AppSettingsTest, FontHeightZeroMeansNoFontAndNoFontSectionWritten)
{
    AppSettings record = loaded("[Font]\nHeight=0\nWeight=700\n");
    EXPECT_EQ(record.FontValid, 0);
    m_file.write("");
    record.Save();
    EXPECT_EQ(m_file.read().find("[Font]"), std::string::npos);
}

TEST_F(AppSettingsTest, StoredFontIsReadWithItsFaceNameCut)
{
    const AppSettings record = loaded("[Font]\nHeight=-13\nWeight=700\nItalic=257\nCharSet=0\n"
                                      "FaceName=An Extraordinarily Long Face Name Indeed\n");
    EXPECT_EQ(record.FontValid, 1);
    EXPECT_EQ(record.Font.Height, -13);
    EXPECT_EQ(record.Font.Weight, 700);
    EXPECT_EQ(record.Font.Italic, 1);
    EXPECT_EQ(record.Font.FaceName, "An Extraordinarily Long Face Na");
}

TEST_F(AppSettingsTest, FaceNameIsNotCutInsideACharacter)
{
    const std::string thirty(30, 'x');
    EXPECT_EQ(loaded("[Font]\nHeight=12\nFaceName=" + thirty + "\xC3\xA9z\n").Font.FaceName, thirty);
}

TEST_F(AppSettingsTest, FontWithoutFaceNameIsSystem)
{
    EXPECT_EQ(loaded("[Font]\nHeight=12\n").Font.FaceName, "System");
}

TEST_F(AppSettingsTest, ValidFontRoundTrips)
{
    AppSettings saved;
    saved.Font = {.Height = -16, .Width = 0, .Escapement = 0, .Orientation = 0, .Weight = 400, .Italic = 0,
                  .Underline = 1, .StrikeOut = 0, .CharSet = 204, .OutPrecision = 3, .ClipPrecision = 2,
                  .Quality = 1, .PitchAndFamily = 49, .FaceName = "DejaVu Sans Mono"};
    saved.FontValid = 1;
    saved.Save();

    AppSettings record;
    record.Load();
    EXPECT_EQ(record.FontValid, 1);
    EXPECT_EQ(record.Font, saved.Font);
}

// --- filters -------------------------------------------------------------------------

TEST_F(AppSettingsTest, DefaultFiltersGiveTheKnownFilterText)
{
    AppSettings record;
    EXPECT_EQ(record.GetFilterString(), kDefaultFilterText);
}

TEST_F(AppSettingsTest, EmptyFilterListGetsTheDefaultsAndWritesThemAtExit)
{
    AppSettings record = loaded("[Filters]\nTotal=0\nCur=-1\n");
    EXPECT_EQ(record.GetFilterString(), kDefaultFilterText);
    record.Save();
    const std::string file = m_file.path();
    EXPECT_EQ(framework::readProfileInt(file, "Filters", "Total", 0), 3);
    EXPECT_EQ(framework::readProfileString(file, "Filters", "0", ""), "C++ files (cpp/h/rc/inl)");
    EXPECT_EQ(framework::readProfileString(file, "Filters", "mask_2", ""), "*.*");
}

TEST_F(AppSettingsTest, StoredFiltersReplaceTheDefaults)
{
    AppSettings record = loaded("[Filters]\nTotal=1\nCur=0\n0=Python\nmask_0=*.py\n1=Stale\nmask_1=*.old\n");
    EXPECT_EQ(record.Filters.size(), 1);
    EXPECT_EQ(record.Filters.current(), 0);
    EXPECT_EQ(record.GetFilterString(), "Python|*.py||");
}

TEST_F(AppSettingsTest, EditingFiltersDropsTheCachedText)
{
    AppSettings record;
    record.GetFilterString();
    record.EditFilters([](settings::FilterList& filters) { filters.removeAt(0); });
    EXPECT_EQ(record.GetFilterString(), "Text files (me/txt)|*.me; *.txt|All Files|*.*||");
}

TEST_F(AppSettingsTest, LoadDropsTheCachedFilterText)
{
    AppSettings record;
    record.GetFilterString();
    m_file.write("[Filters]\nTotal=1\n0=Only\nmask_0=*.c\n");
    record.Load();
    EXPECT_EQ(record.GetFilterString(), "Only|*.c||");
}

// --- colours -------------------------------------------------------------------------

TEST_F(AppSettingsTest, StoredColoursSetVariantZeroOfTheirState)
{
    loaded("[AppColors]\n2=65280\n102=255\n");
    const auto& table = settings::colorTable();
    EXPECT_EQ(table.backgroundFor(2, 0), 0x00FF00u);
    EXPECT_EQ(table.textFor(2, 0), 0x0000FFu);
    EXPECT_EQ(table.backgroundFor(2, 1), 0x404040u);
    EXPECT_EQ(table.backgroundFor(1, 0), 0xC8C8C8u);
}

} // namespace
