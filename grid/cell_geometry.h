#pragma once

#include "grid/cell_axis.h"
#include "grid/cell_records.h"

namespace grid {

// The fixed parts of the window around the data area, in pixels.
struct CellFrame {
    int windowWidth = 0;
    int windowHeight = 0;
    int border = 0;             // on each side
    int leftBand = 0;           // fixed row-header band
    int topBand = 0;            // header row band, with its gap
    int vScrollWidth = 0;
    int hScrollHeight = 0;
    bool hasVScroll = false;
    bool hasHScroll = false;
};

// The size of the data area and which scroll bars it leaves room for.
struct DataArea {
    int width = 0;
    int height = 0;
    bool vScroll = false;
    bool hScroll = false;
};

// The geometry of a grid: its three axes and its frame, and the rules that turn them into
// maximum origins and visible ranges.
class CellGeometry {
public:
    CellAxis columns;
    CellAxis fixedColumns;
    CellAxis rows;
    CellFrame frame;

    void rebuildEdges();

    // The data area for the current totals: a scroll bar takes room only when needed.
    DataArea dataArea() const;

    // Origins and current cell brought into range, then the maximum origins, visible ranges
    // and totals recomputed for them. Raises the tails of the column and row edges.
    void settle(TCellPosition& position);
    // Moves the origins so that the current cell lies inside the data area.
    void makeVisible(TCellPosition& position) const;

private:
    void computeRanges(TCellPosition& position, const DataArea& area);
};

} // namespace grid
