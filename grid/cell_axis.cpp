#include "grid/cell_axis.h"

#include <algorithm>
#include <cassert>

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
    edges_.assign(sizes_.size() + 2, 0);
    for (std::size_t i = 0; i < sizes_.size(); ++i)
        edges_[i + 1] = edges_[i] + sizes_[i];
    edges_.back() = edges_[sizes_.size()];
}

int CellAxis::edge(int index) const
{
    if (index < 0)
        return 0;
    return edges_[static_cast<std::size_t>(index % (count() + 1))];
}

int CellAxis::start(int index) const
{
    return edges_[static_cast<std::size_t>(std::clamp(index, 0, count()))];
}

int CellAxis::end(int index) const
{
    return edges_[static_cast<std::size_t>(std::clamp(index, 0, count()) + 1)];
}

void CellAxis::setTail(int coordinate)
{
    edges_.back() = std::max(edges_[static_cast<std::size_t>(count())], coordinate);
}

void CellAxis::raiseTail(int coordinate)
{
    edges_.back() = std::max(edges_.back(), coordinate);
}

int CellAxis::indexAt(int coordinate) const
{
    if (coordinate < 0)
        return 0;
    const auto first = edges_.begin();
    const auto last = first + count() + 1;
    return static_cast<int>(std::upper_bound(first, last, coordinate) - first) - 1;
}

} // namespace grid
