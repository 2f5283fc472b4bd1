#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace grid {

// One byte of flags per row, zero for a new row. A pair of millions of rows makes as many
// rows at once, and mostly none of them ever gets a flag: the bytes come from calloc, which
// the system hands out as untouched zero pages, and the rows that may hold flags are kept as
// a range that searches stay within. Writing or even reading a million untouched bytes costs
// tens of milliseconds on a virtual machine.
class RowFlags {
public:
    std::size_t size() const { return m_size; }
    std::uint8_t operator[](std::size_t row) const { return m_bytes[row]; }
    void set(std::size_t row, std::uint8_t flags);
    // Sets every row's flags to change(flags).
    template <typename Change>
    void changeAll(Change change);

    // count zero rows before row at (at == size() appends).
    void insert(std::size_t at, std::size_t count);
    void erase(std::size_t first, std::size_t count);
    // Adds zero rows or drops rows at the end.
    void resize(std::size_t count);

    // The first row from `from` on whose flags hold any of bits; size() when none.
    std::size_t next(std::size_t from, std::uint8_t bits) const;

private:
    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    void noteFlagged(std::size_t row);

    std::unique_ptr<std::uint8_t[], FreeBytes> m_bytes;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    // Rows outside first .. end - 1 have no flags; the range may be wider than needed.
    std::size_t m_flaggedFirst = 0;
    std::size_t m_flaggedEnd = 0;
};

template <typename Change>
void RowFlags::changeAll(Change change)
{
    m_flaggedFirst = m_flaggedEnd = 0;
    for (std::size_t row = 0; row < m_size; ++row) {
        m_bytes[row] = change(m_bytes[row]);
        if (m_bytes[row] != 0)
            noteFlagged(row);
    }
}

} // namespace grid
