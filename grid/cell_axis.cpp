#include "grid/cell_axis.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <functional>

namespace grid {

void CellAxis::setAll(int size)
{
    std::fill(sizes_.begin(), sizes_.end(), size);
}

void CellAxis::insert(int index, int count, int size)
{
    assert(index >= 0 && index <= this->count() && count > 0);
    sizes_.insert(sizes_.begin() + index, static_cast<std::size_t>(count), size);
}

void CellAxis::erase(int index, int count)
{
    assert(index >= 0 && count >= 0 && index + count <= this->count());
    sizes_.erase(sizes_.begin() + index, sizes_.begin() + index + count);
}

void CellAxis::assign(const std::vector<int>& sizes)
{
    sizes_ = sizes;
}

void CellAxis::rebuildEdges()
{
    const bool uniform =
        std::adjacent_find(sizes_.begin(), sizes_.end(), std::not_equal_to<>()) == sizes_.end();
    uniformEdges_ = uniform;
    if (uniform) {
        edges_.clear();
        edges_.shrink_to_fit();
        edgeCount_ = count();
        edgeSize_ = sizes_.empty() ? 0 : sizes_.front();
        tail_ = storedEdge(edgeCount_);
        return;
    }
    edges_.assign(sizes_.size() + 2, 0);
    for (std::size_t i = 0; i < sizes_.size(); ++i)
        edges_[i + 1] = edges_[i] + sizes_[i];
    edges_.back() = edges_[sizes_.size()];
}

int CellAxis::storedEdge(int i) const
{
    if (!uniformEdges_)
        return edges_[static_cast<std::size_t>(i)];
    assert(i >= 0 && i <= edgeCount_ + 1);
    // Wraps as the sums of the stored array would.
    return i <= edgeCount_ ? static_cast<int>(static_cast<std::uint32_t>(i) * static_cast<std::uint32_t>(edgeSize_))
                           : tail_;
}

int& CellAxis::tail()
{
    return uniformEdges_ ? tail_ : edges_.back();
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
    tail() = std::max(storedEdge(count()), coordinate);
}

void CellAxis::raiseTail(int coordinate)
{
    tail() = std::max(tail(), coordinate);
}

int CellAxis::indexAt(int coordinate) const
{
    if (coordinate < 0)
        return 0;
    if (uniformEdges_)
        return indexAtUniform(coordinate);
    const auto first = edges_.begin();
    const auto last = first + count() + 1;
    return static_cast<int>(std::upper_bound(first, last, coordinate) - first) - 1;
}

// The same search over entries 0 .. count() of the worked-out edges.
int CellAxis::indexAtUniform(int coordinate) const
{
    const int sizedEntries = std::min(count(), edgeCount_);
    int atOrBelow = edgeSize_ <= 0 ? sizedEntries + 1 : std::min(coordinate / edgeSize_, sizedEntries) + 1;
    if (count() > edgeCount_ && tail_ <= coordinate)
        ++atOrBelow;
    return atOrBelow - 1;
}

} // namespace grid
