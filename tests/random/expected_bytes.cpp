#include "tests/random/expected_bytes.h"

#include <algorithm>

#include "core/line_file.h"

namespace random_driver {
namespace {

struct DiskLine {
    std::string bytes;
    std::string end;
};

std::vector<DiskLine> splitLines(const std::string& bytes)
{
    std::vector<DiskLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t feed = bytes.find('\n', start);
        if (feed == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        DiskLine line{bytes.substr(start, feed - start), "\n"};
        if (line.bytes.ends_with('\r')) {
            line.bytes.pop_back();
            line.end = "\r\n";
        }
        lines.push_back(std::move(line));
        start = feed + 1;
    }
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t columnsOf(char c, int tabSize)
{
    return c == '\t' ? std::size_t(tabSize) : 1;
}

} // namespace

std::string trimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string displayText(const std::string& bytes, int tabSize, bool trim)
{
    std::string text;
    for (const char c : bytes)
        text.append(columnsOf(c, tabSize), c == '\t' ? ' ' : c);
    return trim ? trimmedRight(std::move(text)) : text;
}

std::string blanksToTabs(const std::string& text, int tabSize)
{
    if (tabSize <= 0)
        return text;
    const std::string run(std::size_t(tabSize), ' ');
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, run.size(), run) == 0) {
            out += '\t';
            i += run.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string editedBytes(const std::string& oldBytes, const std::string& oldText, const std::string& newText,
                         int tabSize, bool useTab, bool piece)
{
    // A piece that goes on shows its trailing blanks; a line's end does not.
    std::size_t coreEnd = oldBytes.size();
    while (!piece && coreEnd > 0 && isBlank(oldBytes[coreEnd - 1]))
        --coreEnd;
    std::size_t prefix = 0;
    while (prefix < oldText.size() && prefix < newText.size() && oldText[prefix] == newText[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < std::min(oldText.size(), newText.size()) - prefix &&
           oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
        ++suffix;
    // Whole bytes only: a tab that the changed stretch cuts into counts as changed.
    std::size_t head = 0;
    std::size_t headColumns = 0;
    while (head < coreEnd && headColumns + columnsOf(oldBytes[head], tabSize) <= prefix)
        headColumns += columnsOf(oldBytes[head++], tabSize);
    std::size_t tail = coreEnd;
    std::size_t tailColumns = 0;
    while (tail > head && tailColumns + columnsOf(oldBytes[tail - 1], tabSize) <= suffix)
        tailColumns += columnsOf(oldBytes[--tail], tabSize);
    const std::string typed = newText.substr(headColumns, newText.size() - tailColumns - headColumns);
    return oldBytes.substr(0, head) + (useTab ? blanksToTabs(typed, tabSize) : typed) + oldBytes.substr(tail);
}

std::string ExpectedBytes::reset(const std::string& diskBytes, const core::LineFile& file)
{
    m_lines.clear();
    m_ready = true;
    const std::vector<DiskLine> disk = splitLines(diskBytes);
    m_lineEnd = !disk.empty() && disk[0].end == "\r\n" ? "\r\n" : "\n";
    const int tabSize = 4;
    std::size_t diskLine = 0;
    for (std::int32_t index = 0; index < file.count(); ++diskLine) {
        if (diskLine >= disk.size())
            return "record " + std::to_string(index) + " has no line on disk";
        const DiskLine& line = disk[diskLine];
        std::size_t start = 0;
        for (bool more = true; more; ++index) {
            if (index >= file.count())
                return "the pieces of line " + std::to_string(diskLine) + " end early";
            const core::LineRecord& record = *file.lineAt(index);
            more = record.continues();
            const std::size_t length = more ? core::LineFile::kPieceSize : line.bytes.size() - std::min(start, line.bytes.size());
            ExpectedLine expected{line.bytes.substr(std::min(start, line.bytes.size()), length),
                                  more || line.end.empty() ? m_lineEnd : line.end, more, LineSource::Read,
                                  std::string(record.text())};
            if (displayText(expected.bytes, tabSize, !more) != expected.text)
                return "record " + std::to_string(index) + " shows \"" + expected.text.substr(0, 80) +
                       "\" for the bytes \"" + expected.bytes.substr(0, 80) + "\" of line " + std::to_string(diskLine);
            start += length;
            m_lines.push_back(std::move(expected));
        }
    }
    m_endsWithLineEnd = diskLine == 0 || !disk[diskLine - 1].end.empty();
    m_trailingLines.clear();
    for (; diskLine < disk.size(); ++diskLine) {
        if (!displayText(disk[diskLine].bytes, tabSize).empty())
            return "line " + std::to_string(diskLine) + " on disk has no record";
        m_trailingLines += disk[diskLine].bytes + disk[diskLine].end;
    }
    return {};
}

bool ExpectedBytes::wasReloaded(const core::LineFile& file) const
{
    if (file.count() < knownCount())
        return true;
    for (std::int32_t index = 0; index < knownCount(); ++index) {
        if (file.lineAt(index)->text() != m_lines[std::size_t(index)].text)
            return true;
    }
    for (std::int32_t index = knownCount(); index < file.count(); ++index) {
        if (file.originOf(index) == core::LineOrigin::Read)
            return true;
    }
    return false;
}

std::string ExpectedBytes::fileBytes(const core::RowMap& rows, std::int32_t rowCount) const
{
    std::string bytes;
    const ExpectedLine* previous = nullptr;
    for (std::int32_t row = 0; row < rowCount; ++row) {
        const ExpectedLine* expected = line(rows[std::size_t(row)]);
        if (expected == nullptr)
            continue;
        // A piece goes on in the next line shown on its side.
        if (previous != nullptr && !previous->joinsNext)
            bytes += previous->end;
        bytes += expected->bytes;
        previous = expected;
    }
    if (previous != nullptr && m_endsWithLineEnd)
        bytes += previous->end;
    return bytes + m_trailingLines;
}

} // namespace random_driver
