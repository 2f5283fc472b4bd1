#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/inline_changes.h"

namespace core {

// The changes inside the rows a pane has painted, each found once and kept while the row
// shows the same two texts. An entry holds the texts it was found for and is used only
// while they are still the row's: an edit, a copy, an undo or a rescan that puts other
// lines into the row, or moves rows, finds new changes, never stale ones.
class InlineChangeCache {
public:
    // Enough for several screens of rows; past it the cache starts afresh.
    static constexpr std::size_t kMostRows = 512;

    const InlineChanges& changesFor(std::int32_t row, std::string_view source, std::string_view target,
                                    bool ignoreBlanks);
    void clear() { m_rows.clear(); }
    std::size_t size() const { return m_rows.size(); }

private:
    struct Entry {
        std::string source;
        std::string target;
        bool ignoreBlanks = false;
        InlineChanges changes;
    };

    std::unordered_map<std::int32_t, Entry> m_rows;
    InlineChangeFinder m_finder;
};

} // namespace core
