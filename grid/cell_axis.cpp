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
    return m_runs[runHolding(m_runs, index)].size;
}

void CellAxis::setSize(int index, int size)
{
    if (this->size(index) == size)
        return;
    const std::size_t place = splitAt(index);
    splitAt(index + 1);
    m_runs[place].size = size;
    mergeEqualNeighbours();
}

void CellAxis::setAll(int size)
{
    if (m_count > 0)
        m_runs.assign(1, Run{0, size});
}

void CellAxis::insert(int index, int count, int size)
{
    assert(index >= 0 && index <= this->count() && count > 0);
    const std::size_t place = splitAt(index);
    for (std::size_t i = place; i < m_runs.size(); ++i)
        m_runs[i].first += count;
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(place), Run{index, size});
    m_count += count;
    mergeEqualNeighbours();
}

void CellAxis::erase(int index, int count)
{
    assert(index >= 0 && count >= 0 && index + count <= this->count());
    if (count == 0)
        return;
    const auto first = static_cast<std::ptrdiff_t>(splitAt(index));
    const auto last = static_cast<std::ptrdiff_t>(splitAt(index + count));
    m_runs.erase(m_runs.begin() + first, m_runs.begin() + last);
    for (auto run = m_runs.begin() + first; run != m_runs.end(); ++run)
        run->first -= count;
    m_count -= count;
    mergeEqualNeighbours();
}

std::size_t CellAxis::splitAt(int index)
{
    if (index == m_count)
        return m_runs.size();
    const std::size_t holder = runHolding(m_runs, index);
    if (m_runs[holder].first == index)
        return holder;
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(holder) + 1, Run{index, m_runs[holder].size});
    return holder + 1;
}

void CellAxis::mergeEqualNeighbours()
{
    const auto sameSize = [](const Run& a, const Run& b) { return a.size == b.size; };
    m_runs.erase(std::unique(m_runs.begin(), m_runs.end(), sameSize), m_runs.end());
}

void CellAxis::rebuildEdges()
{
    m_edgeRuns = m_runs;
    m_edgeRuns.push_back(Run{m_count, 0});
    m_runEdges.resize(m_edgeRuns.size());
    m_runEdges[0] = 0;
    for (std::size_t i = 1; i < m_edgeRuns.size(); ++i) {
        const Run& before = m_edgeRuns[i - 1];
        m_runEdges[i] = advance(m_runEdges[i - 1], m_edgeRuns[i].first - before.first, before.size);
    }
    m_edgeCount = m_count;
    m_tail = m_runEdges.back();
}

int CellAxis::storedEdge(int i) const
{
    assert(i >= 0 && i <= m_edgeCount + 1);
    if (i > m_edgeCount)
        return m_tail;
    const std::size_t run = runHolding(m_edgeRuns, i);
    return advance(m_runEdges[run], i - m_edgeRuns[run].first, m_edgeRuns[run].size);
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
    m_tail = std::max(storedEdge(count()), coordinate);
}

void CellAxis::raiseTail(int coordinate)
{
    m_tail = std::max(m_tail, coordinate);
}

int CellAxis::indexAt(int coordinate) const
{
    if (coordinate < 0)
        return 0;
    // The search covers entries 0 .. count(); past the rebuild's count that takes in the tail.
    const int index = lastEdgeAtOrBelow(coordinate, std::min(count(), m_edgeCount));
    return count() > m_edgeCount && m_tail <= coordinate ? index + 1 : index;
}

int CellAxis::lastEdgeAtOrBelow(int coordinate, int last) const
{
    const std::size_t run =
        static_cast<std::size_t>(std::upper_bound(m_runEdges.begin(), m_runEdges.end(), coordinate) - m_runEdges.begin()) - 1;
    const Run& holder = m_edgeRuns[run];
    // Only the closing run can be the last one at or below and have no size.
    if (run + 1 == m_edgeRuns.size() || holder.size <= 0)
        return last;
    // Clamped to the run, for edges that wrapped past the largest int.
    const std::int64_t steps = (std::int64_t{coordinate} - m_runEdges[run]) / holder.size;
    const std::int64_t inRun = std::clamp<std::int64_t>(steps, 0, m_edgeRuns[run + 1].first - 1 - holder.first);
    return static_cast<int>(std::min<std::int64_t>(holder.first + inRun, last));
}

} // namespace grid
