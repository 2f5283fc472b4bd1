#include "core/anchor_lines.h"

namespace core {

void AnchorLines::add(std::int32_t line)
{
    if (m_next.empty()) {
        m_next.resize(static_cast<std::size_t>(m_lineCount) + 1);
        for (std::size_t k = 0; k < m_next.size(); ++k)
            m_next[k] = static_cast<std::int32_t>(k) + 1;
        m_next.back() = none();
    }
    m_next[static_cast<std::size_t>(line)] = line;
}

void AnchorLines::remove(std::int32_t line)
{
    m_next[static_cast<std::size_t>(line)] = line + 1;
}

std::int32_t AnchorLines::firstFrom(std::int32_t from)
{
    if (m_next.empty())
        return none();
    std::int32_t at = from;
    while (m_next[static_cast<std::size_t>(at)] != at) {
        std::int32_t& step = m_next[static_cast<std::size_t>(at)];
        step = m_next[static_cast<std::size_t>(step)];
        at = step;
    }
    return at;
}

} // namespace core
