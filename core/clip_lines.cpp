#include "core/clip_lines.h"

namespace core {

void ClipLines::add(std::string_view line)
{
    m_text.append(line);
    m_text.push_back('\n');
}

std::vector<std::string> ClipLines::split(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(c == '\r' ? ' ' : c);
        }
    }
    return lines;
}

} // namespace core
