#include "core/line_occurrences.h"

namespace core {

LineOccurrences::LineOccurrences(const std::vector<std::int32_t>& classes, std::int32_t classCount)
    : m_next(classes.size()), m_cursor(static_cast<std::size_t>(classCount), static_cast<std::int32_t>(classes.size()))
{
    for (std::size_t k = classes.size(); k-- > 0;) {
        std::int32_t& first = m_cursor[static_cast<std::size_t>(classes[k])];
        m_next[k] = first;
        first = static_cast<std::int32_t>(k);
    }
}

std::int32_t LineOccurrences::firstFrom(std::int32_t lineClass, std::int32_t from)
{
    std::int32_t& cursor = m_cursor[static_cast<std::size_t>(lineClass)];
    while (cursor < from)
        cursor = m_next[static_cast<std::size_t>(cursor)];
    return cursor;
}

bool LineOccurrences::occursOnce(std::int32_t lineClass) const
{
    const std::int32_t first = firstOf(lineClass);
    return first != none() && m_next[static_cast<std::size_t>(first)] == none();
}

} // namespace core
