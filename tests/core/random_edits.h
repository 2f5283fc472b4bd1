#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

// Lines after fewer than editLimit random inserts, removals and replacements, so that a
// pair made of both shares long runs. newLine(i) gives the text of an insert, changedLine(i)
// that of a replacement, for the i-th edit.
template <typename NewLine, typename ChangedLine>
std::vector<std::string> randomlyEdited(std::mt19937& random, std::vector<std::string> lines, int editLimit,
                                        NewLine newLine, ChangedLine changedLine)
{
    const int edits = static_cast<int>(random() % static_cast<unsigned>(editLimit));
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = lines.empty() ? 0 : random() % (lines.size() + 1);
        switch (random() % 3) {
        case 0:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLine(i));
            break;
        case 1:
            if (at < lines.size())
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default:
            if (at < lines.size())
                lines[at] = changedLine(i);
            break;
        }
    }
    return lines;
}

// The lines as a file's bytes, each ended by a line feed.
inline std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

} // namespace testing_support
