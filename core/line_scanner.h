#pragma once

#include <cstddef>

namespace core {

// Bytes a buffer handed to findLineEnd must have addressable after its end: the scan
// reads whole blocks and ignores what lies beyond.
constexpr std::size_t kLineScanSlack = 16;

struct LineEnd {
    const char* at = nullptr;      // the first '\n', or the end of the buffer
    const char* lastTab = nullptr; // the last tab before it, or null
};

// One pass over [begin, end) for the line end and its tabs, so that a line without
// tabs, or with tabs only in its indentation, needs no second search.
LineEnd findLineEnd(const char* begin, const char* end);

} // namespace core
