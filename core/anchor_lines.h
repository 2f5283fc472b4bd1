#pragma once

#include <cstdint>
#include <vector>

namespace core {

// The lines of one file that still have a partner, in file order: lines only leave the
// set, and "the first one at or after a line" costs almost constant time.
class AnchorLines {
public:
    explicit AnchorLines(std::int32_t lineCount);

    void add(std::int32_t line);
    void remove(std::int32_t line);
    // The first line >= from that is in the set, or none().
    std::int32_t firstFrom(std::int32_t from);
    std::int32_t none() const { return static_cast<std::int32_t>(m_next.size()) - 1; }

private:
    // Each line points at itself while it is in the set, else at a later line; the
    // pointers are shortened on the way (path halving).
    std::vector<std::int32_t> m_next;
};

} // namespace core
