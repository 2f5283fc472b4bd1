#pragma once

#include <cstdint>
#include <vector>

namespace grid {

// The sizes of the sections along one direction (columns or rows) and their edges.
// The edge array has count + 2 entries: entry 0 is 0, entry i + 1 is entry i plus the size
// of section i, and the last entry repeats entry count until raiseTail() widens it, so that
// the space past the last section counts as a section of its own. The edges are those of the
// last rebuildEdges(); when every section had one size then, they are worked out from it
// rather than stored (a million rows of one height need no array of edges).
class CellAxis {
public:
    int count() const { return static_cast<int>(sizes_.size()); }
    bool contains(int index) const { return index >= 0 && index < count(); }
    int size(int index) const { return sizes_[static_cast<std::size_t>(index)]; }
    void setSize(int index, int size) { sizes_[static_cast<std::size_t>(index)] = size; }
    void setAll(int size);
    const std::vector<int>& sizes() const { return sizes_; }

    void insert(int index, int count, int size);
    void erase(int index, int count);
    void assign(const std::vector<int>& sizes);

    void rebuildEdges();
    // The edge of section i, taken modulo count + 1; a negative index gives 0.
    int edge(int index) const;
    // Start and end of section i, where section count is the space past the last one.
    int start(int index) const;
    int end(int index) const;
    int total() const { return storedEdge(count()); }
    // Sets the repeated last entry to this coordinate, or to entry count when that is larger.
    void setTail(int coordinate);
    // Raises the repeated last entry to at least this coordinate.
    void raiseTail(int coordinate);

    // The section holding this coordinate: a coordinate on an edge belongs to the section
    // starting there; below 0 gives 0, at or past the last edge gives count.
    int indexAt(int coordinate) const;

private:
    // Entry i of the edge array as of the last rebuild.
    int storedEdge(int i) const;
    int& tail();
    int indexAtUniform(int coordinate) const;

    std::vector<int> sizes_;
    std::vector<int> edges_{0, 0};   // empty while the edges are uniform
    bool uniformEdges_ = false;
    int edgeCount_ = 0;              // uniform edges: the sections at the last rebuild
    int edgeSize_ = 0;               // and their one size
    int tail_ = 0;                   // uniform edges: the repeated last entry
};

} // namespace grid
