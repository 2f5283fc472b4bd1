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

    std::int32_t none() const { return static_cast<std::int32_t>(m_next.size()); }
    std::int32_t firstFrom(std::int32_t lineClass, std::int32_t from);
    // Before any firstFrom: the class has exactly one line here.
    bool occursOnce(std::int32_t lineClass) const;
    // Before any firstFrom: the first line of the class, or none().
    std::int32_t firstOf(std::int32_t lineClass) const { return m_cursor[static_cast<std::size_t>(lineClass)]; }

private:
    std::vector<std::int32_t> m_next;   // per line: the next line of its class, or none()
    std::vector<std::int32_t> m_cursor; // per class: no line of it lies before this one that is still asked for
};

} // namespace core
