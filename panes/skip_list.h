#pragma once

#include <optional>
#include <vector>

namespace panes {

// The rows of the differences that EasyJoin skipped, in the order they were skipped. They
// are plain row numbers: rows inserted or removed later do not move them.
class SkipList {
public:
    bool empty() const { return m_rows.empty(); }
    const std::vector<unsigned>& rows() const { return m_rows; }
    void clear() { m_rows.clear(); }

    // Appends the row unless it is in the list already.
    void add(unsigned row);
    std::optional<unsigned> first() const;
    // The entry after the row's, the first after the last; none when the row is not listed.
    std::optional<unsigned> next(unsigned row) const;

    struct Removal {
        bool removed = false;
        // Where to go next: the entry that took the removed one's place, or the first
        // when the last was removed; none when the list is now empty.
        std::optional<unsigned> next;
    };
    Removal remove(unsigned row);

private:
    std::vector<unsigned> m_rows;
};

} // namespace panes
