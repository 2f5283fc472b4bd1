#pragma once

#include <cstdint>
#include <vector>

namespace core {

// The aligned display rows of one pane: entry >= 0 is the index of the line shown in
// that row, entry < 0 marks a virtual (filler) row: -1 - k, k being the line that closes
// its block.
using RowMap = std::vector<std::int32_t>;

inline bool isVirtualRow(std::int32_t entry) { return entry < 0; }

} // namespace core
