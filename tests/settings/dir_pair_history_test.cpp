#include "settings/dir_pair_history.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/settings/settings_file.h"

namespace {

using settings::DirPairHistory;
using settings_testing::SettingsFile;

TEST(DirPairHistory, FindPartnerWithoutNameGivesTheNewestSource)
{
    DirPairHistory history;
    EXPECT_FALSE(history.FindPartner());
    history.AddPair("/old", "/x");
    history.AddPair("/new", "/y");
    EXPECT_EQ(history.FindPartner(), "/new");
}

TEST(DirPairHistory, FindPartnerMatchesEitherSideOldestFirstWithLetterCaseCounting)
{
    DirPairHistory history;
    history.AddPair("/Work/A", "/work/b");
    history.AddPair("/work/c", "/work/a");
    history.AddPair("/work/b", "/work/d");
    EXPECT_EQ(history.FindPartner("/Work/A"), "/work/b");
    EXPECT_EQ(history.FindPartner("/work/b"), "/Work/A");
    EXPECT_EQ(history.FindPartner("/work/a"), "/work/c");
    EXPECT_FALSE(history.FindPartner("/WORK/a"));
    EXPECT_FALSE(history.FindPartner("/work/B"));
    EXPECT_FALSE(history.FindPartner("/elsewhere"));
}

TEST(DirPairHistory, EleventhPairDropsTheOldest)
{
    DirPairHistory history;
    for (int i = 0; i < 11; ++i)
        EXPECT_FALSE(history.AddPair("/s" + std::to_string(i), "/t" + std::to_string(i)));
    ASSERT_EQ(history.size(), 10u);
    EXPECT_EQ(history.sources().front(), "/s1");
    EXPECT_EQ(history.targets().back(), "/t10");
}

TEST(DirPairHistory, KnownPairChangesNothingAlsoReversedButOtherCaseIsAnotherPair)
{
    DirPairHistory history;
    history.AddPair("/src", "/dst");
    EXPECT_TRUE(history.AddPair("/src", "/dst"));
    EXPECT_TRUE(history.AddPair("/dst", "/src"));
    EXPECT_EQ(history.size(), 1u);

    EXPECT_FALSE(history.AddPair("/SRC", "/Dst"));
    EXPECT_FALSE(history.AddPair("/src", "/Dst"));
    EXPECT_EQ(history.size(), 3u);
}

TEST(DirPairHistory, RoundTripsThroughTheSettingsFile)
{
    SettingsFile file;
    DirPairHistory saved;
    saved.AddPair("/a b", "/c");
    saved.AddPair("/d", "/e");
    saved.Save();
    EXPECT_EQ(file.read(), "[dirs]\nCount=2\nsrc0=/a b\ndst0=/c\nsrc1=/d\ndst1=/e\n");

    DirPairHistory loaded;
    loaded.Load();
    EXPECT_EQ(loaded.sources(), saved.sources());
    EXPECT_EQ(loaded.targets(), saved.targets());
}

TEST(DirPairHistory, LoadedCountIsKeptWithinTheLimit)
{
    SettingsFile file;
    DirPairHistory history;
    file.write("[dirs]\nCount=-3\n");
    history.Load();
    EXPECT_TRUE(history.empty());

    file.write("[dirs]\nCount=12\nsrc0=/first\n");
    history.Load();
    EXPECT_EQ(history.size(), 10u);
    EXPECT_EQ(history.sources().front(), "/first");
    EXPECT_EQ(history.targets().front(), "");
}

} // namespace
