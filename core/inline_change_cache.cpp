#include "core/inline_change_cache.h"

namespace core {

const InlineChanges& InlineChangeCache::changesFor(std::int32_t row, std::string_view source,
                                                   std::string_view target, bool ignoreBlanks)
{
    if (const auto found = m_rows.find(row); found != m_rows.end()) {
        const Entry& entry = found->second;
        if (entry.ignoreBlanks == ignoreBlanks && entry.source == source && entry.target == target)
            return entry.changes;
    }
    if (m_rows.size() >= kMostRows)
        m_rows.clear();
    Entry& entry = m_rows[row];
    entry.source.assign(source);
    entry.target.assign(target);
    entry.ignoreBlanks = ignoreBlanks;
    entry.changes = m_finder.find(source, target, ignoreBlanks);
    return entry.changes;
}

} // namespace core
