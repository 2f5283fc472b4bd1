#include <gtest/gtest.h>

#include "core/clip_lines.h"

namespace core {
namespace {

using Lines = std::vector<std::string>;

TEST(ClipLines, EndsEveryLineWithALineFeed)
{
    ClipLines clip;
    clip.add("one");
    clip.add("");
    clip.add("three");
    EXPECT_EQ(clip.text(), "one\n\nthree\n");
}

TEST(ClipLines, SplitKeepsALastPieceWithoutLineFeed)
{
    EXPECT_EQ(ClipLines::split("a\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(ClipLines::split("no line feed"), Lines{"no line feed"});
    EXPECT_EQ(ClipLines::split("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(ClipLines::split(""), Lines{});
}

TEST(ClipLines, SplitEndsALineAtCarriageReturnLineFeedAndBlanksOtherCarriageReturns)
{
    EXPECT_EQ(ClipLines::split("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(ClipLines::split("x\ry\n"), (Lines{"x y"}));
    EXPECT_EQ(ClipLines::split("end\r"), (Lines{"end "}));
    EXPECT_EQ(ClipLines::split("\r\r\n"), (Lines{" "}));
}

TEST(ClipLines, SplitGivesBackWhatWasAdded)
{
    ClipLines clip;
    clip.add("first");
    clip.add("  second\twith tab");
    EXPECT_EQ(ClipLines::split(clip.text()), (Lines{"first", "  second\twith tab"}));
}

} // namespace
} // namespace core
