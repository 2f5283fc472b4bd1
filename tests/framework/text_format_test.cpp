#include <gtest/gtest.h>

#include "framework/text_format.h"

namespace framework {
namespace {

TEST(FormatText, FillsOnePlaceholderAnywhereInTheText)
{
    EXPECT_EQ(formatText("Save %s as", {"a.txt"}), "Save a.txt as");
    EXPECT_EQ(formatText("%s", {"whole"}), "whole");
    EXPECT_EQ(formatText("ends with %s", {"it"}), "ends with it");
    EXPECT_EQ(formatText("Save %s as", {""}), "Save  as");
}

TEST(FormatText, FillsSeveralPlaceholdersInOrder)
{
    EXPECT_EQ(formatText("OVERWRITE \n%s\n with \n%s\n", {"/a", "/b"}), "OVERWRITE \n/a\n with \n/b\n");
    EXPECT_EQ(formatText("%s%s", {"x", "y"}), "xy");
}

TEST(FormatText, TextWithoutPlaceholdersOrValuesStaysAsItIs)
{
    EXPECT_EQ(formatText("Bivalo", {"unused"}), "Bivalo");
    EXPECT_EQ(formatText("one %s two %s", {"1"}), "one 1 two %s");
    EXPECT_EQ(formatText("", {"x"}), "");
}

TEST(FormatText, OtherPercentSignsAndPercentsInValuesAreKept)
{
    EXPECT_EQ(formatText("100% of %s", {"rows"}), "100% of rows");
    EXPECT_EQ(formatText("%d and %s%", {"x"}), "%d and x%");
    // A value holding "%s" is not filled again.
    EXPECT_EQ(formatText("%s then %s", {"%s", "b"}), "%s then b");
}

} // namespace
} // namespace framework
