#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace framework {

// Replaces each "%s" of pattern, in order, by the next value. A "%s" left without a value
// stays as it stands, and so does any other '%'; values are never scanned themselves.
std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace framework
