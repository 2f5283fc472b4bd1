#pragma once

#include <cstdint>
#include <vector>

namespace core {

// Where each equality class occurs in one file, for a walk that only moves forward:
// firstFrom answers "the first line of this class at or after from" in amortised
// constant time as long as `from` never decreases for a class.
class LineOccurrences {
public:
    LineOccurrences(const std::vector<std::int32_t>& classes, std::int32_t classCount);

    std::int32_t none() const { return static_cast<std::int32_t>(m_lines.size()); }
    std::int32_t firstFrom(std::int32_t lineClass, std::int32_t from);
    // Before any firstFrom: the class has exactly one line here.
    bool occursOnce(std::int32_t lineClass) const { return end(lineClass) - begin(lineClass) == 1; }
    // Before any firstFrom: the first line of the class, or none().
    std::int32_t firstOf(std::int32_t lineClass) const;

private:
    std::int32_t begin(std::int32_t lineClass) const { return m_begin[static_cast<std::size_t>(lineClass)]; }
    std::int32_t end(std::int32_t lineClass) const { return m_begin[static_cast<std::size_t>(lineClass) + 1]; }

    // The lines in order of class, each class's lines in file order side by side, so a
    // cursor moves through adjacent memory.
    std::vector<std::int32_t> m_lines;
    std::vector<std::int32_t> m_begin;  // per class: where its lines start in m_lines; one more at the end
    std::vector<std::int32_t> m_cursor; // per class: no line before this place is asked for again
};

} // namespace core
