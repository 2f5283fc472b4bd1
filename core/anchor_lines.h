#pragma once

#include <cstdint>
#include <vector>

namespace core {

// The lines of one file that still have a partner, in file order: lines only leave the
// set, and "the first one at or after a line" costs almost constant time.
class AnchorLines {
public:
    explicit AnchorLines(std::int32_t lineCount) : m_lineCount(lineCount) {}

    void add(std::int32_t line);
    void remove(std::int32_t line);
    // The first line >= from that is in the set, or none().
    std::int32_t firstFrom(std::int32_t from);
    std::int32_t none() const { return m_lineCount; }

private:
    // Each line points at itself while it is in the set, else at a later line; the
    // pointers are shortened on the way (path halving). Taken only with the first
    // line: many pairs have no line that occurs once in each file.
    std::vector<std::int32_t> m_next;
    std::int32_t m_lineCount;
};

} // namespace core
