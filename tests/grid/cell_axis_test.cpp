#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/cell_axis.h"

namespace grid {
namespace {

// The axis as a plain array of sizes and, from the last rebuild, an array of edges.
struct ReferenceAxis {
    std::vector<int> sizes;
    std::vector<int> edges{0, 0};

    int count() const { return int(sizes.size()); }
    int rebuiltCount() const { return int(edges.size()) - 2; }
    void rebuild()
    {
        edges.assign(sizes.size() + 2, 0);
        for (std::size_t i = 0; i < sizes.size(); ++i)
            edges[i + 1] = int(std::uint32_t(edges[i]) + std::uint32_t(sizes[i]));
        edges.back() = edges[sizes.size()];
    }
    int edgeAt(int i) const { return edges[std::size_t(i)]; }
    int indexAt(int coordinate) const
    {
        if (coordinate < 0)
            return 0;
        const auto last = edges.begin() + count() + 1;
        return int(std::upper_bound(edges.begin(), last, coordinate) - edges.begin()) - 1;
    }
};

// Every query of the axis against the reference; the edges only while the last rebuild still
// covers the sections, as the written-out array did.
void expectSame(const CellAxis& axis, const ReferenceAxis& reference)
{
    const int count = reference.count();
    ASSERT_EQ(axis.count(), count);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(axis.size(i), reference.sizes[std::size_t(i)]) << "size " << i;
    if (count > reference.rebuiltCount())
        return;
    ASSERT_EQ(axis.total(), reference.edgeAt(count));
    for (int i = -2; i <= 2 * count + 3; ++i)
        ASSERT_EQ(axis.edge(i), i < 0 ? 0 : reference.edgeAt(i % (count + 1))) << "edge " << i;
    for (int i = -2; i <= count + 2; ++i) {
        ASSERT_EQ(axis.start(i), reference.edgeAt(std::clamp(i, 0, count))) << "start " << i;
        ASSERT_EQ(axis.end(i), reference.edgeAt(std::clamp(i, 0, count) + 1)) << "end " << i;
    }
    std::vector<int> coordinates{-100, -1, 0, 1, reference.edges.back() + 1, reference.edges.back() + 1000};
    for (int edge : reference.edges)
        for (int near : {edge - 1, edge, edge + 1})
            coordinates.push_back(near);
    for (int coordinate : coordinates)
        ASSERT_EQ(axis.indexAt(coordinate), reference.indexAt(coordinate)) << "indexAt " << coordinate;
}

// Random edits on both, with sizes from a small set so that runs form, merge and split.
class AxisModel {
public:
    explicit AxisModel(unsigned seed) : random_(seed) {}

    std::string step()
    {
        std::ostringstream done;
        switch (pick(0, 9)) {
        case 0: case 1: case 2: {
            const int index = pick(0, reference_.count());
            const int count = pick(1, 6);
            const int size = anySize();
            done << "insert " << index << ' ' << count << ' ' << size;
            axis_.insert(index, count, size);
            reference_.sizes.insert(reference_.sizes.begin() + index, std::size_t(count), size);
            break;
        }
        case 3: {
            const int index = pick(0, reference_.count());
            const int count = pick(0, reference_.count() - index);
            done << "erase " << index << ' ' << count;
            axis_.erase(index, count);
            reference_.sizes.erase(reference_.sizes.begin() + index, reference_.sizes.begin() + index + count);
            break;
        }
        case 4: case 5:
            if (reference_.count() > 0) {
                const int index = pick(0, reference_.count() - 1);
                const int size = anySize();
                done << "setSize " << index << ' ' << size;
                axis_.setSize(index, size);
                reference_.sizes[std::size_t(index)] = size;
            }
            break;
        case 6: {
            const int size = anySize();
            done << "setAll " << size;
            axis_.setAll(size);
            std::fill(reference_.sizes.begin(), reference_.sizes.end(), size);
            break;
        }
        case 7:
            if (reference_.count() <= reference_.rebuiltCount() + 1) {
                const int coordinate = anyCoordinate();
                done << "setTail " << coordinate;
                axis_.setTail(coordinate);
                reference_.edges.back() = std::max(reference_.edgeAt(reference_.count()), coordinate);
            }
            break;
        case 8: {
            const int coordinate = anyCoordinate();
            done << "raiseTail " << coordinate;
            axis_.raiseTail(coordinate);
            reference_.edges.back() = std::max(reference_.edges.back(), coordinate);
            break;
        }
        default:
            done << "rebuild";
            axis_.rebuildEdges();
            reference_.rebuild();
        }
        return done.str();
    }

    const CellAxis& axis() const { return axis_; }
    const ReferenceAxis& reference() const { return reference_; }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int anySize()
    {
        static constexpr int sizes[] = {0, 1, 7, 16, 16, 16, 40};
        return sizes[pick(0, 6)];
    }
    int anyCoordinate() { return pick(-20, reference_.edges.back() + 60); }

    std::mt19937 random_;
    CellAxis axis_;
    ReferenceAxis reference_;
};

TEST(CellAxisRuns, RandomEditsAnswerAsAPlainArrayOfSizesDoes)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        AxisModel model(seed);
        std::vector<std::string> steps;
        for (int i = 0; i < 400; ++i) {
            steps.push_back(model.step());
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(i) + ": " + steps.back());
            expectSame(model.axis(), model.reference());
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(CellAxisRuns, AMillionRowsOfOneHeightWithOneTallerRow)
{
    constexpr int rows = 1'000'000;
    constexpr int tall = 500'000;
    CellAxis axis;
    axis.insert(0, rows, 16);
    axis.setSize(tall, 40);
    axis.rebuildEdges();
    EXPECT_EQ(axis.size(tall - 1), 16);
    EXPECT_EQ(axis.size(tall), 40);
    EXPECT_EQ(axis.size(tall + 1), 16);
    EXPECT_EQ(axis.start(tall), tall * 16);
    EXPECT_EQ(axis.end(tall), tall * 16 + 40);
    EXPECT_EQ(axis.edge(rows), (rows - 1) * 16 + 40);
    EXPECT_EQ(axis.total(), (rows - 1) * 16 + 40);
    EXPECT_EQ(axis.indexAt(tall * 16 - 1), tall - 1);
    EXPECT_EQ(axis.indexAt(tall * 16 + 39), tall);
    EXPECT_EQ(axis.indexAt(tall * 16 + 40), tall + 1);
    EXPECT_EQ(axis.indexAt(axis.total() - 1), rows - 1);
    EXPECT_EQ(axis.indexAt(axis.total()), rows);

    // Back to one height, then rows taken out around where the tall one was.
    axis.setSize(tall, 16);
    axis.erase(tall - 10, 20);
    axis.rebuildEdges();
    EXPECT_EQ(axis.count(), rows - 20);
    EXPECT_EQ(axis.total(), (rows - 20) * 16);
    EXPECT_EQ(axis.indexAt(tall * 16), tall);
}

TEST(CellAxisRuns, ErasingEverythingLeavesAnEmptyAxisThatGrowsAgain)
{
    CellAxis axis;
    axis.insert(0, 4, 10);
    axis.setSize(2, 3);
    axis.rebuildEdges();
    axis.erase(0, 4);
    axis.rebuildEdges();
    EXPECT_EQ(axis.count(), 0);
    EXPECT_EQ(axis.total(), 0);
    EXPECT_EQ(axis.edge(0), 0);
    EXPECT_EQ(axis.edge(7), 0);
    EXPECT_EQ(axis.indexAt(0), 0);
    EXPECT_EQ(axis.indexAt(50), 0);
    axis.setTail(30);
    EXPECT_EQ(axis.end(0), 30);

    axis.insert(0, 2, 5);
    axis.rebuildEdges();
    EXPECT_EQ(axis.total(), 10);
    EXPECT_EQ(axis.end(2), 10);          // the rebuild dropped the widened tail
    EXPECT_EQ(axis.indexAt(7), 1);
}

TEST(CellAxisRuns, InsertingAtTheEndExtendsOrAddsARun)
{
    CellAxis axis;
    axis.insert(0, 3, 10);
    axis.insert(3, 2, 5);
    axis.insert(5, 1, 5);
    axis.rebuildEdges();
    EXPECT_EQ(axis.count(), 6);
    EXPECT_EQ(axis.size(2), 10);
    EXPECT_EQ(axis.size(3), 5);
    EXPECT_EQ(axis.size(5), 5);
    EXPECT_EQ(axis.total(), 45);
    EXPECT_EQ(axis.start(5), 40);
    EXPECT_EQ(axis.indexAt(39), 4);
    EXPECT_EQ(axis.indexAt(44), 5);
    EXPECT_EQ(axis.indexAt(45), 6);
}

TEST(CellAxisRuns, EdgesPastTheLargestIntWrapAsThirtyTwoBitSums)
{
    CellAxis axis;
    axis.insert(0, 3, 1 << 30);
    axis.insert(1, 1, 5);
    axis.rebuildEdges();
    ReferenceAxis reference;
    reference.sizes = {1 << 30, 5, 1 << 30, 1 << 30};
    reference.rebuild();
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(axis.edge(i), reference.edgeAt(i)) << i;
    EXPECT_EQ(axis.end(4), reference.edgeAt(5));
    EXPECT_EQ(axis.total(), reference.edgeAt(4));
}

} // namespace
} // namespace grid
