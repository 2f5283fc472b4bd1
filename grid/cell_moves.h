#pragma once

#include <optional>

#include "framework/messages.h"
#include "grid/cell_geometry.h"

namespace grid {

// Turns one position message into the position it proposes, settled (clamped, with maximum
// origins and visible ranges recomputed) but not yet applied. Empty when the message does
// nothing for this grid (an unknown scroll code, a scroll without columns or rows).
std::optional<TCellPosition> proposeMove(CellGeometry& geometry, const TCellPosition& current,
                                         framework::MessageId message, framework::WParam wParam,
                                         framework::LParam lParam);

// True for the messages proposeMove understands.
bool isPositionMessage(framework::MessageId message);

} // namespace grid
