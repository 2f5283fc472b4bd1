#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/merge_chunks.h"

namespace core {

class LineFile;

// One input of a three-way merge as the lines on disk: the pieces of a long line are one
// line, and the blank lines at the end that loading leaves out of the line list are lines
// again. A line's bytes include its own line end, so that a line whose only change is its
// line end counts as changed.
class MergeInput {
public:
    explicit MergeInput(const LineFile& file);

    std::int32_t count() const { return static_cast<std::int32_t>(m_firstRecords.size() + m_trailing.size()); }
    // The line's bytes as on disk with its line end (none for a last line that had none).
    void appendLine(std::int32_t line, std::string& out) const;
    std::string line(std::int32_t line) const;
    // The line as the panes show it: the display texts of its records, one after another.
    std::string text(std::int32_t line) const;
    bool sameLine(std::int32_t line, const MergeInput& other, std::int32_t otherLine) const;
    // The lines of one range equal, one by one, the other input's lines of another.
    bool sameLines(LineRange lines, const MergeInput& other, LineRange otherLines) const;
    // The line that starts with the record at index, or -1 for a record that continues one.
    std::int32_t lineStartingAt(std::int32_t record) const;
    // Read lines first, then the blank lines after them.
    std::int32_t readLines() const { return static_cast<std::int32_t>(m_firstRecords.size()); }
    // The line end of the file's first line: what a line gets that had none but is no
    // longer last.
    std::string_view lineEnd() const;
    const LineFile& file() const { return m_file; }

private:
    const LineFile& m_file;
    std::vector<std::int32_t> m_firstRecords;
    std::vector<std::int32_t> m_lineOfRecord;  // -1 for a record that continues a line
    std::vector<std::string_view> m_trailing;  // into the file's trailing lines
};

} // namespace core
