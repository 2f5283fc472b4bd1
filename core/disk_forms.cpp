#include "core/disk_forms.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace core {

bool DiskForms::isCompact(std::string_view prefix, std::size_t covered, std::string_view trailing)
{
    if (prefix.size() > kMostCompactTabs || trailing.size() > kMostCompactBlanks)
        return false;
    if (!prefix.empty() && (covered % prefix.size() != 0 || covered / prefix.size() > kMostCompactTabSize))
        return false;
    return std::all_of(prefix.begin(), prefix.end(), [](char c) { return c == '\t'; }) &&
           std::all_of(trailing.begin(), trailing.end(), [](char c) { return c == ' '; });
}

void DiskForms::add(std::int32_t index, std::string_view prefix, std::size_t covered, std::string_view trailing)
{
    assert(m_entries.empty() || m_entries.back().index < index);
    if (prefix.empty() && trailing.empty())
        return;
    if (isCompact(prefix, covered, trailing)) {
        const auto tabSize = static_cast<std::uint32_t>(prefix.empty() ? 0 : covered / prefix.size());
        const auto tabs = static_cast<std::uint32_t>(prefix.size());
        const auto blanks = static_cast<std::uint32_t>(trailing.size());
        m_entries.push_back({index, kCompact | tabSize << kTabSizeShift | tabs << kTabsShift | blanks});
        return;
    }
    char* bytes = m_bytes.allocate(prefix.size() + trailing.size());
    std::memcpy(bytes, prefix.data(), prefix.size());
    std::memcpy(bytes + prefix.size(), trailing.data(), trailing.size());
    assert(m_wide.size() < kCompact);
    m_entries.push_back({index, static_cast<std::uint32_t>(m_wide.size())});
    m_wide.push_back({bytes, static_cast<std::uint32_t>(prefix.size()), static_cast<std::uint32_t>(trailing.size()),
                      covered});
}

const DiskForms::Entry* DiskForms::find(std::int32_t index) const
{
    const auto found = std::lower_bound(m_entries.begin(), m_entries.end(), index,
                                        [](const Entry& entry, std::int32_t wanted) { return entry.index < wanted; });
    return found == m_entries.end() || found->index != index ? nullptr : &*found;
}

void DiskForms::appendBytes(std::int32_t index, std::string_view text, std::string& out) const
{
    const Entry* entry = find(index);
    if (entry == nullptr) {
        out += text;
        return;
    }
    if ((entry->form & kCompact) != 0) {
        const std::uint32_t tabs = compactTabs(*entry);
        out.append(tabs, '\t');
        out += text.substr(std::min(compactCovered(*entry), text.size()));
        out.append(compactBlanks(*entry), ' ');
        return;
    }
    const Wide& wide = m_wide[entry->form];
    out.append(wide.bytes, wide.prefixLength);
    out += text.substr(std::min(wide.covered, text.size()));
    out.append(wide.bytes + wide.prefixLength, wide.trailingLength);
}

void DiskForms::dropFrom(std::int32_t index)
{
    while (!m_entries.empty() && m_entries.back().index >= index) {
        if ((m_entries.back().form & kCompact) == 0)
            m_wide.pop_back();
        m_entries.pop_back();
    }
}

void DiskForms::clear()
{
    m_entries.clear();
    m_wide.clear();
    m_bytes.clear();
}

} // namespace core
