#include "grid/row_flags.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace grid {

void RowFlags::set(std::size_t row, std::uint8_t flags)
{
    m_bytes[row] = flags;
    if (flags != 0)
        noteFlagged(row);
}

void RowFlags::noteFlagged(std::size_t row)
{
    if (m_flaggedFirst == m_flaggedEnd) {
        m_flaggedFirst = row;
        m_flaggedEnd = row + 1;
        return;
    }
    m_flaggedFirst = std::min(m_flaggedFirst, row);
    m_flaggedEnd = std::max(m_flaggedEnd, row + 1);
}

void RowFlags::insert(std::size_t at, std::size_t count)
{
    if (count == 0)
        return;
    const std::size_t size = m_size + count;
    if (size > m_capacity) {
        // Fresh zero bytes: only the rows kept are written.
        const std::size_t capacity = std::max(size, m_capacity + m_capacity / 2);
        std::unique_ptr<std::uint8_t[], FreeBytes> bytes(static_cast<std::uint8_t*>(std::calloc(capacity, 1)));
        if (!bytes)
            throw std::bad_alloc();
        if (m_size != 0) {
            std::memcpy(bytes.get(), m_bytes.get(), at);
            std::memcpy(bytes.get() + at + count, m_bytes.get() + at, m_size - at);
        }
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    } else {
        std::memmove(m_bytes.get() + at + count, m_bytes.get() + at, m_size - at);
        std::memset(m_bytes.get() + at, 0, count);
    }
    m_size = size;
    if (m_flaggedFirst == m_flaggedEnd)
        return;
    if (at <= m_flaggedFirst)
        m_flaggedFirst += count;
    if (at < m_flaggedEnd)
        m_flaggedEnd += count;
}

void RowFlags::erase(std::size_t first, std::size_t count)
{
    std::memmove(m_bytes.get() + first, m_bytes.get() + first + count, m_size - first - count);
    m_size -= count;
    // Rows past the erased ones move up; a bound inside them goes to where they were.
    const auto moved = [first, count](std::size_t row) { return row >= first + count ? row - count : std::min(row, first); };
    m_flaggedFirst = moved(m_flaggedFirst);
    m_flaggedEnd = moved(m_flaggedEnd);
}

void RowFlags::resize(std::size_t count)
{
    if (count > m_size) {
        insert(m_size, count - m_size);
        return;
    }
    m_size = count;
    m_flaggedEnd = std::min(m_flaggedEnd, count);
    m_flaggedFirst = std::min(m_flaggedFirst, m_flaggedEnd);
}

std::size_t RowFlags::next(std::size_t from, std::uint8_t bits) const
{
    const std::uint8_t* flags = m_bytes.get();
    for (std::size_t row = std::max(from, m_flaggedFirst); row < m_flaggedEnd; ++row) {
        if ((flags[row] & bits) != 0)
            return row;
    }
    return m_size;
}

} // namespace grid
