#pragma once

#include <cstdint>

namespace core {

// What a line is in the current comparison; the numbers index the colour table.
enum class LineState : std::uint8_t {
    Same = 0,       // paired with an equal line of the other file
    SourceOnly = 1, // in a difference block with lines in the source only
    TargetOnly = 2, // in a difference block with lines in the destination only
    Changed = 3,    // in a difference block with lines on both sides
    Edited = 4,     // put into the file by an edit or a copy
};

} // namespace core
