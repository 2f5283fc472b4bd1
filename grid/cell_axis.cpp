#include "grid/cell_axis.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace grid {

namespace {

// The edge this many sections of one size past another, wrapping as 32-bit sums do.
int advance(int edge, int sections, int size)
{
    return static_cast<int>(static_cast<std::uint32_t>(edge) +
                            static_cast<std::uint32_t>(sections) * static_cast<std::uint32_t>(size));
}

} // namespace

std::size_t CellAxis::runHolding(const Runs& runs, int index)
{
    const auto after = std::upper_bound(runs.begin(), runs.end(), index,
                                        [](int i, const Run& run) { return i < run.first; });
    assert(after != runs.begin());
    return static_cast<std::size_t>(after - runs.begin()) - 1;
}

int CellAxis::size(int index) const
{
    assert(contains(index));
    return runs_[runHolding(runs_, index)].size;
}

void CellAxis::setSize(int index, int size)
{
    if (this->size(index) == size)
        return;
    const std::size_t place = splitAt(index);
    splitAt(index + 1);
    runs_[place].size = size;
    mergeEqualNeighbours();
}

void CellAxis::setAll(int size)
{
    if (count_ > 0)
        runs_.assign(1, Run{0, size});
}

void CellAxis::insert(int index, int count, int size)
{
    assert(index >= 0 && index <= this->count() && count > 0);
    const std::size_t place = splitAt(index);
    for (std::size_t i = place; i < runs_.size(); ++i)
        runs_[i].first += count;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(place), Run{index, size});
    count_ += count;
    mergeEqualNeighbours();
}

void CellAxis::erase(int index, int count)
{
    assert(index >= 0 && count >= 0 && index + count <= this->count());
    if (count == 0)
        return;
    const auto first = static_cast<std::ptrdiff_t>(splitAt(index));
    const auto last = static_cast<std::ptrdiff_t>(splitAt(index + count));
    runs_.erase(runs_.begin() + first, runs_.begin() + last);
    for (auto run = runs_.begin() + first; run != runs_.end(); ++run)
        run->first -= count;
    count_ -= count;
    mergeEqualNeighbours();
}

std::size_t CellAxis::splitAt(int index)
{
    if (index == count_)
        return runs_.size();
    const std::size_t holder = runHolding(runs_, index);
    if (runs_[holder].first == index)
        return holder;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(holder) + 1, Run{index, runs_[holder].size});
    return holder + 1;
}

void CellAxis::mergeEqualNeighbours()
{
    const auto sameSize = [](const Run& a, const Run& b) { return a.size == b.size; };
    runs_.erase(std::unique(runs_.begin(), runs_.end(), sameSize), runs_.end());
}

void CellAxis::rebuildEdges()
{
    edgeRuns_ = runs_;
    edgeRuns_.push_back(Run{count_, 0});
    runEdges_.resize(edgeRuns_.size());
    runEdges_[0] = 0;
    for (std::size_t i = 1; i < edgeRuns_.size(); ++i) {
        const Run& before = edgeRuns_[i - 1];
        runEdges_[i] = advance(runEdges_[i - 1], edgeRuns_[i].first - before.first, before.size);
    }
    edgeCount_ = count_;
    tail_ = runEdges_.back();
}

int CellAxis::storedEdge(int i) const
{
    assert(i >= 0 && i <= edgeCount_ + 1);
    if (i > edgeCount_)
        return tail_;
    const std::size_t run = runHolding(edgeRuns_, i);
    return advance(runEdges_[run], i - edgeRuns_[run].first, edgeRuns_[run].size);
}

int CellAxis::edge(int index) const
{
    if (index < 0)
        return 0;
    return storedEdge(index % (count() + 1));
}

int CellAxis::start(int index) const
{
    return storedEdge(std::clamp(index, 0, count()));
}

int CellAxis::end(int index) const
{
    return storedEdge(std::clamp(index, 0, count()) + 1);
}

void CellAxis::setTail(int coordinate)
{
    tail_ = std::max(storedEdge(count()), coordinate);
}

void CellAxis::raiseTail(int coordinate)
{
    tail_ = std::max(tail_, coordinate);
}

int CellAxis::indexAt(int coordinate) const
{
    if (coordinate < 0)
        return 0;
    // The search covers entries 0 .. count(); past the rebuild's count that takes in the tail.
    const int index = lastEdgeAtOrBelow(coordinate, std::min(count(), edgeCount_));
    return count() > edgeCount_ && tail_ <= coordinate ? index + 1 : index;
}

int CellAxis::lastEdgeAtOrBelow(int coordinate, int last) const
{
    const std::size_t run =
        static_cast<std::size_t>(std::upper_bound(runEdges_.begin(), runEdges_.end(), coordinate) - runEdges_.begin()) - 1;
    const Run& holder = edgeRuns_[run];
    // Only the closing run can be the last one at or below and have no size.
    if (run + 1 == edgeRuns_.size() || holder.size <= 0)
        return last;
    // Clamped to the run, for edges that wrapped past the largest int.
    const std::int64_t steps = (std::int64_t{coordinate} - runEdges_[run]) / holder.size;
    const std::int64_t inRun = std::clamp<std::int64_t>(steps, 0, edgeRuns_[run + 1].first - 1 - holder.first);
    return static_cast<int>(std::min<std::int64_t>(holder.first + inRun, last));
}

} // namespace grid
