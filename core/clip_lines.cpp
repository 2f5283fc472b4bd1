#include "core/clip_lines.h"

namespace core {

void ClipLines::add(std::string_view line, bool restFollows)
{
    m_text.append(line);
    if (!restFollows)
        m_text.push_back('\n');
}

std::vector<std::string> ClipLines::split(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
        if (!lineEnd) {
            line.push_back(c == '\r' ? ' ' : c);
            continue;
        }
        if (c == '\r')
            ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace core
