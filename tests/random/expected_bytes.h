#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/row_map.h"

namespace core {
class LineFile;
}

namespace random_driver {

// How a line came into the file, as the driver saw it happen.
enum class LineSource { Read, Copied, Edited, Typed, Unknown };

// The bytes one record of a file must be saved with, worked out from the bytes the driver
// wrote and the steps it took, not from the saver: a read line keeps its bytes and line end,
// a copied line the other file's bytes with this file's first line end, a typed line its text
// with runs of tab-size blanks made tabs, an edited line the bytes outside the changed stretch.
struct ExpectedLine {
    std::string bytes;       // this record's bytes, no line end
    std::string end;         // the line end written after it when its line ends here
    bool joinsNext = false;  // a piece of a long line whose rest is the next record
    LineSource source = LineSource::Read;
    std::string text;        // the record's text when it was learnt, to notice a reload
};

// The expected bytes of one file of the pair, record by record.
class ExpectedBytes {
public:
    // Takes the file as loaded from disk; an empty answer when the loaded records agree with
    // the bytes, else what differs.
    std::string reset(const std::string& diskBytes, const core::LineFile& file);
    // True when the file's records are no longer the ones learnt: it was loaded again.
    bool wasReloaded(const core::LineFile& file) const;
    bool ready() const { return m_ready; }
    std::int32_t knownCount() const { return std::int32_t(m_lines.size()); }
    const ExpectedLine* line(std::int32_t index) const
    {
        return index < 0 || index >= knownCount() ? nullptr : &m_lines[std::size_t(index)];
    }
    void learn(ExpectedLine line) { m_lines.push_back(std::move(line)); }
    // The line end of the file's first line; LF when it had none.
    const std::string& lineEnd() const { return m_lineEnd; }

    // The whole file as saving these rows must write it.
    std::string fileBytes(const core::RowMap& rows, std::int32_t rowCount) const;

private:
    bool m_ready = false;
    std::vector<ExpectedLine> m_lines;
    std::string m_lineEnd = "\n";
    bool m_endsWithLineEnd = true;
    std::string m_trailingLines;
};

// The display text of a line's bytes: every tab as tabSize blanks, trailing blanks cut.
std::string displayText(const std::string& bytes, int tabSize, bool trim = true);
// The text without its trailing blanks.
std::string trimmedRight(std::string text);
// Runs of exactly tabSize blanks, left to right, become tabs.
std::string blanksToTabs(const std::string& text, int tabSize);
// The bytes of a line edited from oldText to newText: the bytes outside the changed stretch of
// the display text stay, the typed stretch is new; a piece that goes on keeps its trailing blanks.
std::string editedBytes(const std::string& oldBytes, const std::string& oldText, const std::string& newText,
                        int tabSize, bool useTab, bool piece);

} // namespace random_driver
