#include "core/pair_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

using core::LineFile;
using core::loadPair;
using testing_support::TempDir;

// Large enough to be read by two threads.
std::string manyLines(const std::string& prefix)
{
    std::string text;
    for (int k = 0; k < 400000; ++k)
        text += prefix + std::to_string(k) + "\n";
    return text;
}

TEST(PairLoader, SmallAndLargePairsLoadTheSameWay)
{
    TempDir dir;
    for (const std::string& prefix : { std::string("x"), std::string("a line of the larger file number ") }) {
        const std::string source = dir.write("a.txt", manyLines(prefix));
        const std::string destination = dir.write("b.txt", "first\n" + manyLines(prefix));
        LineFile left;
        LineFile right;
        const core::PairLoad loaded = loadPair(left, source, right, destination, {});
        ASSERT_TRUE(loaded.sourceLoaded && loaded.destinationLoaded) << prefix;
        EXPECT_EQ(left.count(), 400000);
        EXPECT_EQ(right.count(), 400001);
        EXPECT_EQ(right.lineAt(400000)->text(), prefix + "399999");
    }
}

TEST(PairLoader, EachSideReportsItsOwnFailure)
{
    TempDir dir;
    const std::string large = dir.write("large.txt", manyLines("a line of the larger file number "));
    LineFile left;
    LineFile right;
    core::PairLoad loaded = loadPair(left, large, right, dir.file("missing.txt"), {});
    EXPECT_TRUE(loaded.sourceLoaded);
    EXPECT_FALSE(loaded.destinationLoaded);
    EXPECT_EQ(right.loadProblem(), core::LoadProblem::NotFound);

    loaded = loadPair(left, dir.path().string(), right, large, {});
    EXPECT_FALSE(loaded.sourceLoaded);
    EXPECT_EQ(left.loadProblem(), core::LoadProblem::Folder);
    EXPECT_TRUE(loaded.destinationLoaded);
}

} // namespace
