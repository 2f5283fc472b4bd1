#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "core/text_store.h"

namespace core {

// What turns the display texts of a file's lines back into their bytes on disk, kept only for
// the lines whose bytes differ from their text: those with tabs or trailing white space. A
// line's bytes are a prefix that stands for the first `covered` bytes of its text (the bytes
// up to and including its last tab), the rest of the text as it is, and the white space that
// was cut off its end. A line whose prefix is all tabs and whose cut-off end is all blanks (the
// most common such lines) costs eight bytes.
class DiskForms {
public:
    // Remembers the line at index, which must come after every line remembered so far.
    // prefix: the bytes up to and including the last tab (empty without tabs); covered: the
    // length of the expanded prefix in the text; trailing: the white space cut off.
    void add(std::int32_t index, std::string_view prefix, std::size_t covered, std::string_view trailing);
    // Appends the bytes of the line at index, whose display text is text, to out.
    void appendBytes(std::int32_t index, std::string_view text, std::string& out) const;
    // Forgets the lines from index on.
    void dropFrom(std::int32_t index);
    void clear();

private:
    // A line indented with at most kMostCompactTabs tabs of at most kMostCompactTabSize
    // blanks each and ending in at most kMostCompactBlanks cut-off blanks, nothing else
    // differing, is held in its entry alone.
    static constexpr std::uint32_t kCompact = 1u << 31;
    static constexpr unsigned kTabSizeShift = 25;
    static constexpr unsigned kTabsShift = 12;
    static constexpr std::uint32_t kMostCompactTabSize = (kCompact >> kTabSizeShift) - 1;
    static constexpr std::uint32_t kMostCompactTabs = (1u << (kTabSizeShift - kTabsShift)) - 1;
    static constexpr std::uint32_t kMostCompactBlanks = (1u << kTabsShift) - 1;

    struct Entry {
        std::int32_t index;
        // kCompact | tab size << kTabSizeShift | tabs << kTabsShift | blanks, or a position in m_wide
        std::uint32_t form;
    };
    struct Wide {
        const char* bytes; // the prefix, then the trailing white space
        std::uint32_t prefixLength;
        std::uint32_t trailingLength;
        std::size_t covered;
    };

    static std::uint32_t compactTabs(const Entry& entry) { return entry.form >> kTabsShift & kMostCompactTabs; }
    static std::uint32_t compactBlanks(const Entry& entry) { return entry.form & kMostCompactBlanks; }
    static std::size_t compactCovered(const Entry& entry)
    {
        return std::size_t{compactTabs(entry)} * ((entry.form & ~kCompact) >> kTabSizeShift);
    }
    static bool isCompact(std::string_view prefix, std::size_t covered, std::string_view trailing);
    const Entry* find(std::int32_t index) const;

    // Blocks of entries: the table grows without moving what it holds.
    std::deque<Entry> m_entries;
    std::deque<Wide> m_wide;
    TextStore m_bytes;
};

} // namespace core
