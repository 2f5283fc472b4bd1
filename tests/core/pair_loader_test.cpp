#include "core/pair_loader.h"
#include "core/difference_engine.h"

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
        const std::string target = dir.write("b.txt", "first\n" + manyLines(prefix));
        LineFile left;
        LineFile right;
        const core::PairLoad loaded = loadPair(left, source, right, target, {});
        ASSERT_TRUE(loaded.sourceLoaded && loaded.targetLoaded) << prefix;
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
    EXPECT_FALSE(loaded.targetLoaded);
    EXPECT_EQ(right.loadProblem(), core::LoadProblem::NotFound);

    loaded = loadPair(left, dir.path().string(), right, large, {});
    EXPECT_FALSE(loaded.sourceLoaded);
    EXPECT_EQ(left.loadProblem(), core::LoadProblem::Folder);
    EXPECT_TRUE(loaded.targetLoaded);
}

TEST(PairLoader, ACancelStopsBothReadersAndTheComparison)
{
    TempDir dir;
    const std::string large = dir.write("large.txt", manyLines("a line of the larger file number "));
    for (const std::string& other : { large, dir.write("small.txt", "x\n") }) {
        LineFile left;
        LineFile right;
        core::WorkProgress progress;
        progress.cancel();
        EXPECT_THROW(loadPair(left, large, right, other, {}, &progress), core::WorkCancelled) << other;
        loadPair(left, large, right, other, {});
        EXPECT_THROW(core::compareFiles(left, right, {}, &progress), core::WorkCancelled) << other;
    }
}

TEST(PairLoader, ProgressCountsTheBytesOfBothFiles)
{
    TempDir dir;
    const std::string text = manyLines("a line of the larger file number ");
    const std::string source = dir.write("a.txt", text);
    const std::string target = dir.write("b.txt", text + text);
    LineFile left;
    LineFile right;
    core::WorkProgress progress;
    loadPair(left, source, right, target, {}, &progress);
    const core::WorkProgress::Snapshot read = progress.snapshot();
    EXPECT_EQ(read.done, 3 * text.size());
    EXPECT_EQ(read.total, 3 * text.size());
    EXPECT_EQ(read.subject, "a.txt and b.txt");
}

TEST(WorkProgress, ReadsAsTheStatusLineShowsIt)
{
    using Phase = core::WorkProgress::Phase;
    const struct {
        core::WorkProgress::Snapshot snapshot;
        std::string text;
    } cases[] = {
        { { Phase::Reading, "a and b", 312u << 20, 1010u << 20 }, "Reading a and b: 312 of 1010 MB" },
        { { Phase::Reading, "pipe and b", 3u << 20, 0 }, "Reading pipe and b: 3 MB" },
        { { Phase::Reading, "a and b", 20u << 20, 10u << 20 }, "Reading a and b: 10 of 10 MB" },
        { { Phase::Comparing, {}, 60, 100 }, "Comparing: 60%" },
        { { Phase::Comparing, {}, 0, 0 }, "Comparing: 0%" },
        { { Phase::Comparing, {}, 50, 100, 1, 2 }, "Comparing: 75%" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::describeProgress(c.snapshot), c.text);
}

} // namespace
