#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/line_units.h"

namespace core {

// A stretch of a line's bytes, [start, end).
struct TextStretch {
    std::uint32_t start = 0;
    std::uint32_t end = 0;

    bool operator==(const TextStretch&) const = default;
};

// What differs between two facing lines: the stretches of each that the other lacks.
// Both empty when the lines have little in common (the whole line is the change) or
// nothing differs.
struct InlineChanges {
    std::vector<TextStretch> source;
    std::vector<TextStretch> target;
};

// The most steps the unit alignment may take; past it the whole of both lines is marked.
// It keeps the first paint of a row of two 4998-byte lines within a millisecond.
constexpr std::int64_t kInlineWorkBound = 60'000;

// Finds what changed inside a pair of lines: aligns the units of both on a longest common
// subsequence (the fewest units marked), groups the unmatched units into stretches and
// trims each pair of facing stretches by the characters they share at both ends. With
// ignoreBlanks, blanks are not compared and so never marked on their own.
// A finder keeps its working room from one pair to the next, so that finding the changes
// of row after row allocates next to nothing.
class InlineChangeFinder {
public:
    // Makes the room two pieces of kPieceSize bytes need, so that even the first pair
    // found costs no more than any other.
    InlineChangeFinder();

    InlineChanges find(std::string_view source, std::string_view target, bool ignoreBlanks);

private:
    bool align();
    void traceBack(int depth);
    bool same(int x, int y) const
    {
        return sameUnit(m_source, m_sourceUnits[static_cast<std::size_t>(x)], m_target,
                        m_targetUnits[static_cast<std::size_t>(y)]);
    }

    std::string_view m_source;
    std::string_view m_target;
    std::vector<LineUnit> m_sourceUnits;
    std::vector<LineUnit> m_targetUnits;
    // The furthest x on each diagonal, and the same after every round of the alignment.
    std::vector<int> m_furthest;
    std::vector<int> m_rounds;
    std::vector<bool> m_sourceMatched;
    std::vector<bool> m_targetMatched;
};

// The changes of one pair, with a finder of its own.
InlineChanges findInlineChanges(std::string_view source, std::string_view target, bool ignoreBlanks);

} // namespace core
