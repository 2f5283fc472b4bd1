#include "core/merge_input.h"

#include <cassert>

#include "core/line_file.h"

namespace core {

MergeInput::MergeInput(const LineFile& file) : m_file(file)
{
    m_lineOfRecord.assign(static_cast<std::size_t>(file.count()), -1);
    bool startsLine = true;
    for (std::int32_t record = 0; record < file.count(); ++record) {
        if (startsLine) {
            m_lineOfRecord[static_cast<std::size_t>(record)] = static_cast<std::int32_t>(m_firstRecords.size());
            m_firstRecords.push_back(record);
        }
        startsLine = !file.lineAt(record)->continues();
    }
    const std::string_view trailing = file.trailingLines();
    for (std::size_t start = 0; start < trailing.size();) {
        const std::size_t end = trailing.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? trailing.size() : end + 1;
        m_trailing.push_back(trailing.substr(start, next - start));
        start = next;
    }
}

void MergeInput::appendLine(std::int32_t line, std::string& out) const
{
    assert(line >= 0 && line < count());
    if (line >= readLines()) {
        out += m_trailing[static_cast<std::size_t>(line - readLines())];
        return;
    }
    std::int32_t record = m_firstRecords[static_cast<std::size_t>(line)];
    while (true) {
        m_file.appendBytes(record, out);
        if (!m_file.lineAt(record)->continues())
            break;
        ++record;
    }
    const bool last = line == readLines() - 1 && m_trailing.empty();
    if (!last || m_file.endsWithLineEnd())
        out += m_file.lineEndOf(record);
}

std::string MergeInput::line(std::int32_t line) const
{
    std::string bytes;
    appendLine(line, bytes);
    return bytes;
}

std::string MergeInput::text(std::int32_t line) const
{
    assert(line >= 0 && line < count());
    std::string text;
    if (line >= readLines())
        return text;
    for (std::int32_t record = m_firstRecords[static_cast<std::size_t>(line)];; ++record) {
        text += m_file.lineAt(record)->text();
        if (!m_file.lineAt(record)->continues())
            break;
    }
    return text;
}

bool MergeInput::sameLine(std::int32_t line, const MergeInput& other, std::int32_t otherLine) const
{
    return this->line(line) == other.line(otherLine);
}

bool MergeInput::sameLines(LineRange lines, const MergeInput& other, LineRange otherLines) const
{
    if (lines.size() != otherLines.size())
        return false;
    for (std::int32_t k = 0; k < lines.size(); ++k)
        if (!sameLine(lines.begin + k, other, otherLines.begin + k))
            return false;
    return true;
}

std::int32_t MergeInput::lineStartingAt(std::int32_t record) const
{
    if (record < 0 || record >= static_cast<std::int32_t>(m_lineOfRecord.size()))
        return -1;
    return m_lineOfRecord[static_cast<std::size_t>(record)];
}

std::string_view MergeInput::lineEnd() const
{
    return m_file.lineEnd();
}

} // namespace core
