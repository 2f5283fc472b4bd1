#pragma once

#include <string_view>

namespace framework {

// Texts compared the way the settings file compares names:
// ASCII letters without regard to case, every other byte as it is.
bool equalIgnoringCase(std::string_view a, std::string_view b);

} // namespace framework
