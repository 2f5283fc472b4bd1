#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace core {

// One unit of a line for finding what changed inside it: a run of letters, digits and
// underscores (bytes from 128 up count as letters, so a UTF-8 word stays whole), a run of
// blanks, or a single other character.
struct LineUnit {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    std::uint32_t hash = 0;
    bool blank = false;

    std::uint32_t end() const { return start + length; }
};

// The units of text in order; without the blank runs when skipBlanks is set.
std::vector<LineUnit> splitUnits(std::string_view text, bool skipBlanks);
// The same into units, whose room is kept.
void splitUnits(std::string_view text, bool skipBlanks, std::vector<LineUnit>& units);

// Same bytes (the hash is compared first).
inline bool sameUnit(std::string_view a, const LineUnit& x, std::string_view b, const LineUnit& y)
{
    return x.hash == y.hash && x.length == y.length && a.substr(x.start, x.length) == b.substr(y.start, y.length);
}

} // namespace core
