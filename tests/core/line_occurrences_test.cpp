#include "core/line_occurrences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using core::LineOccurrences;

// The naive answer: the first line of the class at or after from.
std::int32_t firstFromByScan(const std::vector<std::int32_t>& classes, std::int32_t lineClass, std::int32_t from)
{
    for (auto k = static_cast<std::size_t>(from); k < classes.size(); ++k) {
        if (classes[k] == lineClass)
            return static_cast<std::int32_t>(k);
    }
    return static_cast<std::int32_t>(classes.size());
}

// Random files with classes that occur never, once and often, asked the way the walk asks:
// each class from positions that never go back.
TEST(LineOccurrences, AnswersAsAScanWouldForAForwardWalk)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const auto classCount = static_cast<std::int32_t>(1 + random() % 12);
        std::vector<std::int32_t> classes(random() % 40);
        for (std::int32_t& lineClass : classes)
            lineClass = static_cast<std::int32_t>(random() % static_cast<unsigned>(classCount));
        LineOccurrences occurrences(classes, classCount);
        const auto none = static_cast<std::int32_t>(classes.size());
        ASSERT_EQ(occurrences.none(), none);
        for (std::int32_t lineClass = 0; lineClass < classCount; ++lineClass) {
            const auto lines = std::count(classes.begin(), classes.end(), lineClass);
            EXPECT_EQ(occurrences.occursOnce(lineClass), lines == 1) << round;
            EXPECT_EQ(occurrences.firstOf(lineClass), firstFromByScan(classes, lineClass, 0)) << round;
        }
        std::vector<std::int32_t> from(static_cast<std::size_t>(classCount), 0);
        for (int ask = 0; ask < 60; ++ask) {
            const auto lineClass = static_cast<std::int32_t>(random() % static_cast<unsigned>(classCount));
            std::int32_t& at = from[static_cast<std::size_t>(lineClass)];
            at += static_cast<std::int32_t>(random() % 4);
            at = std::min(at, none + 1);
            ASSERT_EQ(occurrences.firstFrom(lineClass, at), firstFromByScan(classes, lineClass, std::min(at, none)))
                << round << " class " << lineClass << " from " << at;
        }
    }
}

} // namespace
