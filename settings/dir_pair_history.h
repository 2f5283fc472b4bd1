#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_section.h"

namespace settings {

// The remembered (source folder, target folder) pairs, oldest first; section "dirs".
class DirPairHistory : public ProfileSection {
public:
    static constexpr std::size_t kMaxPairs = 10;

    DirPairHistory();

    std::size_t size() const { return m_sources.size(); }
    bool empty() const { return m_sources.empty(); }
    const std::vector<std::string>& sources() const { return m_sources; }
    const std::vector<std::string>& targets() const { return m_targets; }

    // The source folder of the newest pair; nothing when the history is empty.
    std::optional<std::string> FindPartner() const;
    // The other member of the first (oldest) pair that holds name on either side, letter
    // case counting; nothing when no pair holds it.
    std::optional<std::string> FindPartner(std::string_view name) const;
    // True (and no change) when source's partner already is target; else appends the
    // pair, drops the oldest beyond kMaxPairs and returns false.
    bool AddPair(std::string_view source, std::string_view target);

    void Exchange(bool save) override;

private:
    std::vector<std::string> m_sources;
    std::vector<std::string> m_targets;
};

} // namespace settings
