#pragma once

#include <cstdint>
#include <vector>

namespace core {

// Where each equality class occurs in one file, for a walk that only moves forward:
// firstFrom answers "the first line of this class at or after from" in amortised
// constant time as long as `from` never decreases for a class.
class LineOccurrences {
public:
    LineOccurrences(const std::vector<std::int32_t>& classes, std::int32_t classCount);

    std::int32_t none() const { return static_cast<std::int32_t>(m_lines.size()); }
    std::int32_t firstFrom(std::int32_t lineClass, std::int32_t from);
    // Before any firstFrom: the class has exactly one line here.
    bool occursOnce(std::int32_t lineClass) const;
    // Before any firstFrom: the first line of the class, or none().
    std::int32_t firstOf(std::int32_t lineClass) const;

private:
    static constexpr std::int32_t kAbsent = -1;

    // A class's last line is stored complemented: it ends the class's run without a
    // table of ends, which for a million classes would be another 4 MB a file.
    static bool endsClass(std::int32_t entry) { return entry < 0; }
    static std::int32_t lineOf(std::int32_t entry) { return entry < 0 ? ~entry : entry; }

    // The lines in order of class, each class's lines in file order side by side, so a
    // cursor moves through adjacent memory.
    std::vector<std::int32_t> m_lines;
    // Per class: no line before this place is asked for again; kAbsent for a class without
    // a line here.
    std::vector<std::int32_t> m_cursor;
};

} // namespace core
