#include "core/recent_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/line_files.h"

namespace {

using core::RecentTexts;
using testing_support::fileOfLines;

TEST(RecentTexts, ATextIsFoundAsItsLeadingBlanksAndTheRest)
{
    const core::LineFile file = fileOfLines({"    return 0;", "return 0;"});
    RecentTexts recent;
    EXPECT_EQ(recent.find(4, "return 0;"), nullptr);
    recent.remember(*file.lineAt(0), 4);
    EXPECT_EQ(recent.find(4, std::string("return 0;")), file.lineAt(0));
    EXPECT_EQ(recent.find(3, "return 0;"), nullptr);
    EXPECT_EQ(recent.find(4, "return 1;"), nullptr);
    EXPECT_EQ(recent.find(0, "return 0;"), nullptr);
}

// Lines that look alike at their length and ends are still compared byte for byte,
// and the one remembered last takes the place.
TEST(RecentTexts, TextsAlikeAtTheirEndsAreNeverTakenForEachOther)
{
    const std::string first = "begin" + std::string(20, 'x') + "end";
    const std::string middle = "begin" + std::string(10, 'x') + "y" + std::string(9, 'x') + "end";
    const core::LineFile file = fileOfLines({first, middle, "", "a", "abcdefg"});
    RecentTexts recent;
    recent.remember(*file.lineAt(0), 0);
    EXPECT_EQ(recent.find(0, middle), nullptr);
    recent.remember(*file.lineAt(1), 0);
    EXPECT_EQ(recent.find(0, first), nullptr);
    EXPECT_EQ(recent.find(0, middle), file.lineAt(1));
    for (int i = 3; i < 5; ++i) {
        recent.remember(*file.lineAt(i), 0);
        EXPECT_EQ(recent.find(0, std::string(file.lineAt(i)->text())), file.lineAt(i)) << i;
    }
    EXPECT_EQ(recent.find(0, "abcdefh"), nullptr);
}

} // namespace
