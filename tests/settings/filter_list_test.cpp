#include "settings/filter_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/settings/settings_file.h"

namespace {

using settings::FileFilter;
using settings::FilterList;
using settings_testing::SettingsFile;
using Masks = std::vector<std::string>;

// --- masks ---------------------------------------------------------------------------

TEST(FileFilterMasks, SeparatorsRunsGiveNoEmptyMasks)
{
    EXPECT_EQ(FileFilter::splitMasks("*.cpp *.h;*.rc,, ;*.inl "), (Masks{"*.cpp", "*.h", "*.rc", "*.inl"}));
}

TEST(FileFilterMasks, QuotedMasksKeepTheirSeparators)
{
    EXPECT_EQ(FileFilter::splitMasks("\"my file; v1,2.txt\" *.c"), (Masks{"my file; v1,2.txt", "*.c"}));
    EXPECT_EQ(FileFilter::splitMasks("a\"b c\"d"), (Masks{"a", "b c", "d"}));
    EXPECT_EQ(FileFilter::splitMasks("*.c \"open ended"), (Masks{"*.c", "open ended"}));
}

TEST(FileFilterMasks, NoMaskStandsForAllFiles)
{
    EXPECT_EQ(FileFilter::splitMasks(""), (Masks{"*.*"}));
    EXPECT_EQ(FileFilter::splitMasks(" ;, \"\" "), (Masks{"*.*"}));
}

TEST(FileFilterMasks, AtMostFiftyMasksAreKept)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "*." + std::to_string(i) + " ";
    const Masks masks = FileFilter::splitMasks(text);
    ASSERT_EQ(masks.size(), FileFilter::kMaxMasks);
    EXPECT_EQ(masks.back(), "*.49");
}

// --- the list ------------------------------------------------------------------------

FilterList listOf(std::initializer_list<const char*> names)
{
    FilterList list;
    for (const char* name : names)
        list.append(FileFilter(name, "*.*"));
    return list;
}

std::vector<std::string> namesOf(const FilterList& list)
{
    std::vector<std::string> names;
    for (const FileFilter& filter : list.filters())
        names.push_back(filter.name());
    return names;
}

TEST(FilterListMove, UpFromTheFirstGoesToTheEnd)
{
    FilterList list = listOf({"a", "b", "c"});
    EXPECT_EQ(list.move(-1, 0), 2);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"b", "c", "a"}));
}

TEST(FilterListMove, DestinationBeyondTheCountMeansTheTop)
{
    FilterList list = listOf({"a", "b", "c"});
    EXPECT_EQ(list.move(4, 2), 0);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"c", "a", "b"}));
}

TEST(FilterListMove, DownwardsLandsBeforeTheDestination)
{
    FilterList list = listOf({"a", "b", "c"});
    EXPECT_EQ(list.move(2, 0), 1);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(list.move(0, 2), 0);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(list.move(0, 3), -1);
}

TEST(FilterListText, BuildsNamesAndMasksWithoutLimit)
{
    FilterList list;
    EXPECT_EQ(list.filterText(), "|");
    const std::string longName(20000, 'n');
    list.append(FileFilter(longName, "*.a,*.b"));
    EXPECT_EQ(list.filterText(), longName + "|*.a; *.b||");
}

TEST(FilterListStore, SaveAndLoadKeepNamesMasksAndCurrent)
{
    SettingsFile file;
    FilterList saved = listOf({"One"});
    saved.append(FileFilter("Two", " \"x y\" *.z "));
    saved.setCurrent(1);
    saved.Save();
    EXPECT_EQ(file.read(), "[Filters]\nTotal=2\nCur=1\n0=One\nmask_0=*.*\n1=Two\nmask_1=\" \"x y\" *.z \"\n");

    FilterList loaded;
    loaded.Load();
    EXPECT_EQ(loaded.filters(), saved.filters());
    EXPECT_EQ(loaded.current(), 1);
}

TEST(FilterListStore, MissingSectionGivesAnEmptyList)
{
    SettingsFile file;
    FilterList list = listOf({"a"});
    list.setCurrent(0);
    list.Load();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.current(), -1);
}

TEST(FilterListStore, ShrinkingLeavesOldKeysThatLoadingIgnores)
{
    SettingsFile file;
    FilterList list = listOf({"a", "b"});
    list.Save();
    list.removeAt(0);
    list.Save();
    FilterList loaded;
    loaded.Load();
    EXPECT_EQ(namesOf(loaded), (std::vector<std::string>{"b"}));
    EXPECT_NE(file.read().find("1=b"), std::string::npos);
}

} // namespace
