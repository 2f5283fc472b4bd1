#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/difference_engine.h"

namespace core {

// The readable report: both files side by side with line numbers and a state mark per
// side, each row fitted into a terminal line of `columns` characters.
class SideBySideListing {
public:
    SideBySideListing(const LineFile& source, const LineFile& target, const CompareResult& result, int columns);

    void write(std::ostream& out) const;

private:
    // Number, mark and text of one side of a row; the left side padded to its width.
    std::string side(const LineFile& file, std::int32_t entry, bool pad) const;

    const LineFile& m_source;
    const LineFile& m_target;
    const CompareResult& m_result;
    int m_numberWidth = 1;
    int m_textWidth = 1;
};

// Mark of a line state in the listing: ' ' same, '-' source only, '+' target only,
// '!' changed, '*' edited.
char stateMark(LineState state);

// At most `columns` characters of bytes for a terminal: whole UTF-8 characters, a byte
// that is not part of one as its Latin-1 character, control characters as '?'.
// Returns the displayed text; `used` receives its width.
std::string terminalText(std::string_view bytes, int columns, int& used);

} // namespace core
