#include "grid/stored_widths.h"

#include <cstdint>
#include <cstdlib>

namespace grid {

std::string formatStoredWidths(const std::vector<int>& widths)
{
    std::string text;
    for (int width : widths)
        text += std::to_string(std::int16_t(width)) + ",";
    if (!text.empty())
        text.pop_back();
    return text;
}

std::optional<std::vector<int>> parseStoredWidths(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::vector<int> widths;
    while (true) {
        std::size_t comma = text.find(',');
        std::string piece(text.substr(0, comma));
        int width = std::atoi(piece.c_str());
        if (width == 0)
            return std::nullopt;
        widths.push_back(width);
        if (comma == std::string_view::npos)
            return widths;
        text.remove_prefix(comma + 1);
    }
}

} // namespace grid
