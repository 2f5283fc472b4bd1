#pragma once

#include <string_view>

namespace settings {

// Folder names and texts compared the way the settings do: ASCII letters without
// regard to case, every other byte as it is.
bool equalIgnoringCase(std::string_view a, std::string_view b);

} // namespace settings
