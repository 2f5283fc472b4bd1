#include "panes/skip_list.h"

#include <algorithm>

namespace panes {

void SkipList::add(unsigned row)
{
    if (std::find(m_rows.begin(), m_rows.end(), row) == m_rows.end())
        m_rows.push_back(row);
}

std::optional<unsigned> SkipList::first() const
{
    if (m_rows.empty())
        return std::nullopt;
    return m_rows.front();
}

std::optional<unsigned> SkipList::next(unsigned row) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), row);
    if (found == m_rows.end())
        return std::nullopt;
    return found + 1 == m_rows.end() ? m_rows.front() : *(found + 1);
}

SkipList::Removal SkipList::remove(unsigned row)
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), row);
    if (found == m_rows.end())
        return {};
    const auto place = m_rows.erase(found);
    if (m_rows.empty())
        return {true, std::nullopt};
    return {true, place == m_rows.end() ? m_rows.front() : *place};
}

} // namespace panes
