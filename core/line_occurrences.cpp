#include "core/line_occurrences.h"

namespace core {

LineOccurrences::LineOccurrences(const std::vector<std::int32_t>& classes, std::int32_t classCount)
    : m_lines(classes.size()), m_cursor(static_cast<std::size_t>(classCount), 0)
{
    // A counting sort that leaves each cursor at the start of its class's run.
    std::int32_t start = 0;
    for (const std::int32_t lineClass : classes)
        ++m_cursor[static_cast<std::size_t>(lineClass)];
    for (std::int32_t& cursor : m_cursor) {
        const std::int32_t lines = cursor;
        cursor = start;
        start += lines;
    }
    for (std::size_t k = 0; k < classes.size(); ++k)
        m_lines[static_cast<std::size_t>(m_cursor[static_cast<std::size_t>(classes[k])]++)] = static_cast<std::int32_t>(k);
    // Each cursor now stands at its run's end, which is the next run's start.
    std::int32_t runStart = 0;
    for (std::int32_t& cursor : m_cursor) {
        const std::int32_t runEnd = cursor;
        if (runEnd == runStart) {
            cursor = kAbsent;
            continue;
        }
        m_lines[static_cast<std::size_t>(runEnd - 1)] = ~m_lines[static_cast<std::size_t>(runEnd - 1)];
        cursor = runStart;
        runStart = runEnd;
    }
}

std::int32_t LineOccurrences::firstFrom(std::int32_t lineClass, std::int32_t from)
{
    std::int32_t& cursor = m_cursor[static_cast<std::size_t>(lineClass)];
    if (cursor == kAbsent)
        return none();
    for (;;) {
        const std::int32_t entry = m_lines[static_cast<std::size_t>(cursor)];
        if (lineOf(entry) >= from)
            return lineOf(entry);
        if (endsClass(entry))
            return none();
        ++cursor;
    }
}

bool LineOccurrences::occursOnce(std::int32_t lineClass) const
{
    const std::int32_t cursor = m_cursor[static_cast<std::size_t>(lineClass)];
    return cursor != kAbsent && endsClass(m_lines[static_cast<std::size_t>(cursor)]);
}

std::int32_t LineOccurrences::firstOf(std::int32_t lineClass) const
{
    const std::int32_t cursor = m_cursor[static_cast<std::size_t>(lineClass)];
    return cursor == kAbsent ? none() : lineOf(m_lines[static_cast<std::size_t>(cursor)]);
}

} // namespace core
