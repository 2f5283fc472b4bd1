#include "core/line_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

using core::findLineEnd;
using core::kLineScanSlack;

// The buffer gets the slack the scan may read; what lies there must not count.
struct Buffer {
    explicit Buffer(const std::string& text) : bytes(text + std::string(kLineScanSlack, '\t')) {}
    const char* begin() const { return bytes.data(); }
    const char* at(std::size_t offset) const { return bytes.data() + offset; }
    std::string bytes;
};

TEST(LineScan, FindsTheLineEndAndTheLastTabBeforeItOnly)
{
    const Buffer buffer(std::string(20, 'a') + "\tb\tc\n\td\n");
    const core::LineEnd line = findLineEnd(buffer.begin(), buffer.at(buffer.bytes.size() - kLineScanSlack));
    EXPECT_EQ(line.at, buffer.at(24));
    EXPECT_EQ(line.lastTab, buffer.at(22));
}

TEST(LineScan, ALineWithoutTabsOrEndRunsToTheBufferEnd)
{
    for (const std::size_t length : {0u, 1u, 15u, 16u, 17u, 47u}) {
        const Buffer buffer(std::string(length, 'x'));
        const core::LineEnd line = findLineEnd(buffer.begin(), buffer.at(length));
        EXPECT_EQ(line.at, buffer.at(length)) << length;
        EXPECT_EQ(line.lastTab, nullptr) << length;
    }
}

TEST(LineScan, ATabInAnEarlierBlockIsRemembered)
{
    const Buffer buffer("\t" + std::string(40, 'y') + "\n");
    const core::LineEnd line = findLineEnd(buffer.begin(), buffer.at(42));
    EXPECT_EQ(line.at, buffer.at(41));
    EXPECT_EQ(line.lastTab, buffer.at(0));
}

// A long line is searched in another way past its first blocks; the answers must not
// change.
TEST(LineScan, ALongLineGivesItsEndAndLastTabAlike)
{
    std::string text(300, 'z');
    text[3] = '\t';
    text[150] = '\t';
    text[200] = '\n';
    text[250] = '\t';
    const Buffer buffer(text);
    const core::LineEnd line = findLineEnd(buffer.begin(), buffer.at(300));
    EXPECT_EQ(line.at, buffer.at(200));
    EXPECT_EQ(line.lastTab, buffer.at(150));

    const Buffer noEnd(std::string(3, '\t') + std::string(297, 'y'));
    const core::LineEnd open = findLineEnd(noEnd.begin(), noEnd.at(300));
    EXPECT_EQ(open.at, noEnd.at(300));
    EXPECT_EQ(open.lastTab, noEnd.at(2));
}

// Counting goes by blocks and sums its byte counters now and then: lengths around a block,
// counters that would overflow a byte, and tabs right at the ends must all be counted.
TEST(LineScan, CountsEveryTabAtAnyLengthAndPlace)
{
    std::mt19937 random(7);
    for (const std::size_t length : {0u, 1u, 15u, 16u, 17u, 255u * 16u, 255u * 16u + 5u, 20000u}) {
        for (const int percent : {0, 3, 50, 100}) {
            std::string text(length, 'a');
            for (char& c : text) {
                if (static_cast<int>(random() % 100) < percent)
                    c = '\t';
            }
            const std::string padded = text + std::string(kLineScanSlack, '\t');
            const auto expected = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t'));
            EXPECT_EQ(core::countTabs(std::string_view(padded).substr(0, length)), expected) << length << " " << percent;
        }
    }
}

} // namespace
