#pragma once

#include <cstddef>
#include <vector>

namespace grid {

// The sizes of the sections along one direction (columns or rows) and their edges.
// The edge array has count + 2 entries: entry 0 is 0, entry i + 1 is entry i plus the size
// of section i, and the last entry repeats entry count until raiseTail() widens it, so that
// the space past the last section counts as a section of its own. The edges are those of the
// last rebuildEdges(). Sizes and edges are kept as runs of sections of one size, so a million
// rows of one height cost one run, and every query is a binary search over the runs.
class CellAxis {
public:
    int count() const { return m_count; }
    bool contains(int index) const { return index >= 0 && index < count(); }
    int size(int index) const;
    void setSize(int index, int size);
    void setAll(int size);

    void insert(int index, int count, int size);
    void erase(int index, int count);

    // One step per run, not per section.
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
    // Sections from first up to the next run's first all have this size.
    struct Run {
        int first;
        int size;
    };
    using Runs = std::vector<Run>;

    static std::size_t runHolding(const Runs& runs, int index);
    // Makes a run start at this index and gives its place; count() gives the end of the runs.
    std::size_t splitAt(int index);
    void mergeEqualNeighbours();

    // Entry i of the edge array as of the last rebuild.
    int storedEdge(int i) const;
    // The last of entries 0 .. last (at most the rebuild's count) at or below the coordinate.
    int lastEdgeAtOrBelow(int coordinate, int last) const;

    Runs m_runs; // by first; neighbours differ in size
    int m_count = 0;
    // As of the last rebuild: its runs, closed by an empty run at its count, and each one's edge.
    Runs m_edgeRuns{{0, 0}};
    std::vector<int> m_runEdges{0};
    int m_edgeCount = 0;
    int m_tail = 0; // the repeated last entry
};

} // namespace grid
