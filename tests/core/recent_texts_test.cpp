#include "core/recent_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using core::RecentTexts;

TEST(RecentTexts, AnEqualTextGetsTheBytesRememberedFirst)
{
    RecentTexts recent;
    const std::string first = "return 0;";
    const std::string second = first;
    EXPECT_EQ(recent.shareOrRemember(first, 7), nullptr);
    EXPECT_EQ(recent.shareOrRemember(second, 7), first.data());
}

// The hash only finds the slot: texts that differ, even by length alone, are never
// taken for each other, and the later one takes the slot.
TEST(RecentTexts, TextsWithTheSameHashAreComparedByteForByte)
{
    RecentTexts recent;
    const std::string first = "alpha";
    const std::string other = "alphb";
    const std::string longer = "alpha ";
    EXPECT_EQ(recent.shareOrRemember(first, 42), nullptr);
    EXPECT_EQ(recent.shareOrRemember(other, 42), nullptr);
    EXPECT_EQ(recent.shareOrRemember(std::string_view(longer).substr(0, 6), 42), nullptr);
    EXPECT_EQ(recent.shareOrRemember(std::string(longer), 42), longer.data());
    const std::string firstAgain = first;
    EXPECT_EQ(recent.shareOrRemember(firstAgain, 43), nullptr);
}

} // namespace
