#include "settings/dir_pair_history.h"

#include <algorithm>
#include <cassert>

namespace settings {

DirPairHistory::DirPairHistory() : ProfileSection("dirs") {}

std::optional<std::string> DirPairHistory::FindPartner() const
{
    if (m_sources.empty())
        return std::nullopt;
    return m_sources.back();
}

std::optional<std::string> DirPairHistory::FindPartner(std::string_view name) const
{
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        // Folder names are case-sensitive here: /x/Src and /x/src are two folders.
        if (name == m_sources[i])
            return m_targets[i];
        if (name == m_targets[i])
            return m_sources[i];
    }
    return std::nullopt;
}

bool DirPairHistory::AddPair(std::string_view source, std::string_view target)
{
    const auto partner = FindPartner(source);
    if (partner && *partner == target)
        return true;
    m_sources.emplace_back(source);
    m_targets.emplace_back(target);
    if (m_sources.size() > kMaxPairs) {
        m_sources.erase(m_sources.begin());
        m_targets.erase(m_targets.begin());
    }
    return false;
}

void DirPairHistory::Exchange(bool save)
{
    assert(m_sources.size() == m_targets.size());
    int count = static_cast<int>(m_sources.size());
    ExchangeInt(save, "Count", count);
    if (!save) {
        // A file edited by hand may hold any count; the history never holds more than its limit.
        const auto length = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(kMaxPairs)));
        m_sources.resize(length);
        m_targets.resize(length);
    }
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        ExchangeString(save, "src" + std::to_string(i), m_sources[i]);
        ExchangeString(save, "dst" + std::to_string(i), m_targets[i]);
    }
}

} // namespace settings
