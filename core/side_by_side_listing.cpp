#include "core/side_by_side_listing.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "core/utf8_text.h"

namespace core {

namespace {

constexpr int kSeparatorWidth = 3; // " | "
constexpr int kMarkWidth = 3;      // " m " between number and text

int digitsOf(std::int32_t value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

} // namespace

char stateMark(LineState state)
{
    switch (state) {
    case LineState::Same:
        return ' ';
    case LineState::SourceOnly:
        return '-';
    case LineState::TargetOnly:
        return '+';
    case LineState::Changed:
        return '!';
    case LineState::Edited:
        return '*';
    }
    return '?';
}

std::string terminalText(std::string_view bytes, int columns, int& used)
{
    std::string shown;
    used = 0;
    while (!bytes.empty() && used < columns) {
        const auto byte = static_cast<unsigned char>(bytes[0]);
        std::size_t taken = 1;
        if (byte < 0x20 || byte == 0x7F) {
            shown += '?';
        } else if (byte < 0x80) {
            shown += static_cast<char>(byte);
        } else if (const std::size_t length = utf8SequenceLength(bytes); length > 0) {
            shown.append(bytes.substr(0, length));
            taken = length;
        } else {
            shown += static_cast<char>(0xC0 | (byte >> 6));
            shown += static_cast<char>(0x80 | (byte & 0x3F));
        }
        bytes.remove_prefix(taken);
        ++used;
    }
    return shown;
}

SideBySideListing::SideBySideListing(const LineFile& source, const LineFile& target, const CompareResult& result,
                                     int columns)
    : m_source(source), m_target(target), m_result(result)
{
    m_numberWidth = digitsOf(std::max(source.count(), target.count()));
    const int side = (columns - kSeparatorWidth) / 2;
    m_textWidth = std::max(1, side - m_numberWidth - kMarkWidth);
}

std::string SideBySideListing::side(const LineFile& file, std::int32_t entry, bool pad) const
{
    std::string number;
    char mark = ' ';
    std::string text;
    int used = 0;
    if (const LineRecord* line = file.lineAt(entry)) {
        number = std::to_string(entry + 1);
        mark = stateMark(line->state());
        text = terminalText(line->text(), m_textWidth, used);
    }
    std::string shown = std::string(static_cast<std::size_t>(m_numberWidth) - number.size(), ' ') + number + ' ' + mark
        + ' ' + text;
    if (pad)
        shown.append(static_cast<std::size_t>(m_textWidth - used), ' ');
    else
        shown.erase(shown.find_last_not_of(' ') + 1);
    return shown;
}

void SideBySideListing::write(std::ostream& out) const
{
    for (std::int32_t r = 0; r < m_result.rowCount; ++r) {
        const std::string left = side(m_source, m_result.sourceRows[static_cast<std::size_t>(r)], true);
        const std::string right = side(m_target, m_result.destinationRows[static_cast<std::size_t>(r)], false);
        out << left << (right.empty() ? " |" : " | ") << right << '\n';
    }
}

} // namespace core
