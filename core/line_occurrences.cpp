#include "core/line_occurrences.h"

namespace core {

LineOccurrences::LineOccurrences(const std::vector<std::int32_t>& classes, std::int32_t classCount)
    : m_lines(classes.size()), m_begin(static_cast<std::size_t>(classCount) + 1)
{
    for (const std::int32_t lineClass : classes)
        ++m_begin[static_cast<std::size_t>(lineClass) + 1];
    for (std::size_t c = 1; c < m_begin.size(); ++c)
        m_begin[c] += m_begin[c - 1];
    m_cursor.assign(m_begin.begin(), m_begin.end() - 1);
    for (std::size_t k = 0; k < classes.size(); ++k)
        m_lines[static_cast<std::size_t>(m_cursor[static_cast<std::size_t>(classes[k])]++)] = static_cast<std::int32_t>(k);
    m_cursor.assign(m_begin.begin(), m_begin.end() - 1);
}

std::int32_t LineOccurrences::firstFrom(std::int32_t lineClass, std::int32_t from)
{
    std::int32_t& cursor = m_cursor[static_cast<std::size_t>(lineClass)];
    const std::int32_t last = end(lineClass);
    while (cursor < last && m_lines[static_cast<std::size_t>(cursor)] < from)
        ++cursor;
    return cursor < last ? m_lines[static_cast<std::size_t>(cursor)] : none();
}

std::int32_t LineOccurrences::firstOf(std::int32_t lineClass) const
{
    return end(lineClass) > begin(lineClass) ? m_lines[static_cast<std::size_t>(begin(lineClass))] : none();
}

} // namespace core
