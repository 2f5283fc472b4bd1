#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/line_record.h"

namespace core {

// The lines built lately, so that a line equal to one of them takes over its stored
// bytes, key and hash instead of storing and hashing them again: files repeat lines
// (braces, separators, log entries), and every stored byte is memory the system must
// provide. A text is looked up as its leading blanks and the rest, so a line indented
// with tabs is found before its tabs are expanded. Lines are found by a quick look at
// their length and ends; a later line with the same look takes the place of an
// earlier one.
class RecentTexts {
public:
    RecentTexts();

    // A remembered line whose text is `leadingBlanks` blanks followed by rest, or null.
    const LineRecord* find(std::size_t leadingBlanks, std::string_view rest) const;
    // Remembers line, whose text begins with leadingBlanks blanks; it must stay where
    // it is while it can be found.
    void remember(const LineRecord& line, std::size_t leadingBlanks);

private:
    struct Known {
        const LineRecord* line = nullptr;
        std::size_t leadingBlanks = 0;
    };

    static std::size_t slotOf(std::size_t leadingBlanks, std::string_view rest);

    std::vector<Known> m_known;
};

} // namespace core
