#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text a table box keeps its column widths in: "120,80,200".
namespace grid {

std::string formatStoredWidths(const std::vector<int>& widths);
// None when the text is empty or a piece reads as 0.
std::optional<std::vector<int>> parseStoredWidths(std::string_view text);

} // namespace grid
